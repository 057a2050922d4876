#include "windows/NameItems.h"

#include "windows/PathText.h"

#include <QByteArray>
#include <QListWidget>

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

} // namespace quorvel
