#include "SingleInstance.h"
#include "config/PathVariables.h"
#include "windows/PathText.h"
#include "windows/Presentacion.h"
#include "windows/Principal.h"
#include "windows/WindowPlacement.h"

#include <QApplication>
#include <QIcon>
#include <QPointer>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quorvel"));
    // The desktop entry's name, so that a Linux desktop shows its icon for every window.
    QGuiApplication::setDesktopFileName(QStringLiteral("quorvel"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/quorvel.png")));
    quorvel::SingleInstance instance(QCoreApplication::applicationDirPath());
    if (!instance.claim())
        return 0;
    quorvel::UseWindowFont();
    quorvel::SetProgramFolder(quorvel::ToPath(QCoreApplication::applicationDirPath()));
    auto* splash = new quorvel::Presentacion();
    QPointer<quorvel::Principal> mainWindow;
    QObject::connect(splash, &quorvel::Presentacion::mainWindowShown,
                     [&mainWindow](quorvel::Principal* shown) { mainWindow = shown; });
    QObject::connect(&instance, &quorvel::SingleInstance::anotherStarted, [&mainWindow] {
        if (mainWindow)
            mainWindow->bringForward();
    });
    splash->show();
    return QApplication::exec();
}
