#include "config/PathVariables.h"
#include "windows/PathText.h"
#include "windows/Presentacion.h"
#include "windows/WindowPlacement.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quorvel"));
    // The desktop entry's name, so that a Linux desktop shows its icon for every window.
    QGuiApplication::setDesktopFileName(QStringLiteral("quorvel"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/quorvel.png")));
    quorvel::UseWindowFont();
    quorvel::SetProgramFolder(quorvel::ToPath(QCoreApplication::applicationDirPath()));
    auto* splash = new quorvel::Presentacion();
    splash->show();
    return QApplication::exec();
}
