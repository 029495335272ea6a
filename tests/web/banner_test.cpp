#include "web/banner.h"

#include <QTest>

using bw::BannerActions;
using bw::BannerHeading;
using bw::BannerMachine;

class BannerTest : public QObject {
    Q_OBJECT

private slots:
    void texts()
    {
        const BannerMachine machine;
        QCOMPARE(BannerMachine::titleHeading(), " Brightwell( www.brightwell.example )");
        QCOMPARE(BannerMachine::closingHeading(), " How to Save Time Preparing for Canada Citizenship Test?");
        QCOMPARE(machine.bannerLines[8], "Find out on www.brightwell.example    CLICK HERE");
        QVERIFY(machine.bannerLines[9].empty() && machine.bannerLines[10].empty());
    }

    // Two rounds and the first tick of a third, tick by tick.
    void rounds()
    {
        BannerMachine machine;
        std::vector<int32_t> shown, hidden, intervals, closings, lineEnds;
        std::vector<std::string> lines;
        std::vector<double> tops; // line 0's first ten ticks; 0 where the line is left alone
        std::vector<BannerActions> actions;
        for (int i = 0; i < 2 * 493 + 1; ++i) {
            const int32_t tick = machine.bannerTick;
            const BannerActions a = machine.tick();
            actions.push_back(a);
            if (i < 10) tops.push_back(a.sloganTop.value_or(0.0));
            if (a.showBox) shown.push_back(i);
            if (a.hideBox) hidden.push_back(tick);
            if (a.setInterval128) intervals.push_back(i);
            if (a.heading == BannerHeading::Closing) closings.push_back(tick);
            if (a.sloganText && tick % 28 == 8) { lineEnds.push_back(tick); lines.push_back(*a.sloganText); }
        }
        QCOMPARE(machine.bannerStarted, int16_t(1));
        QCOMPARE(tops, (std::vector{895.0, 848.125, 801.25, 754.375, 707.5, 660.625, 613.75, 566.875, 520.0, 0.0}));
        QCOMPARE(intervals, std::vector<int32_t>{0});
        QCOMPARE(shown, (std::vector<int32_t>{0, 493, 986}));
        QCOMPARE(hidden, (std::vector<int32_t>{392, 392}));
        QCOMPARE(actions[393 + 99].sloganText, std::nullopt); // the last pause tick
        QCOMPARE(closings.front(), 224);
        QCOMPARE(closings.size(), 2 * 9u);
        QCOMPARE(actions[0].heading, BannerHeading::Title);
        QCOMPARE(actions[493].heading, BannerHeading::Title);

        // Lines 0..8 in order, each 28 ticks; lines 3 and 6 both; only line 8 names the site.
        QCOMPARE(lines.size(), 2 * 9u);
        for (std::size_t i = 0; i < 9; ++i) {
            QCOMPARE(lineEnds[i], int32_t(28 * i + 8));
            QCOMPARE(lines[i], machine.bannerLines[i]);
            QCOMPARE(lines[i].find("brightwell.example") != std::string::npos, i == 8);
        }
        QCOMPARE(lines[3], "Almost the same as the real test questions !");
        QCOMPARE(lines[6], lines[3]);

        // The second round repeats the first, less the one-off timer set-up.
        actions[0].setInterval128 = false;
        QVERIFY(std::equal(actions.begin(), actions.begin() + 493, actions.begin() + 493));
    }
};

QTEST_GUILESS_MAIN(BannerTest)
#include "banner_test.moc"
