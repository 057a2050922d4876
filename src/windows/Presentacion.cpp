#include "windows/Presentacion.h"

#include "config/FirstRun.h"
#include "config/PathVariables.h"
#include "ui_Presentacion.h"
#include "windows/Backups.h"
#include "windows/Principal.h"
#include "windows/WindowPlacement.h"

namespace quorvel {

Presentacion::Presentacion(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint)
    , ui(std::make_unique<Ui::Presentacion>()) {
    ui->setupUi(this);
    setAttribute(Qt::WA_DeleteOnClose);
    PlaceFixedCentred(this);
    ReloadPaths(true);
    Timer1.setSingleShot(true);
    Timer1.setInterval(1000);
    connect(&Timer1, &QTimer::timeout, this, &Presentacion::Timer1_Timer);
    Timer1.start();
}

Presentacion::~Presentacion() = default;

void Presentacion::Timer1_Timer() {
    auto* mainWindow = new Principal();
    mainWindow->setAttribute(Qt::WA_DeleteOnClose);
    mainWindow->show();
    if (FirstRunWindowDue())
        mainWindow->openWindow(new Backups(mainWindow), false);
    emit mainWindowShown(mainWindow);
    close();
}

} // namespace quorvel
