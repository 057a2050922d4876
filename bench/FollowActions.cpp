// One action of the player, alone in a process, for scripts/files-to-follow.sh:
// install, uninstall or put-back, driven through the main window's own controls
// on a game folder made here. Built with --coverage, the counters are zeroed just
// before the action and written just after it, so that they hold what the action
// ran and nothing of the setting up.
#include "config/GameFolderChoice.h"
#include "config/PathVariables.h"
#include "windows/Principal.h"
#include "windows/SetsMenu.h"

#include <QAbstractButton>
#include <QApplication>
#include <QListWidget>
#include <QTest>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

extern "C" void __gcov_reset();
extern "C" void __gcov_dump();

namespace fs = std::filesystem;

namespace {

void writeFile(const fs::path& file, const std::string& bytes) {
    fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << bytes;
}

// An archive of `members`, each holding its own name, made with Info-ZIP's zip.
void makeArchive(const fs::path& archive, const std::vector<std::string>& members) {
    const fs::path staging = archive.parent_path() / "staging";
    for (const std::string& member : members)
        writeFile(staging / member, member);
    const std::string command = "cd '" + staging.string() + "' && zip -qr '" + archive.string() +
                                "' . && cd .. && rm -rf staging";
    if (std::system(command.c_str()) != 0)
        std::exit(2);
}

QListWidget* list(const QWidget& window, const char* name) {
    return window.findChild<QListWidget*>(name);
}

// Chooses `name` in `list` and presses Enter on it, as the player does.
void enter(QListWidget* list, const QString& name) {
    list->setCurrentItem(list->findItems(name, Qt::MatchExactly).value(0));
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Return);
}

bool waitFor(const std::function<bool()>& done) {
    return QTest::qWaitFor(done, 60000);
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const std::string action = argc > 1 ? argv[1] : "";
    const fs::path root =
        fs::temp_directory_path() / ("quorvel-follow-" + std::to_string(getpid()));
    const fs::path program = root / "Quorvel";
    const fs::path game = root / "game";
    for (const char* folder : {"FLIGHTMODELS", "MISSIONS", "SKINS", "TERRAINS", "GRAPHICS",
                               "SOUNDS", "EXES", "BACKUPS", "SETS"})
        fs::create_directories(program / folder);
    for (const char* file : {"EAW.EXE", "EAW.INI", "EXTRA.SPT", "GRB_031.SND", "SKY.PIC"})
        writeFile(game / file, std::string("game ") + file);
    makeArchive(program / "GRAPHICS" / "CLOUDS.zip", {"clouds/SKY.PIC", "CLOUD.PIC", "SHARED.3DZ"});
    makeArchive(program / "GRAPHICS" / "COCKPITS.zip", {"CPIT.CPT", "SHARED.3DZ"});
    makeArchive(program / "SOUNDS" / "MERLIN.zip", {"MERLIN.WSD"});
    writeFile(program / "SETS" / "Evening.INI", "[ADDONS]\r\nGRAPHICS=CLOUDS\r\nSOUNDS=MERLIN\r\n");
    quorvel::SetProgramFolder(program);

    int result = 0;
    {
        quorvel::Principal window;
        window.show();
        quorvel::GameFolderChoice choice;
        choice.choose(game);
        window.acceptFirstRun(choice, true);
        window.activateWindow();
        if (!QTest::qWaitForWindowActive(&window))
            return 2;
        window.findChild<QAbstractButton*>("Command6")->click(); // graphics
        QListWidget* graphics = list(window, "List5");
        if (action != "install") {
            enter(list(window, "List8"), "CLOUDS");
            waitFor([&] { return window.isEnabled() && graphics->count() == 1; });
            enter(list(window, "List8"), "COCKPITS");
            waitFor([&] { return window.isEnabled() && graphics->count() == 2; });
        }
        __gcov_reset();
        bool done = false;
        if (action == "install") {
            enter(list(window, "List8"), "CLOUDS");
            done = waitFor([&] { return window.isEnabled() && graphics->count() == 1; });
        } else if (action == "uninstall") {
            enter(graphics, "COCKPITS"); // its SHARED.3DZ comes back from CLOUDS
            done = waitFor([&] { return window.isEnabled() && graphics->count() == 1; });
        } else if (action == "put-back") {
            window.findChild<quorvel::SetsMenu*>()->putBack("Evening");
            done = waitFor([&] {
                return window.isEnabled() && list(window, "List6")->count() == 1 &&
                       graphics->count() == 1;
            });
        }
        __gcov_dump();
        result = done ? 0 : 1;
        if (!done)
            std::fprintf(stderr, "the action \"%s\" did not end as expected\n", action.c_str());
    }
    fs::remove_all(root);
    _exit(result); // the counters were written; the exit would add its own steps
}
