// Renders the windows as a person sees them. With BRIGHTWELL_SCREENSHOT_DIR set, the pictures
// are written there as PNG files (scripts/screenshots.sh keeps docs/ current).
#include "app/dialogs.h"
#include "app/result_window.h"
#include "engine/random_source.h"
#include "web/banner_view.h"
#include "support/key_typist.h"
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
    // Every window in each language; the French pictures are named fr-*.
    void windows_data()
    {
        QTest::addColumn<Language>("language");
        QTest::addColumn<QString>("prefix");
        QTest::newRow("English") << Language::English << QString();
        QTest::newRow("French") << Language::French << QStringLiteral("fr-");
    }
    void windows()
    {
        QFETCH(Language, language);
        QFETCH(QString, prefix);
        const auto keep = [&prefix](QWidget *widget, const QString &name) { ::keep(widget, prefix + name); };
        test::MemoryStore store;
        store.write("Lumbra", "aaa", "redo", "1"); // the history commands enabled
        ClockRandomSource random;
        MainWindowDriver d(store, random, nullptr, language);
        keep(d.window.get(), QStringLiteral("startup"));

        d.chooseSize(5); // the longest entry of the size list, shown whole
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

        // The About and order windows.
        d.dialogs.onModal = [&](QDialog &dialog) {
            dialog.show();
            keep(&dialog, dialog.objectName() == QLatin1String("Form4") ? QStringLiteral("about-window")
                                                                         : QStringLiteral("purchase-window"));
        };
        d.window->showAboutWindow();
        d.window->showPurchaseWindow();
        QCOMPARE(d.dialogs.modals.size(), size_t(3));

        // The questions the program asks, in real message boxes, with their standard buttons.
        MessageBoxDialogs boxes;
        for (const QString &name : {QStringLiteral("cancel-question"), QStringLiteral("clear-question")}) {
            bool shown = false;
            test::whenModalShown("QMessageBox", [&](QWidget *box) {
                keep(box, name);
                shown = true;
                test::typeKey({Qt::Key_Escape});
            });
            if (name == QLatin1String("cancel-question"))
                boxes.askYesNo(d.window.get(), MainWindow::tr(kCancelTestQuestion));
            else
                boxes.askOkCancel(d.window.get(), MainWindow::tr(kClearQuestion));
            QVERIFY(shown);
        }
    }
};

QTEST_MAIN(ScreenshotsTest)
#include "screenshots_test.moc"
