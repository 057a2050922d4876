#pragma once

#include <QString>
#include <functional>
#include <string>

class QListWidget;
class QListWidgetItem;

namespace quorvel {

// List entries that stand for a name the core gave (see platform/NameText.h).
// The entry shows `shown` and keeps the name's own bytes beside it, so that a
// name that is not UTF-8, or that differs from another only in case, still
// reaches its own file.
QListWidgetItem* AddNameItem(QListWidget* list, const std::string& name, const QString& shown);

// The name an entry stands for; its text when it keeps none.
std::string NameOfItem(const QListWidgetItem* item);

// Runs `action` on a double-click on an entry of `list`, and on Enter or Return
// while the list has the focus, so that lists work without a mouse too.
void OnDoubleClickOrEnter(QListWidget* list, const std::function<void()>& action);

} // namespace quorvel
