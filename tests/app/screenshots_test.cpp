// Renders the windows as a person sees them. With BRIGHTWELL_SCREENSHOT_DIR set, the pictures
// are written there as PNG files (scripts/screenshots.sh keeps docs/ current).
#include "app/result_window.h"
#include "engine/random_source.h"
#include "web/banner_view.h"
#include "support/main_window_driver.h"

#include <QDir>
#include <QImage>
#include <QTest>

using namespace bw;
using bw::test::MainWindowDriver;

namespace {

// Renders a window with its frame-less client area and checks that something was drawn.
void keep(QWidget *widget, const QString &name)
{
    const QImage image = widget->grab().toImage();
    QVERIFY(!image.isNull());
    QCOMPARE(image.size(), widget->size() * widget->devicePixelRatio());
    int colours = 0;
    QRgb last = 0;
    for (int y = 0; y < image.height(); y += 7)
        for (int x = 0; x < image.width(); x += 7)
            if (image.pixel(x, y) != last) {
                last = image.pixel(x, y);
                ++colours;
            }
    QVERIFY2(colours > 20, qPrintable(name + QStringLiteral(" looks blank")));
    const QString folder = qEnvironmentVariable("BRIGHTWELL_SCREENSHOT_DIR");
    if (!folder.isEmpty()) {
        QDir().mkpath(folder);
        QVERIFY(image.save(folder + QLatin1Char('/') + name + QStringLiteral(".png")));
    }
}

} // namespace

class ScreenshotsTest : public QObject {
    Q_OBJECT
private slots:
    void windows()
    {
        test::MemoryStore store;
        ClockRandomSource random;
        MainWindowDriver d(store, random);
        keep(d.window.get(), QStringLiteral("startup"));

        d.chooseSize(2);
        d.click("Command2");
        d.answerCurrent(false);
        d.click("Command4");
        d.answerCurrent(true);
        d.click("Command4");
        d.clickOption(1);
        for (int tick = 0; tick < 12; ++tick) // the banner some way into its first line
            d.window->banner().onTick();
        keep(d.window.get(), QStringLiteral("question"));

        // A wrong answer after Finish: the tick on the right choice, the cross on the chosen one.
        d.dialogs.willAnswer(true);
        ResultWindow *result = nullptr;
        d.dialogs.onModal = [&](QDialog &dialog) {
            dialog.show();
            keep(&dialog, QStringLiteral("result"));
            result = static_cast<ResultWindow *>(&dialog);
        };
        d.click("Command6");
        QVERIFY(result != nullptr);
        d.dialogs.onModal = nullptr;
        QVERIFY(d.visible("Image1") && d.visible("Image2"));
        keep(d.window.get(), QStringLiteral("finished-wrong"));

        // The longest question and the longest choice of the bank, side by side.
        d.showLongestTexts();
        keep(d.window.get(), QStringLiteral("longest-texts"));
    }
};

QTEST_MAIN(ScreenshotsTest)
#include "screenshots_test.moc"
