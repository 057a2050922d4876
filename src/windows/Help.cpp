#include "windows/Help.h"

#include "config/PathVariables.h"
#include "platform/FileOperations.h"
#include "platform/FolderListing.h"
#include "ui_Help.h"
#include "windows/ProgramPictures.h"
#include "windows/TextConversions.h"

#include <QFontDatabase>
#include <QScrollBar>

namespace quorvel {

Help::Help(QWidget* mainWindow, QWidget* parent)
    : ChildWindow(mainWindow, parent)
    , ui(std::make_unique<Ui::Help>()) {
    ui->setupUi(this);
    ShowBanner(ui->Image1);
    showWholeTextLines();
    placeFixed();
    Form_Load();
}

Help::~Help() = default;

// The help text is laid out in columns and underlined with rows of "=" and "-":
// a fixed-pitch font as wide as its lines keeps it as it was written.
void Help::showWholeTextLines() {
    constexpr int kTextColumns = 80;
    ui->Text1->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    const int textWidth = ui->Text1->fontMetrics().horizontalAdvance(QString(kTextColumns, 'x'));
    ui->Text1->setMinimumWidth(textWidth + ui->Text1->verticalScrollBar()->sizeHint().width() +
                               2 * ui->Text1->frameWidth() +
                               2 * int(ui->Text1->document()->documentMargin()));
}

void Help::Form_Load() {
    // A missing or unreadable file gives an empty text box: there is no help to show.
    const auto text = ReadWholeFile(ResolveInFolder(ProgramFolder(), "readme.txt"));
    ui->Text1->setPlainText(TextFromFile(text.value_or(std::string())));
}

} // namespace quorvel
