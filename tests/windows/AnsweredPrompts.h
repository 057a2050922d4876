#pragma once

#include "windows/Prompts.h"

#include <deque>
#include <vector>

namespace quorvel::test {

// While it lives, the program's boxes are answered from a queue instead of shown,
// and kept for the test to read; a box with no answer queued gets NoButton.
class AnsweredPrompts {
public:
    AnsweredPrompts();
    ~AnsweredPrompts();
    AnsweredPrompts(const AnsweredPrompts&) = delete;
    AnsweredPrompts& operator=(const AnsweredPrompts&) = delete;

    void answerNext(QMessageBox::StandardButton answer) { answers_.push_back(answer); }
    // The boxes asked so far, in order.
    const std::vector<Prompts::Box>& shown() const { return shown_; }

private:
    std::deque<QMessageBox::StandardButton> answers_;
    std::vector<Prompts::Box> shown_;
};

} // namespace quorvel::test
