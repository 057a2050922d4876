#include "windows/OptionGroups.h"

#include <QAbstractButton>
#include <algorithm>

namespace quorvel {

void MakeOneTabStop(const std::vector<QAbstractButton*>& options) {
    const auto follow = [options] {
        const bool chosen = std::any_of(options.begin(), options.end(),
                                        [](const QAbstractButton* o) { return o->isChecked(); });
        for (QAbstractButton* option : options)
            option->setFocusPolicy(!chosen || option->isChecked() ? Qt::StrongFocus
                                                                  : Qt::ClickFocus);
    };
    for (QAbstractButton* option : options)
        QObject::connect(option, &QAbstractButton::toggled, option, follow);
    follow();
}

} // namespace quorvel
