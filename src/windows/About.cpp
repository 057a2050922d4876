#include "windows/About.h"

#include "ui_About.h"
#include "windows/ProgramPictures.h"

#include <QPixmap>

namespace quorvel {

About::About(QWidget* mainWindow, QWidget* parent)
    : ChildWindow(mainWindow, parent)
    , ui(std::make_unique<Ui::About>()) {
    ui->setupUi(this);
    ShowBanner(ui->Image1);
    ui->Image2->setPixmap(QPixmap(QStringLiteral(":/icons/about-small.png")));
    placeFixed();
}

About::~About() = default;

} // namespace quorvel
