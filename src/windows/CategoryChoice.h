#pragma once

#include <filesystem>

class QComboBox;

namespace quorvel {

// The category choice list of the new-add-on and delete-add-on windows: the seven
// singular names in category order, nothing chosen at first.
void FillCategoryChoice(QComboBox* combo);

// The library folder of the category named by the list's text; empty when the text
// names none.
std::filesystem::path ChosenCategoryFolder(const QComboBox* combo);

} // namespace quorvel
