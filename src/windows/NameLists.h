#pragma once

#include "library/InstalledAddons.h"

#include <QListWidget>
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

// An add-on as the windows name it beside others: "CLOUDS (GRAPHIC)".
QString AddonText(const AddonKey& addon);

// The name an entry stands for; its text when it keeps none.
std::string NameOfItem(const QListWidgetItem* item);

// Runs `action` on a double-click on an entry of `list`, and on Enter or Return
// while the list has the focus, so that lists work without a mouse too. A
// double-click with Shift held asks for details instead (OnDetailsAsked).
void OnDoubleClickOrEnter(QListWidget* list, const std::function<void()>& action);

// Runs `details` with the name of the chosen entry of `list` on a double-click
// with Shift held, and on Ctrl+I while the list has the focus.
void OnDetailsAsked(QListWidget* list, const std::function<void(const std::string&)>& details);

// A list that shows the style's focus frame while it has the focus even when it
// is empty, where a plain list marks the focus only on an entry: a player on the
// keyboard sees where Tab went, and that the menu key opens its menu there.
class FocusMarkedList : public QListWidget {
    Q_OBJECT

public:
    explicit FocusMarkedList(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace quorvel
