#pragma once

#include <filesystem>

class QLabel;

namespace quorvel {

// The banner across the top of the maintenance, help and about windows. A missing
// picture leaves the label empty.
void ShowBanner(QLabel* label);

// The small name banner of the settings and game-folder windows; a missing picture
// leaves the label empty.
void ShowSmallBanner(QLabel* label);

// Shows a JPEG (or any picture Qt reads) from disk. Returns false, leaving the
// label as it was, when the file is missing or cannot be read.
bool ShowPictureFile(QLabel* label, const std::filesystem::path& file);

// The logo ProgramFolder + "QUORVEL.jpg"; the label is emptied when it is missing,
// so that no add-on's picture stays behind as if it were chosen.
void ShowLogo(QLabel* label);

} // namespace quorvel
