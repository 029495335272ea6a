// Every fixed-size window asked to maximise, and every modal window asked to minimise, the way
// Qt's own title bar asks where the desktop draws none (weston, GNOME's compositor for Wayland
// programs): the window keeps its size and comes back, the program runs on, the test in
// progress is intact. Under weston (with_wayland.sh) the compositor's own screen shows it.
#include "app/dialogs.h"
#include "support/key_typist.h"
#include "support/main_window_driver.h"

#include <QAction>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QMessageBox>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QWindow>
#include <functional>

using namespace bw;
using bw::test::MainWindowDriver;

namespace {

// A compositor on a loaded machine takes its time.
constexpr int kLimitMs = 30000;

bool underWeston()
{
    return qgetenv("BRIGHTWELL_COMPOSITOR") == "weston";
}

// Runs action once ready() holds, polling on timers so that a modal window's own loop keeps
// running meanwhile; past the limit it runs it anyway, for the test to fail on what it finds.
void whenReady(std::function<bool()> ready, std::function<void()> action, int pollsLeft = kLimitMs / 20)
{
    QTimer::singleShot(20, qApp, [ready, action, pollsLeft] {
        if (ready() || pollsLeft <= 0)
            action();
        else
            whenReady(ready, action, pollsLeft - 1);
    });
}

// What a window went through, as the desktop answered the request.
class StateWatch : public QObject {
public:
    explicit StateWatch(QWidget *window) : window_(window)
    {
        window->installEventFilter(this);
        window->windowHandle()->installEventFilter(this);
    }
    bool enlarged = false; // the desktop made it maximised, for a moment
    int shows = 0;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == window_ && event->type() == QEvent::Show)
            ++shows;
        if (watched == window_->windowHandle() && event->type() == QEvent::WindowStateChange
            && (window_->windowHandle()->windowStates() & Qt::WindowMaximized))
            enlarged = true;
        return false;
    }

private:
    QWidget *window_;
};

// The widest label of a window that shows text: drawn the same whether the window has the
// keyboard or not, unlike a button's focus.
const QLabel *widestText(const QWidget *window)
{
    const QLabel *widest = nullptr;
    for (const QLabel *label : window->findChildren<QLabel *>()) {
        if (label->isVisible() && !label->text().isEmpty() && (!widest || label->width() > widest->width()))
            widest = label;
    }
    return widest;
}

// Whether the compositor's screen shows the window as it draws itself, at its size: the row of
// its pixels through the middle of its widest text, somewhere on weston's screen.
bool onScreen(QWidget *window)
{
    const QLabel *label = widestText(window);
    if (!label)
        return false;
    QTemporaryDir dir;
    QProcess shooter;
    shooter.setWorkingDirectory(dir.path());
    shooter.start(QStringLiteral("weston-screenshooter"), {});
    if (!shooter.waitForFinished(kLimitMs) || shooter.exitCode() != 0)
        return false;
    const QStringList shots = QDir(dir.path()).entryList({QStringLiteral("*.png")});
    if (shots.isEmpty())
        return false;
    const QImage screen = QImage(dir.filePath(shots.first())).convertToFormat(QImage::Format_RGB32);
    const QImage drawn = window->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QRect text(label->mapTo(window, QPoint(0, 0)), label->size());
    const QRgb *row = reinterpret_cast<const QRgb *>(drawn.constScanLine(text.center().y())) + text.left();
    const int width = text.width();
    for (int sy = 0; sy < screen.height(); ++sy) {
        const auto *line = reinterpret_cast<const QRgb *>(screen.constScanLine(sy));
        for (int sx = 0; sx + width <= screen.width(); ++sx) {
            if (line[sx] == row[0] && std::equal(row, row + width, line + sx))
                return true;
        }
    }
    return false;
}

struct Outcome {
    bool settled = false;
    bool shown = true;
    QSize size;
};

// Asks window for state as Qt's title bar does, waits for the desktop's answer to play out and
// says what became of the window.
void request(QWidget *window, Qt::WindowState state, Outcome *outcome, std::function<void()> then)
{
    const QSize fixed = window->size();
    auto *watch = new StateWatch(window);
    watch->setParent(window);
    window->windowHandle()->setWindowStates(state);
    const auto settled = [window, watch, state, fixed] {
        const bool normal = window->windowHandle()->windowStates() == Qt::WindowNoState && window->isVisible()
            && window->size() == fixed && window->maximumSize() == fixed && window->windowHandle()->isExposed();
        // Maximised, the desktop's answer has come and gone; minimised, the window is back.
        return normal && (state == Qt::WindowMaximized ? watch->enlarged : watch->shows > 0);
    };
    whenReady(settled, [=] {
        outcome->settled = settled();
        outcome->size = window->size();
        if (underWeston())
            outcome->shown = QTest::qWaitFor([window] { return onScreen(window); }, kLimitMs);
        then();
    });
}

} // namespace

class FixedWindowsTest : public QObject {
    Q_OBJECT
private slots:
    void keepTheirSizeAndComeBack_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<int>("state");
        const int maximised = Qt::WindowMaximized;
        const int minimised = Qt::WindowMinimized;
        QTest::newRow("main window, maximised") << "Form1" << maximised;
        QTest::newRow("Finish question, maximised") << "QMessageBox" << maximised;
        QTest::newRow("Finish question, minimised") << "QMessageBox" << minimised;
        QTest::newRow("result window, maximised") << "Form2" << maximised;
        QTest::newRow("result window, minimised") << "Form2" << minimised;
        QTest::newRow("About window, maximised") << "Form4" << maximised;
        QTest::newRow("About window, minimised") << "Form4" << minimised;
        QTest::newRow("order window, maximised") << "Form5" << maximised;
        QTest::newRow("order window, minimised") << "Form5" << minimised;
    }
    void keepTheirSizeAndComeBack()
    {
        QFETCH(QString, window);
        QFETCH(int, state);
        test::MemoryStore store;
        test::ScriptedRandom random; // the right answer is always A
        MessageBoxDialogs dialogs;
        MainWindowDriver d(store, random, &dialogs);
        QVERIFY(QTest::qWaitForWindowExposed(d.window.get(), kLimitMs));
        d.click("Command2");
        d.clickOption(1); // B, wrong, on item 1
        d.click("Command4");
        if (window == QLatin1String("Form2")) {
            d.click("Command4");
            d.click("Command4");
            d.click("Command4"); // the last item: Finish asks nothing
        }
        const int16_t position = d.quiz().currentPos;

        Outcome outcome;
        QString closedWith;
        if (window == QLatin1String("Form1")) {
            bool done = false;
            request(d.window.get(), Qt::WindowState(state), &outcome, [&done] { done = true; });
            QVERIFY(QTest::qWaitFor([&done] { return done; }, 3 * kLimitMs));
        } else {
            const QByteArray name = window.toLatin1(); // read by the poll until the window comes
            test::whenModalShown(name.constData(), [&](QWidget *modal) {
                request(modal, Qt::WindowState(state), &outcome, [&, modal] {
                    // Closed with its own key, as a user would: No, OK, close.
                    if (auto *box = qobject_cast<QMessageBox *>(modal))
                        closedWith = box->button(QMessageBox::No) ? QStringLiteral("No") : QString();
                    else if (auto *total = modal->findChild<QLabel *>(QStringLiteral("Label4")))
                        closedWith = total->text() + QLatin1Char('/') + modal->findChild<QLabel *>(QStringLiteral("Label5"))->text();
                    else
                        closedWith = modal->objectName();
                    test::typeKey({Qt::Key_Escape});
                });
            });
            if (window == QLatin1String("Form4"))
                d.child<QAction>("other")->trigger();
            else if (window == QLatin1String("Form5"))
                d.child<QAction>("mcd")->trigger();
            else
                d.click("Command6"); // Finish: the question, or straight to the result
            QVERIFY(!QApplication::activeModalWidget());
        }

        QVERIFY2(outcome.settled, "the window did not come back to its own size and state");
        QVERIFY2(outcome.shown, "the compositor's screen does not show the window at its size");
        if (window == QLatin1String("Form2")) {
            QCOMPARE(closedWith, QStringLiteral("5/0"));
            QCOMPARE(d.quiz().testFinished, int16_t(1));
            QCOMPARE(store.writes, 1);
        } else {
            if (window == QLatin1String("QMessageBox"))
                QCOMPARE(closedWith, QStringLiteral("No"));
            QCOMPARE(d.quiz().testFinished, int16_t(0));
            QCOMPARE(d.quiz().currentPos, position);
            QCOMPARE(store.writes, 0);
        }
        QCOMPARE(d.quiz().testItems[1].chosen, int16_t(1));
        QCOMPARE(d.window->size(), d.window->maximumSize());
    }
};

QTEST_MAIN(FixedWindowsTest)
#include "fixed_windows_test.moc"
