#pragma once

#include <filesystem>

class QComboBox;
class QAbstractButton;

namespace quorvel {

struct PathVariables;

// The category choice list of the new-add-on and delete-add-on windows: the seven
// singular names in category order, nothing chosen at first.
void FillCategoryChoice(QComboBox* combo);

// The library folder of the category named by the list's text; empty when the text
// names none.
std::filesystem::path ChosenCategoryFolder(const PathVariables& paths, const QComboBox* combo);

// Gives `button` the look of a disabled button while it stays clickable, or its
// own look back: the current category's button looks as it always did, and
// choosing it again reads the library folder afresh.
void LookDisabled(QAbstractButton* button, bool disabledLook);

} // namespace quorvel
