#include "support/recording_shell.h"

#include "widgets/fonts.h"
#include "widgets/twips.h"
#include "web/banner_view.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <memory>
#include <vector>

using bw::twips;
using bw::twipsRect;

namespace {

const QString kTitle = QStringLiteral(" Brightwell( www.brightwell.example )");
const QString kSample = QStringLiteral("https://www.brightwell.example/sample.html");

struct PaintCounter : QObject {
    int paints = 0;
    bool eventFilter(QObject *, QEvent *event) override
    {
        paints += event->type() == QEvent::Paint;
        return false;
    }
};

} // namespace

class BannerViewTest : public QObject {
    Q_OBJECT

    std::unique_ptr<QWidget> host_;
    bw::test::RecordingShell shell_;
    std::unique_ptr<bw::BannerView> view_;

    template <typename T = QWidget>
    T *child(const char *name) const { return host_->findChild<T *>(QLatin1String(name)); }
    void tickUntil(int32_t bannerTick)
    {
        while (view_->machine().bannerTick != bannerTick)
            view_->onTick();
    }
    // Pictures for the docs, saved when BRIGHTWELL_SCREENSHOT_DIR names a folder.
    void screenshot(const char *name) const
    {
        if (const QString folder = qEnvironmentVariable("BRIGHTWELL_SCREENSHOT_DIR"); !folder.isEmpty())
            QVERIFY(host_->grab().save(folder + QLatin1Char('/') + QLatin1String(name)));
    }

private slots:
    void initTestCase() { bw::installFontSubstitutions(); }
    void init()
    {
        host_ = std::make_unique<QWidget>();
        host_->resize(719, 501);
        shell_ = {};
        view_ = std::make_unique<bw::BannerView>(host_.get(), shell_);
        host_->show();
        QVERIFY(QTest::qWaitForWindowExposed(host_.get()));
    }
    void cleanup()
    {
        host_.reset(); // the host may go first
        view_.reset();
    }

    void setUp()
    {
        const std::pair<const char *, QRect> places[] = {
            {"Label4", twipsRect(480, 6360, 9855, 975)}, {"Picture1", twipsRect(480, 6360, 9855, 975)},
            {"Image4", twipsRect(480, 6480, 3900, 720)}, {"Label5", twipsRect(120, 500, 9855, 375)},
            {"Command9", twipsRect(9600, 2280, 975, 495)}};
        for (const auto &[name, rect] : places)
            QCOMPARE(child(name)->geometry(), rect);
        QCOMPARE(child("Label5")->parentWidget(), child("Picture1"));
        QCOMPARE(child<QLabel>("Label5")->text(), QStringLiteral("Label5"));
        QCOMPARE(child<QLabel>("Image4")->pixmap().deviceIndependentSize(), QSizeF(260, 48));
        QVERIFY(!child("Picture1")->isVisible() && !child("Command9")->isVisible());
        QCOMPARE(child<QTimer>("Timer2")->interval(), 4000);
        QVERIFY(child<QTimer>("Timer2")->isActive());
        for (const char *name : {"Picture1", "Label5", "Image4"})
            QCOMPARE(child(name)->cursor().shape(), Qt::PointingHandCursor);
    }

    // The box never comes before 4 s, and the ticks keep 128 ms on average: a timer that may
    // fire early (Qt's default, coarse one) is caught by a tick that comes before its time.
    void ticksKeepTime()
    {
        view_.reset();
        host_ = std::make_unique<QWidget>();
        QElapsedTimer clock;
        clock.start();
        view_ = std::make_unique<bw::BannerView>(host_.get(), shell_);
        std::vector<qint64> ticks; // ns since the view was made, when each tick had run
        connect(child<QTimer>("Timer2"), &QTimer::timeout, host_.get(), [&] { ticks.push_back(clock.nsecsElapsed()); });
        // BRIGHTWELL_BANNER_TICKS=494 measures a whole round.
        const int wanted = qEnvironmentVariableIsSet("BRIGHTWELL_BANNER_TICKS")
                               ? std::max(2, qEnvironmentVariableIntValue("BRIGHTWELL_BANNER_TICKS"))
                               : 41;
        QTRY_VERIFY_WITH_TIMEOUT(ticks.size() >= size_t(wanted), 8000 + wanted * 200);
        QVERIFY2(ticks[0] >= 4000'000'000, qPrintable(QString("first tick after %1 ms").arg(double(ticks[0]) / 1e6)));
        for (size_t k = 1; k < ticks.size(); ++k) {
            const qint64 due = ticks[0] + qint64(k) * 128'000'000 - 2'000'000;
            QVERIFY2(ticks[k] >= due, qPrintable(QString("tick %1 came %2 ms early").arg(k).arg(double(due - ticks[k]) / 1e6)));
        }
        qInfo("first tick after %.3f ms; %d ticks of %.3f ms on average", double(ticks[0]) / 1e6, wanted - 1,
              double(ticks[size_t(wanted - 1)] - ticks[0]) / 1e6 / (wanted - 1));
    }

    void rounds()
    {
        view_->onTick();
        QVERIFY(child("Picture1")->isVisible());
        QCOMPARE(child<QTimer>("Timer2")->interval(), 128);
        QCOMPARE(child("Label5")->y(), twips(895));
        QCOMPARE(view_->heading(), kTitle);
        QCOMPARE(child<QLabel>("Label5")->text(), QStringLiteral("Highly similar to the REAL test !"));
        tickUntil(4);
        QCOMPARE(child("Label5")->y(), twips(895 - 3 * 46.875));
        screenshot("banner-1-title.png");

        tickUntil(233);
        QCOMPARE(view_->heading(), QStringLiteral(" How to Save Time Preparing for Canada Citizenship Test?"));
        QCOMPARE(child<QLabel>("Label5")->text(), QStringLiteral("Find out on www.brightwell.example    CLICK HERE"));
        QCOMPARE(child("Label5")->y(), twips(520));
        screenshot("banner-2-closing.png");
        child<QPushButton>("Command9")->click();
        QCOMPARE(view_->heading(), kTitle);

        tickUntil(392);
        QVERIFY(child("Picture1")->isVisible());
        view_->onTick();
        QVERIFY(!child("Picture1")->isVisible());
        screenshot("banner-3-pause.png");
        tickUntil(0);
        QVERIFY(!child("Picture1")->isVisible());
        view_->onTick();
        QVERIFY(child("Picture1")->isVisible());
    }

    // Clicks go through the window, so whatever is on top gets them.
    void clicks_data()
    {
        QTest::addColumn<bool>("boxShown");
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<bool>("releaseInside");
        QTest::addColumn<QString>("address"); // empty: nothing opens
        QTest::newRow("box") << true << QByteArray("Picture1") << true << kSample;
        QTest::newRow("slogan") << true << QByteArray("Label5") << true << kSample;
        QTest::newRow("wordmark") << false << QByteArray("Image4") << true << "https://www.brightwell.example/";
        QTest::newRow("wordmark under the box") << true << QByteArray("Image4") << true << kSample;
        QTest::newRow("box, let go outside") << true << QByteArray("Picture1") << false << QString();
        QTest::newRow("wordmark, let go outside") << false << QByteArray("Image4") << false << QString();
    }

    void clicks()
    {
        QFETCH(bool, boxShown);
        QFETCH(QByteArray, name);
        QFETCH(bool, releaseInside);
        QFETCH(QString, address);
        if (boxShown)
            tickUntil(9); // line 0 has risen fully into the box
        const QPoint at = child(name.constData())->mapTo(host_.get(), QPoint(5, 5));
        QTest::mousePress(host_->windowHandle(), Qt::LeftButton, {}, at);
        QTest::mouseRelease(host_->windowHandle(), Qt::LeftButton, {}, releaseInside ? at : QPoint(5, 5));
        const std::vector<std::string> expected(address.isEmpty() ? 0 : 1, address.toStdString());
        QCOMPARE(shell_.shellAddresses(), expected);
    }

    // A tick repaints the box at most, and nothing while the line rests or the box is away.
    void ticksRepaintOnlyTheBox_data()
    {
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        QTest::addColumn<bool>("boxRepaints");
        QTest::newRow("line 1 rises") << 28 << 31 << true;
        QTest::newRow("line 0 rests") << 10 << 28 << false;
        QTest::newRow("closing heading") << 224 << 225 << true;
        QTest::newRow("pause") << -90 << -80 << false;
    }

    void ticksRepaintOnlyTheBox()
    {
        QFETCH(int, from);
        QFETCH(int, to);
        QFETCH(bool, boxRepaints);
        tickUntil(from);
        QCoreApplication::processEvents();
        PaintCounter box, others;
        child("Picture1")->installEventFilter(&box);
        for (QWidget *widget : {host_.get(), child("Label4"), child("Image4")})
            widget->installEventFilter(&others);
        tickUntil(to);
        QCoreApplication::processEvents();
        QCOMPARE(box.paints > 0, boxRepaints);
        QCOMPARE(others.paints, 0);
    }

    void viewGoesBeforeHost()
    {
        view_.reset();
        QVERIFY(!child("Picture1") && !child("Image4") && !child<QTimer>("Timer2"));
    }
};

QTEST_MAIN(BannerViewTest)
#include "banner_view_test.moc"
