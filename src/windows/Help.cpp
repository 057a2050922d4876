#include "windows/Help.h"

#include "config/PathVariables.h"
#include "platform/FileOperations.h"
#include "platform/FolderListing.h"
#include "ui_Help.h"
#include "windows/ProgramPictures.h"
#include "windows/TextFromFile.h"

namespace quorvel {

Help::Help(QWidget* mainWindow, QWidget* parent)
    : ChildWindow(mainWindow, parent)
    , ui(std::make_unique<Ui::Help>()) {
    ui->setupUi(this);
    ShowBanner(ui->Image1);
    placeFixed();
    Form_Load();
}

Help::~Help() = default;

void Help::Form_Load() {
    ReloadPaths(true);
    // A missing or unreadable file gives an empty text box: there is no help to show.
    const auto text = ReadWholeFile(ResolveInFolder(Paths().ProgramFolder, "readme.txt"));
    ui->Text1->setPlainText(TextFromFile(text.value_or(std::string())));
}

} // namespace quorvel
