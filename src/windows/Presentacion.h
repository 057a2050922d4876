#pragma once

#include <QTimer>
#include <QWidget>
#include <memory>

namespace Ui {
class Presentacion;
}

namespace quorvel {

class Principal;

// The borderless splash window. One second after it shows it makes the main
// window, with the first-run window over it when that is due.
class Presentacion : public QWidget {
    Q_OBJECT
public:
    explicit Presentacion(QWidget* parent = nullptr);
    ~Presentacion() override;

signals:
    // The main window the start-up decision opened; it lives until the program ends.
    void mainWindowShown(quorvel::Principal* mainWindow);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void Timer1_Timer();

    std::unique_ptr<Ui::Presentacion> ui;
    QTimer Timer1;
};

} // namespace quorvel
