#pragma once

#include "windows/NameLists.h"

#include <QComboBox>
#include <QListWidget>
#include <QString>
#include <string>

namespace quorvel {

// The drive, folder and file pickers of the first-run, game-folder and new-add-on
// windows. Like the pickers they stand in for, each one announces every change of
// its selection, whether the user or the program made it.

// The folder the pickers start at: C:\ on Windows; Wine's drive_c of the default
// prefix on Linux when it exists, else the home folder.
QString StartingFolder();
// For tests: start the pickers somewhere else ("" restores the default).
void SetStartingFolder(const QString& folder);

class DrivePicker : public QComboBox {
    Q_OBJECT
public:
    explicit DrivePicker(QWidget* parent = nullptr);

    // The root folder of the chosen drive.
    QString drive() const;
    // Chooses the drive that holds `folder` (the one with the longest matching root),
    // listing first the mount that holds it when that is not listed yet.
    void setDrive(const QString& folder);
    // Adds a drive by its label and root folder (the machine's drives are listed at start).
    void addDrive(const QString& label, const QString& root);

signals:
    void driveChanged(const QString& root);
};

class FolderPicker : public QListWidget {
    Q_OBJECT
public:
    explicit FolderPicker(QWidget* parent = nullptr);

    QString folder() const { return folder_; }
    // Moves to `folder`: false, staying where it is, when that folder cannot be read.
    bool setFolder(const QString& folder);

signals:
    void folderChanged(const QString& folder);

private:
    void showFolder();
    QString folder_;
};

class FilePicker : public FocusMarkedList {
    Q_OBJECT
public:
    explicit FilePicker(QWidget* parent = nullptr);

    void setSuffix(const QString& suffix);
    void setFolder(const QString& folder);
    QString folder() const { return folder_; }
    // The selected file's name as shown, "" when none is selected.
    QString selectedFileName() const;
    // The selected file's own name (its bytes as on disk), "" when none is selected.
    std::string selectedName() const;

signals:
    void fileActivated(const QString& name);

private:
    void showFiles();
    QString folder_;
    QString suffix_;
};

// Moves `folder` to the drive chosen in `drive`. When the drive cannot be read the
// user is asked to retry; Cancel takes both pickers back to the starting folder.
void MoveFolderPickerToDrive(QWidget* window, DrivePicker* drive, FolderPicker* folder);

} // namespace quorvel
