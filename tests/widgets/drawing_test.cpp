// What the windows draw with: the font families the layout is designed in.
#include "widgets/fonts.h"
#include "widgets/layout.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QTest>

using namespace bw;

class DrawingTest : public QObject {
    Q_OBJECT
private slots:
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
