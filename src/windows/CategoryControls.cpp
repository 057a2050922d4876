#include "windows/CategoryControls.h"

#include "config/AddonCategory.h"
#include "config/PathVariables.h"
#include "windows/TextConversions.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QIcon>
#include <QPalette>

namespace quorvel {

void FillCategoryChoice(QComboBox* combo) {
    for (const AddonCategory& category : kAddonCategories)
        combo->addItem(ToQString(std::string(category.singularName)));
    combo->setCurrentIndex(-1);
}

std::filesystem::path ChosenCategoryFolder(const PathVariables& paths, const QComboBox* combo) {
    const auto category = CategoryBySingularName(ToStdString(combo->currentText()));
    return category ? paths.CategoryFolder[*category] : std::filesystem::path();
}

namespace {

// The button's icon from the .ui file, kept while a greyed copy is shown.
constexpr const char* kOwnIcon = "quorvelOwnIcon";

QIcon greyed(const QIcon& icon, const QSize& size) {
    const QPixmap pixmap = icon.pixmap(size, QIcon::Disabled);
    QIcon copy;
    for (const QIcon::Mode mode : {QIcon::Normal, QIcon::Active, QIcon::Selected, QIcon::Disabled})
        copy.addPixmap(pixmap, mode);
    return copy;
}

QPalette disabledColours(QPalette palette) {
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        for (int role = 0; role < QPalette::NColorRoles; ++role) {
            const auto colorRole = static_cast<QPalette::ColorRole>(role);
            palette.setColor(group, colorRole, palette.color(QPalette::Disabled, colorRole));
        }
    }
    return palette;
}

} // namespace

void LookDisabled(QAbstractButton* button, bool disabledLook) {
    if (!button->property(kOwnIcon).isValid())
        button->setProperty(kOwnIcon, button->icon());
    const QIcon own = button->property(kOwnIcon).value<QIcon>();
    if (disabledLook) {
        button->setIcon(greyed(own, button->iconSize()));
        button->setPalette(disabledColours(button->palette()));
    } else {
        button->setIcon(own);
        button->setPalette(QPalette()); // inherited again
    }
}

} // namespace quorvel
