#pragma once

class QLineEdit;
class QWidget;

namespace quorvel {

class DrivePicker;
class FolderPicker;

// The pickers of the first-run and game-folder windows. Dir1_Change: every move of
// the folder picker is stored at once as the game folder and shown in `Text1`;
// Drive1_Change: the folder picker moves to the chosen drive, asking to retry when
// it cannot be read.
void ConnectGameFolderPickers(QWidget* window, DrivePicker* Drive1, FolderPicker* Dir1,
                              QLineEdit* Text1);

// Sets the folder picker and then the drive picker to the starting folder; the
// folder's move is stored like any other.
void StartGameFolderPickers(DrivePicker* Drive1, FolderPicker* Dir1);

} // namespace quorvel
