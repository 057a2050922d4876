#pragma once

#include "support/TempFolder.h"

#include <QSize>
#include <QStringList>
#include <filesystem>
#include <string>

class QComboBox;

namespace quorvel::test {

// A program folder in a temporary folder with QUORVEL.INI naming its library
// folders, made the program folder of the process.
class ProgramFolderFixture {
public:
    ProgramFolderFixture();

    const std::filesystem::path& root() const { return folder_.path(); }
    std::filesystem::path library(const std::string& folderName) const;

private:
    TempFolder folder_;
};

// Writes a JPEG of the given size, so that a test can tell pictures apart by size.
void WriteJpeg(const std::filesystem::path& path, QSize size);

// The regular files directly in `folder`, in name order.
QStringList FilesIn(const std::filesystem::path& folder);

// Chooses `text` in a combo box as the user does, raising `activated`.
void ChooseInCombo(QComboBox* combo, const QString& text);

// The items of a combo box, in order.
QStringList ComboItems(const QComboBox* combo);

} // namespace quorvel::test
