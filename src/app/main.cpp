#include "config/PathVariables.h"
#include "windows/PathText.h"
#include "windows/Presentacion.h"
#include "windows/WindowPlacement.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quorvel"));
    quorvel::UseWindowFont();
    quorvel::SetProgramFolder(quorvel::ToPath(QCoreApplication::applicationDirPath()));
    auto* splash = new quorvel::Presentacion();
    splash->show();
    return QApplication::exec();
}
