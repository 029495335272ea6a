#include "engine/random_source.h"
#include "support/test_doubles.h"

#include <QTest>
#include <cmath>
#include <limits>

using namespace bw;

class RandomSourceTest : public QObject {
    Q_OBJECT
private slots:
    void swapCounts_data()
    {
        QTest::addColumn<int>("n");
        QTest::addColumn<int>("swaps");
        QTest::newRow("whole bank: 214.5 goes to even") << 165 << 214;
        QTest::newRow("15: 19.5 goes to even") << 15 << 20;
        QTest::newRow("5: 6.5 goes to even") << 5 << 6;
        QTest::newRow("3: 3.9 rounds up") << 3 << 4;
        QTest::newRow("2: 2.6") << 2 << 3;
        QTest::newRow("1: 1.3") << 1 << 1;
        QTest::newRow("25: 32.5 goes to even") << 25 << 32;
        QTest::newRow("35: 45.5 goes to even") << 35 << 46;
        QTest::newRow("empty list") << 0 << 0;
    }
    void swapCounts()
    {
        QFETCH(int, n);
        QFETCH(int, swaps);
        QCOMPARE(swapCount(n), swaps);
    }

    void positions_data()
    {
        QTest::addColumn<float>("draw");
        QTest::addColumn<int>("n");
        QTest::addColumn<int>("position");
        const float belowOne = std::nextafter(1.0f, 0.0f);
        QTest::newRow("0 gives 1") << 0.0f << 4 << 1;
        QTest::newRow("just below a quarter") << std::nextafter(0.25f, 0.0f) << 4 << 1;
        QTest::newRow("a quarter") << 0.25f << 4 << 2;
        QTest::newRow("largest float below 1, n 4") << belowOne << 4 << 4;
        QTest::newRow("largest float below 1, n 165") << belowOne << 165 << 165;
        QTest::newRow("largest float below 1, n 200") << belowOne << 200 << 200;
        QTest::newRow("a faulty 1.0 stays in range") << 1.0f << 4 << 4;
        QTest::newRow("a faulty negative stays in range") << -0.5f << 4 << 1;
        QTest::newRow("NaN stays in range") << std::numeric_limits<float>::quiet_NaN() << 4 << 1;
        QTest::newRow("one entry") << 0.99f << 1 << 1;
    }
    void positions()
    {
        QFETCH(float, draw);
        QFETCH(int, n);
        QFETCH(int, position);
        test::ScriptedRandom random({draw});
        QCOMPARE(randomPosition(random, static_cast<int16_t>(n)), position);
    }

    // Every draw of the real source lies in [0, 1), and every position in 1..n is reached.
    void clockSourceStaysBelowOne()
    {
        ClockRandomSource random;
        std::array<int, 5> seen{};
        for (int i = 0; i < 200000; ++i) {
            const float r = random.draw();
            QVERIFY(r >= 0.0f);
            QVERIFY(r < 1.0f);
            const int16_t p = randomPosition(random, 4);
            QVERIFY(p >= 1 && p <= 4);
            ++seen[static_cast<size_t>(p)];
        }
        for (int p = 1; p <= 4; ++p)
            QVERIFY2(seen[static_cast<size_t>(p)] > 45000, "positions are not about equally likely");
    }

    void reseedsGiveNewSequences()
    {
        ClockRandomSource random;
        random.reseed();
        std::array<float, 8> first{};
        for (float &r : first)
            r = random.draw();
        random.reseed();
        std::array<float, 8> second{};
        for (float &r : second)
            r = random.draw();
        QVERIFY(first != second);
    }
};

QTEST_APPLESS_MAIN(RandomSourceTest)
#include "random_source_test.moc"
