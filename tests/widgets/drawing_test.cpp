// What the windows draw with: the pictures, each drawing read from its own file and the 2x one
// above 1x, the window icon's sizes, and the font families the layout is designed in.
#include "widgets/fonts.h"
#include "widgets/layout.h"
#include "widgets/pictures.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QImageReader>
#include <QTest>

using namespace bw;

namespace {

// The pixels alone, whatever ratio they are meant for.
QImage pixelsOf(QImage image)
{
    image.setDevicePixelRatio(1.0);
    return image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

// A file as Qt's general reader reads it, with the plug-ins' probing and all.
QImage file(const QString &name)
{
    return pixelsOf(QImageReader(QStringLiteral(":/pictures/") + name).read());
}

QImage imageOf(const QPixmap &pixmap)
{
    return pixelsOf(pixmap.toImage());
}

} // namespace

class DrawingTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { initPictureResources(); }

    // The drawing each request is served from: the one made for the size, the 2x drawing of the
    // size above 1x, a larger one made smaller, never one made larger.
    void iconSizes_data()
    {
        QTest::addColumn<int>("size");
        QTest::addColumn<qreal>("ratio");
        QTest::addColumn<QString>("drawing");
        QTest::addColumn<int>("pixels");
        QTest::newRow("16") << 16 << 1.0 << "icon-16.png" << 16;
        QTest::newRow("64") << 64 << 1.0 << "icon-64.png" << 64;
        QTest::newRow("24, from the 32") << 24 << 1.0 << "icon-32.png" << 24;
        QTest::newRow("96, only drawn at 2x") << 96 << 1.0 << "icon-48@2x.png" << 96;
        QTest::newRow("200, the largest, not enlarged") << 200 << 1.0 << "icon-64@2x.png" << 128;
        QTest::newRow("16 at 2x, its own 2x drawing") << 16 << 2.0 << "icon-16@2x.png" << 32;
        QTest::newRow("64 at 2x") << 64 << 2.0 << "icon-64@2x.png" << 128;
        QTest::newRow("16 at 1.5, its 2x drawing made smaller") << 16 << 1.5 << "icon-16@2x.png" << 24;
    }
    void iconSizes()
    {
        QFETCH(int, size);
        QFETCH(qreal, ratio);
        QFETCH(QString, drawing);
        QFETCH(int, pixels);
        const QIcon icon = sizedIcon(QStringLiteral(":/pictures/icon-%1.png"), {64, 16, 48, 32});
        QVERIFY(!icon.isNull());
        QCOMPARE(icon.availableSizes(), QList<QSize>({QSize(16, 16), QSize(32, 32), QSize(48, 48), QSize(64, 64)}));
        const QPixmap pixmap = icon.pixmap(QSize(size, size), ratio);
        QCOMPARE(pixmap.size(), QSize(pixels, pixels));
        QImage expected = file(drawing);
        if (expected.width() != pixels)
            expected = expected.scaled(pixels, pixels, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        QCOMPARE(imageOf(pixmap), expected);
        if (ratio == 1.0)
            QCOMPARE(icon.actualSize(QSize(size, size)), QSize(pixels, pixels));
    }

    // A picture at its logical size, sharp at each ratio, and exactly the file's pixels where
    // a drawing is made for the ratio.
    void picturesFollowTheRatio_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<qreal>("ratio");
        QTest::addColumn<QString>("drawing"); // empty: resampled
        QTest::newRow("wordmark") << "wordmark.png" << QSize(260, 48) << 1.0 << "wordmark.png";
        QTest::newRow("wordmark at 2x") << "wordmark.png" << QSize(260, 48) << 2.0 << "wordmark@2x.png";
        QTest::newRow("tick") << "tick.png" << QSize(30, 18) << 1.0 << "tick.png";
        QTest::newRow("cross at 2x") << "cross.png" << QSize(24, 24) << 2.0 << "cross@2x.png";
        QTest::newRow("tick at 1.5") << "tick.png" << QSize(30, 18) << 1.5 << QString();
    }
    void picturesFollowTheRatio()
    {
        QFETCH(QString, name);
        QFETCH(QSize, size);
        QFETCH(qreal, ratio);
        QFETCH(QString, drawing);
        const QPixmap pixmap = picture(QStringLiteral(":/pictures/") + name, size, ratio);
        QCOMPARE(pixmap.devicePixelRatio(), ratio);
        QCOMPARE(pixmap.size(), (QSizeF(size) * ratio).toSize());
        if (!drawing.isEmpty())
            QCOMPARE(imageOf(pixmap), file(drawing));
    }

    // A family the windows are designed in and this system lacks is asked for by the name of
    // the one standing in for it, which draws exactly as the designed name drew.
    void designedFamiliesAreInstalledOnes_data()
    {
        QTest::addColumn<QString>("family");
        for (const char *family : {"Times New Roman", "MS Sans Serif", "Microsoft Sans Serif"})
            QTest::newRow(family) << QString::fromLatin1(family);
    }
    void designedFamiliesAreInstalledOnes()
    {
        QFETCH(QString, family);
        installFontSubstitutions();
#ifdef Q_OS_WIN
        // Windows draws the layout's "MS Sans Serif" in its TrueType twin (layoutFont).
        QFont designed(family == QLatin1String("MS Sans Serif") ? QStringLiteral("Microsoft Sans Serif") : family);
#else
        QFont designed(family);
#endif
        designed.setPointSizeF(9.75);
        const QFont asked = layoutFont(family.toLatin1().constData(), 9.75);
        QVERIFY2(QFontDatabase::hasFamily(asked.family()), qPrintable(asked.family()));
        QCOMPARE(QFontInfo(asked).family(), QFontInfo(designed).family());
        QCOMPARE(QFontInfo(asked).pixelSize(), QFontInfo(designed).pixelSize());
    }
};

QTEST_MAIN(DrawingTest)
#include "drawing_test.moc"
