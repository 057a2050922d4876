#include "EndRequests.h"
#include "SingleInstance.h"
#include "config/PathVariables.h"
#include "platform/ZipArchive.h"
#include "windows/Presentacion.h"
#include "windows/Principal.h"
#include "windows/Prompts.h"
#include "windows/TextConversions.h"
#include "windows/WindowPlacement.h"

#include <QApplication>
#include <QIcon>
#include <QPointer>

namespace {

// A lock that no running copy answers for never makes a start silent.
bool mayRun(quorvel::SingleInstance& instance) {
    switch (instance.claim()) {
    case quorvel::SingleInstance::Claim::Run:
        return true;
    case quorvel::SingleInstance::Claim::Forwarded:
        return false;
    case quorvel::SingleInstance::Claim::Unanswered:
        break;
    }
    const auto answer = quorvel::Prompts::ask(
        nullptr, QMessageBox::Question, QStringLiteral("QUORVEL"),
        QStringLiteral("The lock file QUORVEL.LCK says that Quorvel runs on this folder "
                       "already, but no running copy answers: it may have been left by a "
                       "copy on another computer.\n\nStart Quorvel anyway?"),
        QMessageBox::Yes | QMessageBox::No);
    return answer == QMessageBox::Yes && instance.takeOver();
}

} // namespace

int main(int argc, char* argv[]) {
    quorvel::ReadTimeZoneOnce();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quorvel"));
    // The desktop entry's name, so that a Linux desktop shows its icon for every window.
    QGuiApplication::setDesktopFileName(QStringLiteral("quorvel"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/quorvel.png")));
    quorvel::UseWindowFont();
    quorvel::SingleInstance instance(QCoreApplication::applicationDirPath());
    if (!mayRun(instance))
        return 0;
    quorvel::SetProgramFolder(quorvel::ToPath(QCoreApplication::applicationDirPath()));
    auto* splash = new quorvel::Presentacion();
    QPointer<quorvel::Principal> mainWindow;
    QObject::connect(splash, &quorvel::Presentacion::mainWindowShown,
                     [&mainWindow](quorvel::Principal* shown) { mainWindow = shown; });
    QObject::connect(&instance, &quorvel::SingleInstance::anotherStarted, [&mainWindow] {
        if (mainWindow)
            mainWindow->bringForward();
    });
    // Ended from outside, the program clears the game folder as a close does.
    quorvel::EndRequests ends;
    QObject::connect(&ends, &quorvel::EndRequests::endRequested, [&mainWindow] {
        if (mainWindow)
            mainWindow->endProgram();
        else
            QCoreApplication::quit();
    });
    QObject::connect(&app, &QCoreApplication::aboutToQuit, [&mainWindow] {
        if (mainWindow)
            mainWindow->clearBeforeExit();
    });
    splash->show();
    return QApplication::exec();
}
