#include "windows/NameLists.h"

#include "config/AddonCategory.h"
#include "platform/NameFolding.h"
#include "windows/TextConversions.h"

#include <QByteArray>
#include <QListWidget>
#include <QMouseEvent>
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

QString AddonText(const AddonKey& addon) {
    return ToQString(UpperCase(addon.name)) + QStringLiteral(" (") +
           ToQString(std::string(kAddonCategories.at(addon.category).singularName)) +
           QLatin1Char(')');
}

std::string NameOfItem(const QListWidgetItem* item) {
    const QVariant name = item->data(kNameRole);
    return name.isValid() ? name.toByteArray().toStdString() : ToStdString(item->text());
}

namespace {

constexpr char kShiftDoubleClick[] = "quorvelShiftDoubleClick";

// Keeps on the list whether Shift was held for its last double-click, which the
// itemDoubleClicked that follows does not carry.
class DoubleClickModifiers : public QObject {
public:
    explicit DoubleClickModifiers(QListWidget* list)
        : QObject(list)
        , list_(list) {
        list->viewport()->installEventFilter(this);
    }

    static void watch(QListWidget* list) {
        if (!list->property(kShiftDoubleClick).isValid()) {
            list->setProperty(kShiftDoubleClick, false);
            new DoubleClickModifiers(list);
        }
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::MouseButtonDblClick)
            list_->setProperty(
                kShiftDoubleClick,
                bool(static_cast<QMouseEvent*>(event)->modifiers() & Qt::ShiftModifier));
        return false;
    }

private:
    QListWidget* list_;
};

bool shiftHeld(const QListWidget* list) {
    return list->property(kShiftDoubleClick).toBool();
}

void onKey(QListWidget* list, const QKeySequence& key, const std::function<void()>& action) {
    auto* shortcut = new QShortcut(key, list);
    shortcut->setContext(Qt::WidgetShortcut);
    QObject::connect(shortcut, &QShortcut::activated, list, [action] { action(); });
}

} // namespace

void OnDoubleClickOrEnter(QListWidget* list, const std::function<void()>& action) {
    DoubleClickModifiers::watch(list);
    QObject::connect(list, &QListWidget::itemDoubleClicked, list, [list, action] {
        if (!shiftHeld(list))
            action();
    });
    for (const int key : {Qt::Key_Return, Qt::Key_Enter})
        onKey(list, QKeySequence(key), action);
}

void OnDetailsAsked(QListWidget* list, const std::function<void(const std::string&)>& details) {
    const auto chosen = [list, details] {
        if (const QListWidgetItem* item = list->currentItem(); item && item->isSelected())
            details(NameOfItem(item));
    };
    DoubleClickModifiers::watch(list);
    QObject::connect(list, &QListWidget::itemDoubleClicked, list, [list, chosen] {
        if (shiftHeld(list))
            chosen();
    });
    onKey(list, QKeySequence(Qt::CTRL | Qt::Key_I), chosen);
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
