// Drives the real main window through long runs of random user actions and checks after
// every action what the window shows against the test state it renders.
//   BRIGHTWELL_RANDOM_SEED=<n>     replays one run (each run prints its seed)
//   BRIGHTWELL_RANDOM_ACTIONS=<n>  actions per run (20,000 unless told; 1000000 for a long soak)
#include "support/main_window_driver.h"

#include <QDateTime>
#include <QTest>
#include <random>

using namespace bw;
using bw::test::MainWindowDriver;

namespace {

// A deterministic random source, so that a seed replays the same tests.
class SeededRandom : public RandomSource {
public:
    explicit SeededRandom(uint32_t seed) : generator_(seed) {}
    void reseed() override {}
    float draw() override { return static_cast<float>(generator_() >> 8) * (1.0f / 16777216.0f); }

private:
    std::mt19937 generator_;
};

enum class Action { Size, Start, Answer, Previous, Next, Finish, Review, Redo, Clear, Count };

class RandomUser {
public:
    RandomUser(MainWindowDriver &driver, test::MemoryStore &store, uint32_t seed)
        : d(driver), store_(store), random_(seed)
    {
    }

    int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }
    bool coin() { return pick(2) == 1; }

    // One random action; returns its name for the failure message.
    const char *act()
    {
        // Answers dominate, as they do when a person sits a test.
        static const std::array<Action, 16> weighted = {Action::Size,   Action::Start,  Action::Answer, Action::Answer,
                                                        Action::Answer, Action::Answer, Action::Previous, Action::Next,
                                                        Action::Next,   Action::Next,   Action::Finish, Action::Finish,
                                                        Action::Review, Action::Redo,   Action::Clear,  Action::Answer};
        savedExpected_ = false;
        switch (weighted[static_cast<size_t>(pick(static_cast<int>(weighted.size())))]) {
        case Action::Size:
            d.chooseSize(pick(3)); // the larger sizes are reached through Redo and the whole-bank case below
            return "choose size";
        case Action::Start:
            if (pick(50) == 0)
                d.chooseSize(5); // now and then the whole bank
            d.dialogs.willAnswer(coin());
            d.click("Command2");
            d.dialogs.answers.clear();
            return "start test";
        case Action::Answer:
            if (d.visible("Frame1"))
                d.clickOption(pick(4));
            return "answer";
        case Action::Previous:
            d.click("Command3");
            return "previous";
        case Action::Next:
            d.click("Command4");
            return "next";
        case Action::Finish: {
            const bool finishing = d.quiz().testFinished == 0;
            const bool yes = coin();
            d.dialogs.willAnswer(yes);
            if (d.visible("Frame1"))
                d.click("Command6");
            d.dialogs.answers.clear();
            savedExpected_ = finishing && d.quiz().testFinished == 1;
            return "finish";
        }
        case Action::Review:
            if (d.visible("Frame1"))
                d.clickCheck();
            return "review box";
        case Action::Redo:
            d.dialogs.willAnswer(coin());
            d.click("Command7");
            d.dialogs.answers.clear();
            return "redo";
        case Action::Clear: {
            const bool ok = coin();
            d.dialogs.willAnswer(ok);
            const bool enabled = d.enabled("Command8");
            d.click("Command8");
            d.dialogs.answers.clear();
            savedExpected_ = ok && enabled;
            return "clear";
        }
        case Action::Count:
            break;
        }
        return "nothing";
    }

    // Everything the window shows must agree with the state it renders.
    void check()
    {
        const Quiz &quiz = d.quiz();
        const RedoHistory &history = d.window->history();
        QCOMPARE(d.enabled("Command7"), history.hasRedo);
        QCOMPARE(d.enabled("Command8"), history.hasRedo);
        if (savedExpected_) {
            const std::string stored = store_.redo();
            QCOMPARE(stored.size(), size_t(165));
            QCOMPARE(stored, history.storedText());
        }
        if (!d.visible("Frame1")) {
            QCOMPARE(quiz.testSize, int16_t(0));
            return;
        }
        QVERIFY(quiz.currentPos >= 1 && quiz.currentPos <= quiz.testSize);
        const TestItem &item = quiz.currentItem();
        const QuestionBank &bank = d.window->bank();
        const auto q = static_cast<size_t>(item.question);
        QCOMPARE(d.frameCaption(), QStringLiteral("Question %1 of %2").arg(quiz.currentPos).arg(quiz.testSize));
        QCOMPARE(d.text("Label1"), QStringLiteral("%1. ").arg(quiz.currentPos) + QString::fromStdString(bank.questionText[q]));
        for (int k = 1; k <= 4; ++k) {
            const auto choice = static_cast<size_t>(item.order[static_cast<size_t>(k)]);
            QCOMPARE(d.option(k - 1)->text(),
                     QString(QChar(64 + k)) + QStringLiteral(".  ") + QString::fromStdString(bank.choiceText[q][choice]));
        }
        QCOMPARE(d.selectedOption(), int(item.chosen));
        const bool review = quiz.testFinished == 1 && quiz.reviewMode;
        QCOMPARE(d.enabled("Command3"), review ? quiz.reviewIndex >= 2 : quiz.currentPos >= 2);
        QCOMPARE(d.enabled("Command4"), review ? quiz.reviewIndex < quiz.wrongCount : quiz.currentPos < quiz.testSize);
        if (quiz.testFinished == 0) {
            QVERIFY(!quiz.reviewMode);
            QVERIFY(!d.enabled("Check1"));
            QVERIFY(d.text("Label2").isEmpty());
            QVERIFY(!d.visible("Image1") && !d.visible("Image2"));
            QCOMPARE(d.button("Command6")->text(), QStringLiteral("&Finish"));
        } else {
            QCOMPARE(quiz.correctCount + quiz.wrongCount, int(quiz.testSize));
            QCOMPARE(d.enabled("Check1"), quiz.wrongCount >= 1);
            QCOMPARE(quiz.reviewMode, quiz.wrongCount >= 1 && d.child<QCheckBox>("Check1")->isChecked());
            if (quiz.reviewMode)
                QCOMPARE(quiz.wrongList[static_cast<size_t>(quiz.reviewIndex)], quiz.currentPos);
            QVERIFY(!d.text("Label2").isEmpty());
            QVERIFY(d.visible("Image2"));
            QCOMPARE(d.button("Command6")->text(), QStringLiteral("Scores"));
        }
    }

private:
    MainWindowDriver &d;
    test::MemoryStore &store_;
    std::mt19937 random_;
    bool savedExpected_ = false;
};

// Qt Test stops a test function after five minutes; a long soak needs longer. Set before the
// test runner starts its watchdog: about 2 ms an action, the sanitizer build's pace, and never
// less than the usual five minutes.
[[maybe_unused]] const bool watchdogFitsTheRun = [] {
    if (!qEnvironmentVariableIsSet("QTEST_FUNCTION_TIMEOUT") && qEnvironmentVariableIsSet("BRIGHTWELL_RANDOM_ACTIONS")) {
        const qint64 actions = qEnvironmentVariableIntValue("BRIGHTWELL_RANDOM_ACTIONS");
        qputenv("QTEST_FUNCTION_TIMEOUT", QByteArray::number(std::max<qint64>(300'000, actions * 2)));
    }
    return true;
}();

} // namespace

class RandomUseTest : public QObject {
    Q_OBJECT
private slots:
    void randomActionsKeepTheWindowConsistent()
    {
        const uint32_t seed = qEnvironmentVariableIsSet("BRIGHTWELL_RANDOM_SEED")
                                  ? static_cast<uint32_t>(qEnvironmentVariableIntValue("BRIGHTWELL_RANDOM_SEED"))
                                  : static_cast<uint32_t>(QDateTime::currentMSecsSinceEpoch());
        const int actions = qEnvironmentVariableIsSet("BRIGHTWELL_RANDOM_ACTIONS")
                                ? qEnvironmentVariableIntValue("BRIGHTWELL_RANDOM_ACTIONS")
                                : 20000;
        qInfo("random use: seed %u, %d actions (replay with BRIGHTWELL_RANDOM_SEED=%u)", seed, actions, seed);

        test::MemoryStore store;
        SeededRandom random(seed);
        MainWindowDriver d(store, random);
        RandomUser user(d, store, seed);
        int finishes = 0;
        for (int i = 0; i < actions; ++i) {
            const int16_t finishedBefore = d.quiz().testFinished;
            const char *action = user.act();
            if (finishedBefore == 0 && d.quiz().testFinished == 1)
                ++finishes;
            user.check();
            if (QTest::currentTestFailed()) {
                qWarning("random use failed after action %d (%s), seed %u", i, action, seed);
                return;
            }
        }
        qInfo("random use: %d tests finished, %zu result windows", finishes, d.dialogs.modals.size());
        QVERIFY2(finishes > actions / 200, "the run finished too few tests to mean anything");
        QVERIFY(d.dialogs.modals.size() >= size_t(finishes));
    }
};

QTEST_MAIN(RandomUseTest)
#include "random_use_test.moc"
