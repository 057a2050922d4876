#include "windows/NameLists.h"

#include "windows/TextConversions.h"

#include <QByteArray>
#include <QListWidget>
#include <QShortcut>
#include <QStyleOptionFocusRect>
#include <QStylePainter>

namespace quorvel {
namespace {

constexpr int kNameRole = Qt::UserRole + 1;

} // namespace

QListWidgetItem* AddNameItem(QListWidget* list, const std::string& name, const QString& shown) {
    auto* item = new QListWidgetItem(shown, list);
    item->setData(kNameRole, QByteArray::fromStdString(name));
    return item;
}

std::string NameOfItem(const QListWidgetItem* item) {
    const QVariant name = item->data(kNameRole);
    return name.isValid() ? name.toByteArray().toStdString() : ToStdString(item->text());
}

void OnDoubleClickOrEnter(QListWidget* list, const std::function<void()>& action) {
    QObject::connect(list, &QListWidget::itemDoubleClicked, list, [action] { action(); });
    for (const int key : {Qt::Key_Return, Qt::Key_Enter}) {
        auto* shortcut = new QShortcut(QKeySequence(key), list);
        shortcut->setContext(Qt::WidgetShortcut);
        QObject::connect(shortcut, &QShortcut::activated, list, [action] { action(); });
    }
}

FocusMarkedList::FocusMarkedList(QWidget* parent)
    : QListWidget(parent) {}

// The view repaints itself as it takes and loses the focus, so painting the
// frame here is enough.
void FocusMarkedList::paintEvent(QPaintEvent* event) {
    QListWidget::paintEvent(event);
    if (count() > 0 || !hasFocus())
        return;
    QStylePainter painter(viewport());
    QStyleOptionFocusRect frame;
    frame.initFrom(viewport());
    frame.rect = viewport()->rect().adjusted(1, 1, -1, -1);
    // Styles draw the frame only after keyboard moves unless told it is wanted.
    frame.state |= QStyle::State_KeyboardFocusChange;
    frame.backgroundColor = palette().color(QPalette::Base);
    painter.drawPrimitive(QStyle::PE_FrameFocusRect, frame);
}

} // namespace quorvel
