#pragma once

class QAbstractButton;
class QLineEdit;
class QWidget;

namespace quorvel {

class DrivePicker;
class FolderPicker;
class GameFolderChoice;
class Principal;

// The pickers of the first-run and game-folder windows. Dir1_Change: every move of
// the folder picker is stored at once as the chosen game folder, shown in `Text1`
// and in the drive picker, and `Accept` is enabled only for a folder that passes
// the game folder rule and no other running copy works on; its tooltip says why
// not. A folder that holds EAW.EXE and still fails is told in a box, as is the
// first failure to store a folder; Drive1_Change: the folder picker moves to the
// chosen drive, asking to retry when it cannot be read.
void ConnectGameFolderPickers(const Principal* mainWindow, QWidget* window,
                              GameFolderChoice& choice, DrivePicker* Drive1, FolderPicker* Dir1,
                              QLineEdit* Text1, QAbstractButton* Accept);

// Sets the folder picker and then the drive picker to the game folder stored when
// the choice began, or to the starting folder when that folder does not exist; the
// folder's move is stored like any other.
void StartGameFolderPickers(const GameFolderChoice& choice, DrivePicker* Drive1,
                            FolderPicker* Dir1);

} // namespace quorvel
