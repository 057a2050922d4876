#include "windows/Presentacion.h"

#include "ui_Presentacion.h"
#include "windows/Principal.h"
#include "windows/WindowPlacement.h"

#include <QCloseEvent>
#include <QCoreApplication>

namespace quorvel {

Presentacion::Presentacion(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint)
    , ui(std::make_unique<Ui::Presentacion>()) {
    ui->setupUi(this);
    setAttribute(Qt::WA_DeleteOnClose);
    PlaceFixedCentred(this);
    Timer1.setSingleShot(true);
    Timer1.setInterval(1000);
    connect(&Timer1, &QTimer::timeout, this, &Presentacion::Timer1_Timer);
    Timer1.start();
}

Presentacion::~Presentacion() = default;

// The main window loads the folders from QUORVEL.INI as it is made, and starts
// once the splash is gone.
void Presentacion::Timer1_Timer() {
    auto* mainWindow = new Principal();
    mainWindow->setAttribute(Qt::WA_DeleteOnClose);
    mainWindow->show();
    emit mainWindowShown(mainWindow);
    QMetaObject::invokeMethod(mainWindow, &Principal::start, Qt::QueuedConnection);
    close();
}

// Closed before the main window came (the splash's own close, or a request from
// the desktop): the program ends, rather than lingering with no window.
void Presentacion::closeEvent(QCloseEvent* event) {
    if (Timer1.isActive()) {
        Timer1.stop();
        QCoreApplication::quit();
    }
    QWidget::closeEvent(event);
}

} // namespace quorvel
