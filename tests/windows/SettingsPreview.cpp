// Shows the settings window alone on a sample game folder, for looking at it
// under a real display: settings_preview [seconds until it closes].
#include "SampleEawIni.h"
#include "config/PathVariables.h"
#include "support/TempFolder.h"
#include "windows/Settings.h"

#include <QApplication>
#include <QTimer>
#include <cstdlib>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    quorvel::test::TempFolder root;
    quorvel::test::MakeProgramFolder(root.path());
    quorvel::StorePaths(quorvel::FolderText(root / "game"));
    quorvel::test::WriteFile(root / "game" / "EAW.INI", quorvel::test::SampleEawIni());
    quorvel::test::WriteFile(root / "BACKUPS" / "EAW.INI", quorvel::test::SampleEawIni());
    auto* window = new quorvel::Settings(nullptr);
    window->show();
    if (argc > 1)
        QTimer::singleShot(std::atoi(argv[1]) * 1000, &app, &QApplication::quit);
    return app.exec();
}
