#include "AnsweredPrompts.h"

namespace quorvel::test {

AnsweredPrompts::AnsweredPrompts() {
    Prompts::answerWith([this](const Prompts::Box& box) {
        shown_.push_back(box);
        if (answers_.empty())
            return QMessageBox::NoButton;
        const QMessageBox::StandardButton answer = answers_.front();
        answers_.pop_front();
        return answer;
    });
}

AnsweredPrompts::~AnsweredPrompts() {
    Prompts::answerWith({});
}

} // namespace quorvel::test
