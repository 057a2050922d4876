#include "windows/EnterKey.h"

#include <QListWidget>
#include <QShortcut>

namespace quorvel {

void OnDoubleClickOrEnter(QListWidget* list, const std::function<void()>& action) {
    QObject::connect(list, &QListWidget::itemDoubleClicked, list, [action] { action(); });
    for (const int key : {Qt::Key_Return, Qt::Key_Enter}) {
        auto* shortcut = new QShortcut(QKeySequence(key), list);
        shortcut->setContext(Qt::WidgetShortcut);
        QObject::connect(shortcut, &QShortcut::activated, list, [action] { action(); });
    }
}

} // namespace quorvel
