#include "ProgramFolderFixture.h"

#include "config/PathVariables.h"
#include "platform/FolderListing.h"
#include "support/TempFolder.h"
#include "windows/FolderPickers.h"
#include "windows/Principal.h"
#include "windows/TextConversions.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QImage>
#include <QTest>

namespace fs = std::filesystem;

namespace quorvel::test {

ProgramFolderFixture::ProgramFolderFixture() {
    MakeProgramFolder(root());
    WriteFile(game() / "EAW.EXE", "game exe");
    StorePaths(FolderText(game()));
}

ProgramFolderFixture::~ProgramFolderFixture() {
    SetStartingFolder(QString());
}

fs::path ProgramFolderFixture::startPickersIn(const std::string& name) const {
    const fs::path folder = root().parent_path() / name;
    fs::create_directories(folder);
    SetStartingFolder(ToQString(folder));
    return folder;
}

bool Settled(const InstallationModel& model) {
    return QTest::qWaitFor([&model] { return !model.busy(); }, 120000);
}

bool Closed(Principal* mainWindow) {
    mainWindow->close();
    return QTest::qWaitFor([mainWindow] { return !mainWindow->isVisible(); }, 20000);
}

void WriteJpeg(const fs::path& path, QSize size) {
    fs::create_directories(path.parent_path());
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::darkGreen);
    image.save(QString::fromStdString(path.string()), "JPG");
}

QStringList FilesIn(const fs::path& folder) {
    const FolderListing listing(folder);
    QStringList names;
    for (const std::string& name : listing.regularFiles())
        names << QString::fromStdString(name);
    return names;
}

const char* CategoryButtonName(std::size_t category) {
    static const char* const kButtons[] = {"Command1", "Command2", "Command3", "Command4",
                                           "Command6", "Command5", "Command7"};
    return kButtons[category];
}

QListWidget* InstalledList(const QWidget* mainWindow, std::size_t category) {
    const std::string name = "List" + std::to_string(category + 1);
    return Find<QListWidget>(mainWindow, name.c_str());
}

QStringList Entries(const QListWidget* list) {
    QStringList names;
    for (int row = 0; row < list->count(); ++row)
        names << list->item(row)->text();
    return names;
}

void ChooseInCombo(QComboBox* combo, const QString& text) {
    const int index = combo->findText(text);
    combo->setCurrentIndex(index);
    emit combo->activated(index);
}

QWidget* OpenedBy(QWidget* mainWindow, const char* button) {
    const QWidgetList before = QApplication::topLevelWidgets();
    Find<QAbstractButton>(mainWindow, button)->click();
    for (QWidget* top : QApplication::topLevelWidgets())
        if (top != mainWindow && top->isVisible() && !before.contains(top))
            return top;
    return nullptr;
}

} // namespace quorvel::test
