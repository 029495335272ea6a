// Runs at the scale in QT_SCALE_FACTOR (CTest runs it at 1, 1.5 and 2): the layout stays as
// laid out in logical pixels, the pictures stay sharp, the longest texts still fit, and the
// verdict marks stay visible on dark and high-contrast palettes.
#include "widgets/twips.h"
#include "engine/random_source.h"
#include "support/main_window_driver.h"
#include "web/banner_view.h"

#include <QDir>
#include <QTest>

using namespace bw;
using bw::test::MainWindowDriver;

namespace {

qreal scale()
{
    const QByteArray factor = qgetenv("QT_SCALE_FACTOR");
    return factor.isEmpty() ? 1.0 : factor.toDouble();
}

// Pixels of a rendered picture that read as the marks' red.
int redPixels(const QImage &image)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.red() > 150 && c.green() < 90 && c.blue() < 90)
                ++count;
        }
    return count;
}

QPalette darkPalette(QColor window, QColor text)
{
    QPalette palette;
    for (auto role : {QPalette::Window, QPalette::Base, QPalette::Button})
        palette.setColor(role, window);
    for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        palette.setColor(role, text);
    return palette;
}

void save(QWidget *widget, const QString &name)
{
    const QString folder = qEnvironmentVariable("BRIGHTWELL_SCREENSHOT_DIR");
    if (!folder.isEmpty() && qFuzzyCompare(scale(), 2.0))
        QVERIFY(widget->grab().save(folder + QLatin1Char('/') + name + QStringLiteral(".png")));
}

} // namespace

class ScalingTest : public QObject {
    Q_OBJECT
private slots:
    void layoutAndPicturesFollowTheScale()
    {
        test::MemoryStore store;
        ClockRandomSource random;
        MainWindowDriver d(store, random);
        QCOMPARE(d.window->devicePixelRatioF(), scale());
        QCOMPARE(d.window->centralWidget()->size(), QSize(719, 501));
        QCOMPARE(d.child("Option1_2")->geometry(), twipsRect(600, 2520, 8895, 495));
        for (const char *name : {"Image1", "Image2"}) {
            const QPixmap pixmap = d.child<QLabel>(name)->pixmap();
            QCOMPARE(pixmap.devicePixelRatio(), scale());
            QCOMPARE(pixmap.deviceIndependentSize().toSize(), d.child(name)->size());
        }
        const QImage shot = d.window->grab().toImage();
        QCOMPARE(shot.size(), (QSizeF(d.window->size()) * scale()).toSize());
        save(d.window.get(), QStringLiteral("scaled-200-startup"));
    }

    void longestTextsFit()
    {
        test::MemoryStore store;
        ClockRandomSource random;
        MainWindowDriver d(store, random);
        d.click("Command2");
        d.showLongestTexts();
        auto *label = d.child<QLabel>("Label1");
        QVERIFY(label->heightForWidth(label->width()) <= label->height());
        QVERIFY(d.option(3)->sizeHint().width() <= d.option(3)->width());
        save(d.window.get(), QStringLiteral("scaled-200-longest-texts"));
    }

    void marksStayVisibleOnEveryPalette_data()
    {
        QTest::addColumn<QColor>("window");
        QTest::addColumn<QColor>("text");
        QTest::newRow("light") << QColor(0xef, 0xef, 0xef) << QColor(Qt::black);
        QTest::newRow("dark") << QColor(0x20, 0x22, 0x26) << QColor(0xe0, 0xe0, 0xe0);
        QTest::newRow("high contrast") << QColor(Qt::black) << QColor(Qt::yellow);
    }
    void marksStayVisibleOnEveryPalette()
    {
        QFETCH(QColor, window);
        QFETCH(QColor, text);
        test::MemoryStore store;
        ClockRandomSource random;
        MainWindowDriver d(store, random);
        d.window->setPalette(darkPalette(window, text));
        d.click("Command2");
        d.answerCurrent(false);
        d.dialogs.willAnswer(true);
        d.click("Command6");
        d.window->banner().onTick();
        const QImage shot = d.window->grab().toImage();
        const auto area = [&](const char *name) {
            const QWidget *widget = d.child(name);
            const QRect logical(widget->mapTo(d.window.get(), QPoint(0, 0)), widget->size());
            return shot.copy(QRect((QPointF(logical.topLeft()) * scale()).toPoint(), (QSizeF(logical.size()) * scale()).toSize()));
        };
        // Each mark shows a good share of red over whatever lies behind it.
        QVERIFY(redPixels(area("Image2")) > 20 * scale() * scale());
        QVERIFY(redPixels(area("Image1")) > 30 * scale() * scale());
        // The banner keeps its own white box.
        const QImage box = area("Picture1");
        QCOMPARE(box.pixelColor(box.width() - 3, 3), QColor(Qt::white));
        if (window == QColor(0x20, 0x22, 0x26))
            save(d.window.get(), QStringLiteral("scaled-200-dark-finished"));
    }
};

QTEST_MAIN(ScalingTest)
#include "scaling_test.moc"
