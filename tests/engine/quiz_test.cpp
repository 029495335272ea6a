#include "engine/quiz.h"
#include "support/synthetic_bank.h"
#include "support/test_doubles.h"

#include <QTest>
#include <algorithm>
#include <set>

using namespace bw;
using bw::test::drawFor;

namespace {

// A quiz over a synthetic bank with a scripted random source and an in-memory store.
struct Fixture {
    QuestionBank bank = test::syntheticBank();
    test::MemoryStore store;
    RedoHistory history{store, bank};
    test::ScriptedRandom random;
    Quiz quiz{bank, history, random};

    // Scripts one exchange of positions a and b in a list of n entries.
    void swap(int a, int b, int n)
    {
        random.push(drawFor(a, n));
        random.push(drawFor(b, n));
    }
    // Scripts the exchanges of a list shuffle: the given ones first, then exchanges of 1 with itself.
    void shuffle(int n, const std::vector<std::pair<int, int>> &swaps)
    {
        for (const auto &[a, b] : swaps)
            swap(a, b, n);
        for (int i = static_cast<int>(swaps.size()); i < swapCount(n); ++i)
            swap(1, 1, n);
    }
    // Scripts one item's 8 choice exchanges.
    void scriptItem(const std::vector<std::pair<int, int>> &swaps = {}) { shuffle4(swaps); }
    void shuffle4(const std::vector<std::pair<int, int>> &swaps)
    {
        for (const auto &[a, b] : swaps)
            swap(a, b, 4);
        for (size_t i = swaps.size(); i < 8; ++i)
            swap(1, 1, 4);
    }
    // Answers every item of the running test: right ones by slot, the rest by a wrong slot.
    void answer(const std::set<int> &rightPositions)
    {
        for (int p = 1; p <= quiz.testSize; ++p) {
            TestItem &item = quiz.testItems[static_cast<size_t>(p)];
            item.chosen = static_cast<int16_t>(rightPositions.count(p) ? item.correctPos - 1 : item.correctPos % 4);
        }
    }
};

bool isPermutation(const TestItem &item)
{
    std::array<int16_t, 4> shown{item.order[1], item.order[2], item.order[3], item.order[4]};
    std::sort(shown.begin(), shown.end());
    const std::array<int16_t, 4> identity{1, 2, 3, 4};
    return shown == identity;
}

} // namespace

class QuizTest : public QObject {
    Q_OBJECT
private slots:
    void makeItemFollowsTheEightExchanges()
    {
        Fixture f;
        // Exchange shown 1 and 3, then 3 and 4: bank choice 1 ends in slot 4.
        f.scriptItem({{1, 3}, {3, 4}});
        TestItem item;
        item.chosen = 2;
        f.quiz.makeItem(item, 57, 3);
        QCOMPARE(f.random.draws, 16);
        QCOMPARE(item.position, int16_t(3));
        QCOMPARE(item.question, int16_t(57));
        QCOMPARE(item.chosen, int16_t(-1));
        QCOMPARE((std::array<int16_t, 4>{item.order[1], item.order[2], item.order[3], item.order[4]}),
                 (std::array<int16_t, 4>{3, 2, 4, 1}));
        QCOMPARE(item.correctPos, int16_t(4));
    }

    void makeTestDrawsFromTheShuffledBank()
    {
        Fixture f;
        f.shuffle(165, {{1, 165}, {2, 100}});
        for (int i = 0; i < 5; ++i)
            f.scriptItem();
        f.quiz.testSize = 5;
        f.quiz.makeTest();
        QCOMPARE(f.random.reseeds, 1);
        QCOMPARE(f.random.draws, 2 * 214 + 5 * 16);
        const std::array<int16_t, 5> expected{165, 100, 3, 4, 5};
        for (int i = 1; i <= 5; ++i) {
            const TestItem &item = f.quiz.testItems[static_cast<size_t>(i)];
            QCOMPARE(item.question, expected[static_cast<size_t>(i - 1)]);
            QCOMPARE(item.position, int16_t(i));
            QCOMPARE(item.correctPos, int16_t(1));
        }
        QCOMPARE(f.quiz.currentPos, int16_t(1));
    }

    void wholeBankTestHoldsEveryQuestionOnce()
    {
        Fixture f;
        ClockRandomSource random;
        Quiz quiz(f.bank, f.history, random);
        for (int run = 0; run < 20; ++run) {
            quiz.testSize = 165;
            quiz.makeTest();
            std::set<int> questions;
            for (int i = 1; i <= 165; ++i) {
                const TestItem &item = quiz.testItems[static_cast<size_t>(i)];
                questions.insert(item.question);
                QVERIFY(isPermutation(item));
                QCOMPARE(item.order[static_cast<size_t>(item.correctPos)], f.bank.answerKey[static_cast<size_t>(item.question)]);
                QCOMPARE(item.chosen, int16_t(-1));
            }
            QCOMPARE(questions.size(), size_t(165));
            QCOMPARE(*questions.begin(), 1);
            QCOMPARE(*questions.rbegin(), 165);
        }
    }

    void redoTestTakesExactlyTheFlaggedQuestions()
    {
        Fixture f;
        f.history.redoFlags[3] = 1;
        f.history.redoFlags[17] = 7; // a carried-over digit counts as flagged
        f.history.redoFlags[40] = 1;
        f.shuffle(3, {{1, 3}}); // 4 exchanges for 3 entries
        for (int i = 0; i < 3; ++i)
            f.scriptItem();
        f.history.redoMode = true;
        QVERIFY(f.quiz.startTest(100));
        QCOMPARE(f.random.draws, 2 * 4 + 3 * 16);
        QCOMPARE(f.quiz.testSize, int16_t(3));
        QCOMPARE(f.quiz.testItems[1].question, int16_t(40));
        QCOMPARE(f.quiz.testItems[2].question, int16_t(17));
        QCOMPARE(f.quiz.testItems[3].question, int16_t(3));
        QVERIFY(!f.history.redoMode);
        QCOMPARE(f.quiz.testFinished, int16_t(0));
    }

    void singleFlagGivesOneItemTest()
    {
        Fixture f;
        f.history.redoFlags[99] = 1;
        f.history.redoMode = true;
        QVERIFY(f.quiz.startTest(5));
        QCOMPARE(f.quiz.testSize, int16_t(1));
        QCOMPARE(f.random.draws, 2 + 16);
        QVERIFY(!f.quiz.previousEnabled());
        QVERIFY(!f.quiz.nextEnabled());
    }

    // A redo request that finds nothing builds nothing and leaves the running test alone.
    void emptyRedoBuildsNothing()
    {
        Fixture f;
        QVERIFY(f.quiz.startTest(10));
        f.quiz.currentPos = 4;
        f.quiz.testItems[4].chosen = 2;
        const auto before = f.quiz.testItems;
        f.history.redoMode = true;
        QVERIFY(!f.quiz.startTest(10));
        QVERIFY(!f.history.redoMode);
        QCOMPARE(f.quiz.testSize, int16_t(10));
        QCOMPARE(f.quiz.currentPos, int16_t(4));
        QCOMPARE(f.quiz.testFinished, int16_t(0));
        QVERIFY(std::equal(before.begin(), before.end(), f.quiz.testItems.begin(), [](const TestItem &a, const TestItem &b) {
            return a.question == b.question && a.chosen == b.chosen && a.order == b.order;
        }));
    }

    void smallerTestLeavesLaterRecordsAlone()
    {
        Fixture f;
        QVERIFY(f.quiz.startTest(20));
        const auto before = f.quiz.testItems;
        QVERIFY(f.quiz.startTest(5));
        QCOMPARE(f.quiz.testSize, int16_t(5));
        for (size_t i = 6; i <= 20; ++i) {
            QCOMPARE(f.quiz.testItems[i].question, before[i].question);
            QCOMPARE(f.quiz.testItems[i].position, before[i].position);
        }
    }

    void startTestResetsTheRunningState()
    {
        Fixture f;
        QVERIFY(f.quiz.startTest(5));
        f.answer({1});
        while (f.quiz.next()) {
        }
        QVERIFY(f.quiz.reachedLast);
        QVERIFY(f.quiz.finishTest(true));
        QVERIFY(f.quiz.reviewMode);
        f.history.redoMode = true;
        QVERIFY(f.quiz.startTest(20));
        QVERIFY(!f.quiz.reachedLast);
        QVERIFY(!f.quiz.reviewMode);
        QVERIFY(!f.history.redoMode);
        QCOMPARE(f.quiz.testFinished, int16_t(0));
        QCOMPARE(f.quiz.currentPos, int16_t(1));
        QCOMPARE(f.quiz.testSize, int16_t(4)); // the four wrong ones of the first test
    }

    void navigationAndReachedLast()
    {
        Fixture f;
        QVERIFY(f.quiz.startTest(20));
        QVERIFY(!f.quiz.previousEnabled());
        QVERIFY(f.quiz.nextEnabled());
        QVERIFY(!f.quiz.previous());
        for (int i = 2; i <= 19; ++i)
            QVERIFY(f.quiz.next());
        QVERIFY(!f.quiz.reachedLast);
        QVERIFY(f.quiz.next());
        QCOMPARE(f.quiz.currentPos, int16_t(20));
        QVERIFY(f.quiz.reachedLast);
        QVERIFY(f.quiz.previousEnabled());
        QVERIFY(!f.quiz.nextEnabled());
        QVERIFY(!f.quiz.next());
        QVERIFY(f.quiz.previous());
        QVERIFY(f.quiz.reachedLast);
    }

    void answersAreKeptPerItem()
    {
        Fixture f;
        QVERIFY(f.quiz.startTest(5));
        f.quiz.selectAnswer(2, true);
        QVERIFY(f.quiz.next());
        QCOMPARE(f.quiz.currentItem().chosen, int16_t(-1));
        QVERIFY(f.quiz.previous());
        QCOMPARE(f.quiz.currentItem().chosen, int16_t(2));
        f.quiz.selectAnswer(1, false); // another button going off does not clear C
        QCOMPARE(f.quiz.currentItem().chosen, int16_t(2));
        f.quiz.selectAnswer(2, false);
        QCOMPARE(f.quiz.currentItem().chosen, int16_t(-1));
    }

    void percentText_data()
    {
        QTest::addColumn<int>("correct");
        QTest::addColumn<int>("total");
        QTest::addColumn<QString>("text");
        QTest::newRow("2 of 3") << 2 << 3 << "66.7%";
        QTest::newRow("1 of 16: half rounds up") << 1 << 16 << "6.3%";
        QTest::newRow("120 of 165") << 120 << 165 << "72.7%";
        QTest::newRow("5 of 5") << 5 << 5 << "100.0%";
        QTest::newRow("0 of 5") << 0 << 5 << "0.0%";
        QTest::newRow("1 of 80: 1.25") << 1 << 80 << "1.3%";
        QTest::newRow("3 of 80: 3.75") << 3 << 80 << "3.8%";
        QTest::newRow("1 of 3") << 1 << 3 << "33.3%";
        QTest::newRow("164 of 165") << 164 << 165 << "99.4%";
        QTest::newRow("1 of 165") << 1 << 165 << "0.6%";
    }
    void percentText()
    {
        QFETCH(int, correct);
        QFETCH(int, total);
        QFETCH(QString, text);
        QCOMPARE(QString::fromStdString(formatPercent(correct, total)), text);
    }

    void markingFlagsEveryQuestionOfTheTest()
    {
        Fixture f;
        f.history.redoFlags[1] = 5;
        QVERIFY(f.quiz.startTest(10));
        std::set<int> inTest;
        for (int p = 1; p <= 10; ++p)
            inTest.insert(f.quiz.testItems[static_cast<size_t>(p)].question);
        f.answer({2, 5, 9});
        f.quiz.testItems[3].chosen = -1; // unanswered counts as wrong
        QVERIFY(f.quiz.finishTest(true));
        QCOMPARE(f.quiz.correctCount, int16_t(3));
        QCOMPARE(f.quiz.wrongCount, int16_t(7));
        const std::array<int16_t, 7> wrong{1, 3, 4, 6, 7, 8, 10};
        for (size_t i = 0; i < wrong.size(); ++i)
            QCOMPARE(f.quiz.wrongList[i + 1], wrong[i]);
        for (int p = 1; p <= 10; ++p) {
            const int q = f.quiz.testItems[static_cast<size_t>(p)].question;
            const bool right = p == 2 || p == 5 || p == 9;
            QCOMPARE(f.history.redoFlags[static_cast<size_t>(q)], int16_t(right ? 0 : 1));
        }
        if (!inTest.count(1))
            QCOMPARE(f.history.redoFlags[1], int16_t(5)); // questions outside the test keep their flag
        QCOMPARE(QString::fromStdString(f.quiz.percentText()), QStringLiteral("30.0%"));
    }

    void verdicts_data()
    {
        QTest::addColumn<int>("correctSlot"); // 1..4
        QTest::addColumn<int>("chosen");      // -1, 0..3
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("cross");
        QTest::addColumn<int>("flag");
        QTest::newRow("unanswered") << 3 << -1 << "Your answer is WRONG, the correct answer is C" << -1 << 1;
        QTest::newRow("wrong in slot A") << 2 << 0 << "Your answer is WRONG, the correct answer is B" << 0 << 1;
        QTest::newRow("wrong in slot D") << 1 << 3 << "Your answer is WRONG, the correct answer is A" << 3 << 1;
        QTest::newRow("right in slot D") << 4 << 3 << "Your answer is CORRECT." << -1 << 0;
        QTest::newRow("right in slot A") << 1 << 0 << "Your answer is CORRECT." << -1 << 0;
    }
    void verdicts()
    {
        QFETCH(int, correctSlot);
        QFETCH(int, chosen);
        QFETCH(QString, text);
        QFETCH(int, cross);
        QFETCH(int, flag);
        Fixture f;
        // Put bank choice 1 into the wanted slot by one exchange of slot 1 with it.
        f.shuffle(165, {});
        f.scriptItem({{1, correctSlot}});
        QVERIFY(f.quiz.startTest(5));
        TestItem &item = f.quiz.testItems[1];
        QCOMPARE(item.correctPos, int16_t(correctSlot));
        item.chosen = static_cast<int16_t>(chosen);
        f.history.redoFlags[static_cast<size_t>(item.question)] = int16_t(1 - flag);
        const Verdict verdict = f.quiz.checkAnswer();
        QCOMPARE(QString::fromStdString(verdict.text), text);
        QCOMPARE(verdict.tickSlot, int16_t(correctSlot - 1));
        QCOMPARE(verdict.crossSlot, int16_t(cross));
        QCOMPARE(f.history.redoFlags[static_cast<size_t>(item.question)], int16_t(flag));
    }

    // After Finish an item judged wrong is shown again, perhaps with its answer changed, once
    // another copy of the program has cleared the history and this copy has taken that in.
    // Only a changed verdict is this copy's to save. Answers: 0 right, 1 the Finish's wrong
    // choice, 2 another wrong choice; each is shown at once.
    void onlyAChangedVerdictIsSaved_data()
    {
        QTest::addColumn<QList<int>>("answers");
        QTest::addColumn<char>("saved");
        QTest::newRow("shown again as it was") << QList<int>{} << '0';
        QTest::newRow("another wrong choice") << QList<int>{2} << '0';
        QTest::newRow("changed to the right choice") << QList<int>{0} << '0';
        QTest::newRow("changed to right and back to wrong") << QList<int>{0, 1} << '1';
    }
    void onlyAChangedVerdictIsSaved()
    {
        QFETCH(QList<int>, answers);
        QFETCH(char, saved);
        Fixture f;
        f.history.loadRedo();
        QVERIFY(f.quiz.startTest(5));
        f.answer({2, 3, 4, 5});
        QVERIFY(f.quiz.finishTest(true));
        QVERIFY(f.history.saveRedo());
        f.quiz.positionAfterFinish();
        TestItem &item = f.quiz.testItems[1];
        const auto q = static_cast<size_t>(item.question);
        QCOMPARE(f.store.redo()[q - 1], '1');
        QVERIFY(!f.quiz.checkAnswer().right); // the review shows it
        f.store.values["Lumbra/aaa/redo"] = std::string(165, '0');
        QVERIFY(f.history.followStore());
        QVERIFY(!f.quiz.checkAnswer().right);
        QCOMPARE(f.history.redoFlags[q], int16_t(0));
        for (const int answer : answers) {
            item.chosen = static_cast<int16_t>((item.correctPos - 1 + answer) % 4);
            QCOMPARE(f.quiz.checkAnswer().right, answer == 0);
        }
        QVERIFY(f.history.saveRedo());
        QCOMPARE(f.store.redo()[q - 1], saved);
    }

    void reviewWalksTheWrongItemsOnly()
    {
        Fixture f;
        QVERIFY(f.quiz.startTest(20));
        f.answer({1, 2, 3, 4, 5, 6, 8, 9, 10, 11, 12, 13, 14, 15, 16, 18, 19});
        QVERIFY(f.quiz.finishTest(true)); // wrong: 7, 17, 20
        f.quiz.positionAfterFinish();
        QCOMPARE(f.quiz.currentPos, int16_t(7));
        QVERIFY(!f.quiz.previousEnabled());
        QVERIFY(f.quiz.nextEnabled());
        QVERIFY(f.quiz.next());
        QCOMPARE(f.quiz.currentPos, int16_t(17));
        QVERIFY(f.quiz.next());
        QCOMPARE(f.quiz.currentPos, int16_t(20));
        QVERIFY(!f.quiz.nextEnabled());
        QVERIFY(!f.quiz.next());
        QVERIFY(!f.quiz.reachedLast); // the review's Next never sets it
        // Unticking shows item 1 whichever item was on display; ticking again the first wrong one.
        f.quiz.setReviewMode(false);
        QCOMPARE(f.quiz.currentPos, int16_t(1));
        QVERIFY(f.quiz.nextEnabled());
        f.quiz.setReviewMode(true);
        QCOMPARE(f.quiz.currentPos, int16_t(7));
        QCOMPARE(f.quiz.reviewIndex, int16_t(1));
        // Answering a reviewed item right keeps it in the review.
        f.quiz.testItems[7].chosen = static_cast<int16_t>(f.quiz.testItems[7].correctPos - 1);
        QVERIFY(f.quiz.checkAnswer().right);
        QCOMPARE(f.quiz.wrongCount, int16_t(3));
        QCOMPARE(f.quiz.correctCount, int16_t(17));
    }

    void allRightDisablesTheReview()
    {
        Fixture f;
        QVERIFY(f.quiz.startTest(5));
        f.answer({1, 2, 3, 4, 5});
        QVERIFY(!f.quiz.finishTest(true));
        QVERIFY(!f.quiz.reviewMode);
        f.quiz.positionAfterFinish();
        QCOMPARE(f.quiz.currentPos, int16_t(1));
        QVERIFY(f.quiz.checkAnswer().right);
    }

    void oneWrongItemDisablesBothButtons()
    {
        Fixture f;
        QVERIFY(f.quiz.startTest(5));
        f.answer({1, 2, 4, 5});
        QVERIFY(f.quiz.finishTest(true));
        f.quiz.positionAfterFinish();
        QCOMPARE(f.quiz.currentPos, int16_t(3));
        QVERIFY(!f.quiz.previousEnabled());
        QVERIFY(!f.quiz.nextEnabled());
    }
};

QTEST_APPLESS_MAIN(QuizTest)
#include "quiz_test.moc"
