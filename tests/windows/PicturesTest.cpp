#include <QImage>
#include <QSize>
#include <QTest>

// The pictures are compiled into the windows library; a missing entry in the
// resource list, a wrong prefix or alias, or a picture saved at the wrong size shows here.
class PicturesTest : public QObject {
    Q_OBJECT

private slots:
    void everyPictureLoadsAtItsSize_data();
    void everyPictureLoadsAtItsSize();
    void logoBesideTheProgramHasThePreviewSize();
};

void PicturesTest::everyPictureLoadsAtItsSize_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<bool>("transparent");

    QTest::newRow("splash") << ":/pictures/splash.jpg" << QSize(342, 275) << false;
    QTest::newRow("banner") << ":/pictures/banner.jpg" << QSize(335, 80) << false;
    QTest::newRow("banner-small") << ":/pictures/banner-small.jpg" << QSize(228, 41) << false;
    QTest::newRow("logo-wide") << ":/pictures/logo-wide.jpg" << QSize(186, 36) << false;
    for (const char* icon : {"new-addon", "delete-addon", "ini-settings", "restore-ini",
                             "clear-all", "help", "about", "game-folder", "flight-models",
                             "missions", "skins", "terrains", "graphics", "sounds", "exes"}) {
        QTest::newRow(icon) << QStringLiteral(":/icons/%1.png").arg(QLatin1String(icon))
                            << QSize(64, 64) << true;
    }
    QTest::newRow("quorvel") << ":/icons/quorvel.png" << QSize(256, 256) << true;
    QTest::newRow("about-small") << ":/icons/about-small.png" << QSize(32, 32) << true;
}

void PicturesTest::everyPictureLoadsAtItsSize() {
    QFETCH(QString, path);
    QFETCH(QSize, size);
    QFETCH(bool, transparent);

    const QImage image(path);
    QVERIFY2(!image.isNull(), qPrintable(path));
    QCOMPARE(image.size(), size);
    QCOMPARE(image.hasAlphaChannel(), transparent);
    if (transparent)
        QCOMPARE(qAlpha(image.pixel(0, 0)), 0);
}

void PicturesTest::logoBesideTheProgramHasThePreviewSize() {
    const QImage logo(QStringLiteral(QUORVEL_RESOURCES_DIR "/QUORVEL.jpg"));
    QCOMPARE(logo.size(), QSize(264, 193));
}

QTEST_MAIN(PicturesTest)
#include "PicturesTest.moc"
