// Opens one window of the library maintenance, help or about part over a given
// program folder, for looking at it on a real display (docs/screenshots).
//   show_window Help|About|Newaddon|Deleteaddon PROGRAM_FOLDER [CATEGORY [ENTRY]]
// Deleteaddon chooses CATEGORY and the add-on ENTRY; Newaddon starts its pickers
// in PROGRAM_FOLDER/download and chooses CATEGORY and the file ENTRY.
#include "ProgramFolderFixture.h"
#include "config/PathVariables.h"
#include "windows/About.h"
#include "windows/Deleteaddon.h"
#include "windows/FolderPickers.h"
#include "windows/Help.h"
#include "windows/Newaddon.h"
#include "windows/PathText.h"
#include "windows/WindowPlacement.h"

#include <QApplication>
#include <QComboBox>
#include <QListWidget>
#include <cstdio>

using namespace quorvel;

namespace {

void choose(QWidget* window, const QString& category, const QString& entry, const char* listName) {
    test::ChooseInCombo(window->findChild<QComboBox*>("Combo1"), category);
    auto* list = window->findChild<QListWidget*>(listName);
    if (!entry.isEmpty())
        list->setCurrentItem(list->findItems(entry, Qt::MatchExactly).value(0));
}

QWidget* openWindow(const QString& name, const QString& category, const QString& entry) {
    if (name == "Help")
        return new Help(nullptr);
    if (name == "About")
        return new About(nullptr);
    if (name == "Deleteaddon") {
        auto* window = new Deleteaddon(nullptr);
        if (!category.isEmpty())
            choose(window, category, entry, "List1");
        return window;
    }
    if (name == "Newaddon") {
        auto* window = new Newaddon(nullptr);
        if (!category.isEmpty())
            choose(window, category, entry, "File1");
        return window;
    }
    return nullptr;
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() < 3) {
        std::fprintf(stderr, "usage: show_window WINDOW PROGRAM_FOLDER [CATEGORY [ENTRY]]\n");
        return 2;
    }
    UseWindowFont();
    SetProgramFolder(ToPath(arguments[2]));
    SetStartingFolder(arguments[2] + "/download");
    QWidget* window = openWindow(arguments[1], arguments.value(3), arguments.value(4));
    if (!window) {
        std::fprintf(stderr, "no window named %s\n", qPrintable(arguments[1]));
        return 2;
    }
    window->show();
    return QApplication::exec();
}
