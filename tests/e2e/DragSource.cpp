// A small window that drags the files named on its command line, for the walk on
// the virtual display to drop them on the program through the real drag-and-drop
// protocol: a press of the mouse in the window starts the drag, and the release,
// wherever the pointer then is, drops. Prints "dropped" or "refused" and ends soon after.
#include <QApplication>
#include <QDrag>
#include <QLabel>
#include <QMimeData>
#include <QTimer>
#include <QUrl>
#include <cstdio>

namespace {

class DragSource : public QLabel {
public:
    explicit DragSource(QList<QUrl> files)
        : QLabel(QStringLiteral("drag me"))
        , files_(std::move(files)) {
        setWindowTitle(QStringLiteral("Quorvel drag source"));
        setAlignment(Qt::AlignCenter);
    }

protected:
    void mousePressEvent(QMouseEvent*) override {
        auto* drag = new QDrag(this);
        auto* data = new QMimeData;
        data->setUrls(files_);
        drag->setMimeData(data);
        const Qt::DropAction action = drag->exec(Qt::CopyAction);
        std::puts(action == Qt::CopyAction ? "dropped" : "refused");
        std::fflush(stdout);
        // The drop message is still to be sent, and the target then asks this
        // program for the file names: stay a moment longer.
        QTimer::singleShot(2000, qApp, &QApplication::quit);
    }

private:
    QList<QUrl> files_;
};

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QList<QUrl> files;
    for (const QString& file : QApplication::arguments().mid(1))
        files << QUrl::fromLocalFile(file);
    DragSource source(files);
    source.setGeometry(0, 0, 120, 60);
    source.show();
    return QApplication::exec();
}
