#include "windows/CategoryChoice.h"

#include "config/AddonCategory.h"
#include "config/PathVariables.h"
#include "windows/PathText.h"

#include <QComboBox>

namespace quorvel {

void FillCategoryChoice(QComboBox* combo) {
    for (const AddonCategory& category : kAddonCategories)
        combo->addItem(ToQString(std::string(category.singularName)));
    combo->setCurrentIndex(-1);
}

std::filesystem::path ChosenCategoryFolder(const QComboBox* combo) {
    const auto category = CategoryBySingularName(ToStdString(combo->currentText()));
    return category ? Paths().CategoryFolder[*category] : std::filesystem::path();
}

} // namespace quorvel
