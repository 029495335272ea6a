#include "app/main_window.h"
#include "widgets/layout.h"
#include "widgets/twips.h"
#include "engine/random_source.h"
#include "history/qsettings_store.h"
#include "support/main_window_driver.h"

#include <QComboBox>
#include <QFile>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <set>

using namespace bw;
using bw::test::MainWindowDriver;

namespace {

QString redo(const test::MemoryStore &store)
{
    return QString::fromStdString(store.redo());
}

// The tick or cross stands 50 twips below the top of the answer button it marks.
int markTopFor(const MainWindowDriver &d, int slot)
{
    return d.option(slot)->y() + twips(50);
}

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT
private slots:
    void startsUpAsDesigned()
    {
        test::MemoryStore store;
        ClockRandomSource random;
        MainWindowDriver d(store, random);
        QCOMPARE(d.window->windowTitle(), QStringLiteral("Brightwell V4.38"));
        QCOMPARE(d.window->centralWidget()->size(), QSize(719, 501));
        QCOMPARE(d.window->minimumSize(), d.window->maximumSize());
        auto *combo = d.child<QComboBox>("Combo1");
        QStringList entries;
        for (int i = 0; i < combo->count(); ++i)
            entries << combo->itemText(i);
        QCOMPARE(entries, QStringList({"5 Questions", "10 Questions", "20 Questions", "50 Questions", "100 Questions",
                                       "165 Questions(All)"}));
        QCOMPARE(combo->currentIndex(), 0);
        QVERIFY(!combo->isEditable());
        QVERIFY(!d.visible("Frame1"));
        QVERIFY(!d.visible("Command1"));
        QVERIFY(!d.visible("Command5"));
        QCOMPARE(d.button("Command2")->text(), QStringLiteral("&Start Test"));
        QVERIFY(!d.enabled("Command7"));
        QVERIFY(!d.enabled("Command8"));
        QVERIFY(d.child<QCheckBox>("Check1")->isChecked());
        QCOMPARE(d.button("Command6")->text(), QStringLiteral("&Finish"));
        QCOMPARE(d.child("Command2")->geometry(), twipsRect(4080, 120, 1095, 495));
        QCOMPARE(d.child("Frame1")->geometry(), twipsRect(480, 840, 9855, 5415));
        QCOMPARE(d.child("Option1_3")->geometry(), twipsRect(600, 3120, 8895, 495));
        QCOMPARE(d.quiz().testFinished, int16_t(1));
        QCOMPARE(d.quiz().testSize, int16_t(0));
        QCOMPARE(d.window->bank().questionCount, int16_t(165));

        const QList<QAction *> menus = d.window->menuBar()->actions();
        QCOMPARE(menus.size(), 1);
        QCOMPARE(menus[0]->text(), QStringLiteral("&About"));
        QStringList items;
        for (QAction *item : menus[0]->menu()->actions())
            items << item->objectName() + QLatin1Char('=') + item->text();
        QCOMPARE(items, QStringList({"mcd=Order a &CD", "other=&Other Info", "mexit=E&xit"}));
    }

    void historyEnablesTheCommandsAtStartUp()
    {
        test::MemoryStore store;
        store.values["Lumbra/aaa/redo"] = "0000700000"; // ten characters, a 7 at position 5
        ClockRandomSource random;
        MainWindowDriver d(store, random);
        QVERIFY(d.enabled("Command7"));
        QVERIFY(d.enabled("Command8"));
        QCOMPARE(d.window->history().redoFlags[5], int16_t(7));
        d.click("Command7");
        QCOMPARE(d.quiz().testSize, int16_t(1));
        QCOMPARE(d.current().question, int16_t(5));
        QVERIFY(d.dialogs.asked.isEmpty());
        // Answering it right and finishing writes a well-formed text with a 0 in its place.
        d.answerCurrent(true);
        d.click("Command6");
        QVERIFY(d.dialogs.asked.isEmpty()); // a one-item test never asks
        QCOMPARE(redo(store), QString(165, QLatin1Char('0')));
        QVERIFY(!d.enabled("Command7"));
    }

    void unansweredTestFinished()
    {
        test::MemoryStore store;
        ClockRandomSource random;
        MainWindowDriver d(store, random);
        d.click("Command2");
        QVERIFY(d.visible("Frame1"));
        QCOMPARE(d.frameCaption(), QStringLiteral("Question 1 of 5"));
        QCOMPARE(d.button("Command2")->text(), QStringLiteral("Re&start"));
        QVERIFY(!d.enabled("Command3"));
        QVERIFY(d.enabled("Command4"));
        QVERIFY(!d.enabled("Check1"));
        QCOMPARE(d.selectedOption(), -1);
        QVERIFY(d.text("Label2").isEmpty());
        QVERIFY(!d.visible("Image1") && !d.visible("Image2"));
        const auto &item = d.current();
        QCOMPARE(d.text("Label1"), QStringLiteral("1. ") + QString::fromStdString(d.window->bank().questionText[static_cast<size_t>(item.question)]));
        for (int k = 1; k <= 4; ++k) {
            const auto choice = static_cast<size_t>(item.order[static_cast<size_t>(k)]);
            QCOMPARE(d.option(k - 1)->text(), QString(QChar(64 + k)) + QStringLiteral(".  ")
                                                  + QString::fromStdString(d.window->bank().choiceText[static_cast<size_t>(item.question)][choice]));
        }

        d.dialogs.willAnswer(true);
        d.click("Command6");
        QCOMPARE(d.dialogs.asked, QStringList({QString::fromLatin1(kFinishQuestion)}));
        QVERIFY(d.dialogs.asked[0].contains(QStringLiteral("question.\r\nDo you")));
        QCOMPARE(d.dialogs.modals.size(), size_t(1));
        const auto &result = d.dialogs.modals[0];
        QCOMPARE(result.title, QStringLiteral("Test Result"));
        QCOMPARE(result.labels.value("Label4"), QStringLiteral("5"));
        QCOMPARE(result.labels.value("Label5"), QStringLiteral("0"));
        QCOMPARE(result.labels.value("Label6"), QStringLiteral("0.0%"));
        QCOMPARE(d.button("Command2")->text(), QStringLiteral("&Start"));
        QCOMPARE(d.button("Command6")->text(), QStringLiteral("Scores"));
        QVERIFY(d.enabled("Check1"));
        QCOMPARE(d.frameCaption(), QStringLiteral("Question 1 of 5"));
        const int correct = d.current().correctPos;
        QCOMPARE(d.text("Label2"), QStringLiteral("Your answer is WRONG, the correct answer is ") + QChar(64 + correct));
        QVERIFY(d.visible("Image2"));
        QVERIFY(!d.visible("Image1"));
        QCOMPARE(d.child("Image2")->y(), markTopFor(d, correct - 1));
        // Every question of the test is flagged and saved; the commands follow.
        const QString stored = redo(store);
        QCOMPARE(stored.size(), 165);
        QCOMPARE(stored.count(QLatin1Char('1')), 5);
        for (int p = 1; p <= 5; ++p)
            QCOMPARE(stored[d.quiz().testItems[static_cast<size_t>(p)].question - 1], QLatin1Char('1'));
        QVERIFY(d.enabled("Command7") && d.enabled("Command8"));
        // Review: Next walks the wrong items, which here are all of them.
        d.click("Command4");
        QCOMPARE(d.frameCaption(), QStringLiteral("Question 2 of 5"));
    }

    void testAnsweredAllRight()
    {
        test::MemoryStore store;
        ClockRandomSource random;
        MainWindowDriver d(store, random);
        d.click("Command2");
        for (int p = 1; p <= 5; ++p) {
            d.answerCurrent(true);
            QCOMPARE(d.selectedOption(), d.current().correctPos - 1);
            QVERIFY(d.text("Label2").isEmpty()); // nothing is judged during the test
            if (p < 5)
                d.click("Command4");
        }
        QVERIFY(!d.enabled("Command4"));
        d.click("Command6");
        QVERIFY(d.dialogs.asked.isEmpty()); // Next reached the last item, so Finish asks nothing
        QCOMPARE(d.dialogs.modals.at(0).labels.value("Label6"), QStringLiteral("100.0%"));
        QVERIFY(!d.enabled("Check1"));
        QVERIFY(d.child<QCheckBox>("Check1")->isChecked());
        QCOMPARE(d.frameCaption(), QStringLiteral("Question 1 of 5"));
        QCOMPARE(d.text("Label2"), QStringLiteral("Your answer is CORRECT."));
        QVERIFY(d.visible("Image2") && !d.visible("Image1"));
        QCOMPARE(d.child("Image2")->y(), markTopFor(d, d.current().correctPos - 1));
        QCOMPARE(redo(store), QString(165, QLatin1Char('0')));
        QVERIFY(!d.enabled("Command7"));
    }

    void reviewWalksWrongItems()
    {
        test::MemoryStore store;
        ClockRandomSource random;
        MainWindowDriver d(store, random);
        d.chooseSize(1); // 10 questions
        d.click("Command2");
        const std::set<int> wrong{3, 7, 10};
        for (int p = 1; p <= 10; ++p) {
            d.answerCurrent(!wrong.count(p));
            d.click("Command4");
        }
        d.click("Command6");
        QVERIFY(d.dialogs.asked.isEmpty());
        QCOMPARE(d.dialogs.modals.at(0).labels.value("Label5"), QStringLiteral("7"));
        QCOMPARE(d.frameCaption(), QStringLiteral("Question 3 of 10"));
        const int wrongSlot = d.current().chosen;
        QVERIFY(d.visible("Image1"));
        QCOMPARE(d.child("Image1")->y(), markTopFor(d, wrongSlot));
        QVERIFY(!d.enabled("Command3"));
        d.click("Command4");
        QCOMPARE(d.frameCaption(), QStringLiteral("Question 7 of 10"));
        d.click("Command4");
        QCOMPARE(d.frameCaption(), QStringLiteral("Question 10 of 10"));
        QVERIFY(!d.enabled("Command4"));
        QVERIFY(d.enabled("Command3"));
        // Unticking shows item 1 of the test; ticking again the first wrong item.
        d.clickCheck();
        QCOMPARE(d.frameCaption(), QStringLiteral("Question 1 of 10"));
        QVERIFY(d.enabled("Command4"));
        d.clickCheck();
        QCOMPARE(d.frameCaption(), QStringLiteral("Question 3 of 10"));
        QCOMPARE(d.text("Label2").left(20), QStringLiteral("Your answer is WRONG"));
    }

    void scoresAfterAChangedAnswer()
    {
        test::MemoryStore store;
        ClockRandomSource random;
        MainWindowDriver d(store, random);
        d.click("Command2");
        d.dialogs.willAnswer(true);
        d.click("Command6");
        const QString verdict = d.text("Label2");
        const int question = d.current().question;
        d.answerCurrent(true);
        QCOMPARE(d.text("Label2"), verdict); // judged again only when shown again
        QCOMPARE(d.window->history().redoFlags[static_cast<size_t>(question)], int16_t(1));
        d.click("Command6");
        QCOMPARE(d.dialogs.modals.size(), size_t(2));
        QCOMPARE(d.dialogs.modals[1].labels.value("Label5"), QStringLiteral("0"));
        QCOMPARE(d.dialogs.modals[1].labels.value("Label6"), QStringLiteral("0.0%"));
        QCOMPARE(d.dialogs.asked.size(), 1); // Scores asks nothing
        d.click("Command4");
        d.click("Command3");
        QCOMPARE(d.text("Label2"), QStringLiteral("Your answer is CORRECT."));
        QCOMPARE(d.window->history().redoFlags[static_cast<size_t>(question)], int16_t(0));
        QCOMPARE(redo(store)[question - 1], QLatin1Char('1')); // in memory only until the next Finish
    }

    void restartWithNoThenYes()
    {
        test::MemoryStore store;
        ClockRandomSource random;
        MainWindowDriver d(store, random);
        d.click("Command2");
        d.click("Command4");
        d.answerCurrent(false);
        const int question = d.current().question;
        const int chosen = d.current().chosen;
        d.chooseSize(2); // 20 questions: no effect until the next Start Test
        d.dialogs.willAnswer(false);
        d.click("Command2");
        QCOMPARE(d.dialogs.asked, QStringList({QString::fromLatin1(kCancelTestQuestion)}));
        QCOMPARE(d.frameCaption(), QStringLiteral("Question 2 of 5"));
        QCOMPARE(d.current().question, int16_t(question));
        QCOMPARE(d.selectedOption(), chosen);
        QCOMPARE(d.button("Command2")->text(), QStringLiteral("Re&start"));
        QCOMPARE(d.button("Command6")->text(), QStringLiteral("&Finish"));
        d.dialogs.willAnswer(true);
        d.click("Command2");
        QCOMPARE(d.frameCaption(), QStringLiteral("Question 1 of 20"));
        QCOMPARE(d.selectedOption(), -1);
        QVERIFY(!d.enabled("Command3"));
        QVERIFY(store.values.empty()); // nothing is saved before a Finish
    }

    // The next run reads what this one saved, and Redo builds exactly the missed questions.
    // The next run, or another copy open all along, which follows the history when its
    // window is active again.
    void redoTestFromAPreviousRun_data()
    {
        QTest::addColumn<bool>("together");
        QTest::newRow("the next run") << false;
        QTest::newRow("a second copy open at the same time") << true;
    }
    void redoTestFromAPreviousRun()
    {
        QFETCH(bool, together);
        QTemporaryDir folder;
        ClockRandomSource random;
        std::set<int> missed;
        QSettingsStore secondStore(folder.path());
        std::unique_ptr<MainWindowDriver> second;
        if (together)
            second = std::make_unique<MainWindowDriver>(secondStore, random);
        {
            QSettingsStore store(folder.path());
            MainWindowDriver first(store, random);
            first.chooseSize(1);
            first.click("Command2");
            for (int p = 1; p <= 10; ++p) {
                const bool right = p % 3 != 0;
                if (!right)
                    missed.insert(first.current().question);
                first.answerCurrent(right);
                first.click("Command4");
            }
            first.click("Command6");
        }
        QFile file(folder.path() + QStringLiteral("/Lumbra.conf"));
        QVERIFY(file.open(QIODevice::ReadOnly | QIODevice::Text));
        QVERIFY(file.readAll().startsWith("[aaa]\nredo="));

        if (!second)
            second = std::make_unique<MainWindowDriver>(secondStore, random);
        MainWindowDriver &next = *second;
        QVERIFY(next.activate());
        QVERIFY(next.enabled("Command7"));
        QVERIFY(next.enabled("Command8"));
        next.click("Command7");
        QCOMPARE(next.quiz().testSize, int16_t(missed.size()));
        std::set<int> built;
        for (int p = 1; p <= next.quiz().testSize; ++p)
            built.insert(next.quiz().testItems[static_cast<size_t>(p)].question);
        QCOMPARE(built, missed);
        QCOMPARE(next.frameCaption(), QStringLiteral("Question 1 of 3"));
    }

    void clearAsksFirst()
    {
        test::MemoryStore store;
        store.values["Lumbra/aaa/redo"] = "01";
        ClockRandomSource random;
        MainWindowDriver d(store, random);
        d.dialogs.willAnswer(false);
        d.click("Command8");
        QCOMPARE(d.dialogs.askedKind, QStringList({"OkCancel"}));
        QCOMPARE(d.dialogs.asked[0], QStringLiteral("You won't be able to redo incorrect questions if you clear the history. \r\nContinue to clear?"));
        QCOMPARE(redo(store), QStringLiteral("01"));
        QVERIFY(d.enabled("Command8"));
        d.dialogs.willAnswer(true);
        d.click("Command8");
        QCOMPARE(redo(store), QString(165, QLatin1Char('0')));
        QVERIFY(!d.enabled("Command7") && !d.enabled("Command8"));
    }

    void aFailedSaveIsToldOnce()
    {
        test::MemoryStore store;
        store.failWrites = true;
        ClockRandomSource random;
        MainWindowDriver d(store, random);
        std::set<int> missed;
        for (int run = 0; run < 2; ++run) {
            d.click("Command2");
            for (int p = 1; p <= 5; ++p)
                missed.insert(d.quiz().testItems[static_cast<size_t>(p)].question);
            d.dialogs.willAnswer(true);
            d.click("Command6");
        }
        QCOMPARE(d.dialogs.told, QStringList({saveFailedMessage(QString())}));
        QVERIFY(d.enabled("Command7")); // the flags are still there to redo
        d.click("Command7");
        QCOMPARE(d.quiz().testSize, int16_t(missed.size())); // both tests' questions, all missed
    }

    // Redo stays enabled after the last flag went to 0 behind it: it must not start an empty test.
    void redoWithNothingFlaggedStartsNothing()
    {
        test::MemoryStore store;
        ClockRandomSource random;
        MainWindowDriver d(store, random);
        d.click("Command2");
        for (int p = 1; p <= 5; ++p) {
            d.answerCurrent(p != 4);
            d.click("Command4");
        }
        d.click("Command6");
        QCOMPARE(d.frameCaption(), QStringLiteral("Question 4 of 5"));
        d.answerCurrent(true);
        d.clickCheck();
        d.clickCheck(); // shows item 4 again, now judged right
        QCOMPARE(d.text("Label2"), QStringLiteral("Your answer is CORRECT."));
        QVERIFY(d.enabled("Command7"));
        d.click("Command7");
        QCOMPARE(d.dialogs.told, QStringList({QString::fromLatin1(kNothingToRedo)}));
        QCOMPARE(d.quiz().testSize, int16_t(5));
        QCOMPARE(d.quiz().testFinished, int16_t(1));
        QCOMPARE(d.button("Command6")->text(), QStringLiteral("Scores"));
    }

    // Declining to cancel drops the redo request: the next Start Test builds from the size list.
    void decliningTheCancelDropsTheRedo()
    {
        test::MemoryStore store;
        store.values["Lumbra/aaa/redo"] = "111";
        ClockRandomSource random;
        MainWindowDriver d(store, random);
        d.chooseSize(1);
        d.click("Command2");
        d.dialogs.willAnswer(false);
        d.click("Command7");
        QCOMPARE(d.quiz().testSize, int16_t(10));
        d.dialogs.willAnswer(true);
        d.click("Command2");
        QCOMPARE(d.quiz().testSize, int16_t(10));
        d.dialogs.willAnswer(true);
        d.click("Command7");
        QCOMPARE(d.quiz().testSize, int16_t(3));
    }

    void linksOpenTheirPagesAndWindows()
    {
        test::MemoryStore store;
        ClockRandomSource random;
        MainWindowDriver d(store, random);
        d.click("Command10");
        QCOMPARE(d.shell.shellAddresses(), std::vector<std::string>{"https://www.brightwell.example/"});
        d.click("Command11");
        QMenu *about = d.window->menuBar()->actions().at(0)->menu();
        about->actions().at(0)->trigger(); // Order a CD
        about->actions().at(1)->trigger(); // Other Info
        QCOMPARE(d.dialogs.modals.size(), size_t(3));
        QCOMPARE(d.dialogs.modals[0].objectName, QStringLiteral("Form5"));
        QCOMPARE(d.dialogs.modals[1].objectName, QStringLiteral("Form5"));
        QCOMPARE(d.dialogs.modals[2].objectName, QStringLiteral("Form4"));
        QCOMPARE(d.dialogs.modals[2].title, QStringLiteral("About"));
        // The banner waits for its first tick with its box hidden.
        QVERIFY(!d.visible("Picture1"));
        QVERIFY(d.visible("Image4"));
        QCOMPARE(d.window->findChild<QTimer *>("Timer2")->interval(), 4000);
        QVERIFY(d.window->findChild<QTimer *>("Timer2")->isActive());
    }

    // Frames and buttons of the modal windows use the main window's font, like its own controls.
    void modalWindowsUseTheMainWindowsFont_data()
    {
        QTest::addColumn<QByteArray>("command");
        QTest::addColumn<QString>("window");
        QTest::newRow("result") << QByteArray("Command6") << "Form2";
        QTest::newRow("purchase") << QByteArray("Command11") << "Form5";
        QTest::newRow("about") << QByteArray("other") << "Form4";
    }
    void modalWindowsUseTheMainWindowsFont()
    {
        QFETCH(QByteArray, command);
        QFETCH(QString, window);
        test::MemoryStore store;
        ClockRandomSource random;
        MainWindowDriver d(store, random);
        QCOMPARE(d.window->font().family(), bw::defaultWindowFont().family());
        QCOMPARE(d.window->font().pointSizeF(), 8.25);
        QStringList checked;
        d.dialogs.onModal = [&](QDialog &dialog) {
            QCOMPARE(dialog.objectName(), window);
            QList<QWidget *> parts;
            for (QWidget *part : dialog.findChildren<QPushButton *>())
                parts << part;
            for (QWidget *part : dialog.findChildren<QGroupBox *>())
                parts << part;
            for (QWidget *part : parts) {
                checked << part->objectName();
                QVERIFY2(part->font() == d.window->font(), qPrintable(part->objectName() + ": " + part->font().toString()));
            }
        };
        if (command == "other") {
            d.window->findChild<QAction *>("other")->trigger();
        } else {
            if (command == "Command6") {
                d.click("Command2");
                d.dialogs.willAnswer(true);
            }
            d.click(command.constData());
        }
        QVERIFY(checked.contains(QStringLiteral("Command1")));
    }

    // Desktops may rewrite captions to add accelerators of their own; Finish goes by the test.
    void finishGoesByTheTestNotItsCaption_data()
    {
        QTest::addColumn<QString>("caption");
        QTest::newRow("as it stands") << "Scores";
        QTest::newRow("accelerator added") << "Sco&res";
        QTest::newRow("leading accelerator") << "&Scores";
    }
    void finishGoesByTheTestNotItsCaption()
    {
        QFETCH(QString, caption);
        test::MemoryStore store;
        ClockRandomSource random;
        MainWindowDriver d(store, random);
        d.click("Command2");
        d.answerCurrent(true);
        d.dialogs.willAnswer(true);
        d.click("Command6");
        d.answerCurrent(false); // changed after Finish: Scores must not mark it
        d.button("Command6")->setText(caption);
        d.click("Command6");
        QCOMPARE(d.dialogs.asked.size(), 1);
        QCOMPARE(d.dialogs.modals.size(), size_t(2));
        QCOMPARE(d.dialogs.modals[1].labels.value("Label5"), QStringLiteral("1"));
        QCOMPARE(d.quiz().correctCount, int16_t(1));
        QCOMPARE(store.writes, 1);
    }

    // Exit asks nothing, ends the program and leaves the stored history as Finish wrote it.
    void exitEndsTheProgramAndSavesNothing_data()
    {
        QTest::addColumn<bool>("closeBox");
        QTest::newRow("menu") << false;
        QTest::newRow("close box") << true;
    }
    void exitEndsTheProgramAndSavesNothing()
    {
        QFETCH(bool, closeBox);
        QTemporaryDir folder;
        QSettingsStore store(folder.path());
        ClockRandomSource random;
        MainWindowDriver d(store, random);
        d.click("Command2");
        d.dialogs.willAnswer(true);
        d.click("Command6"); // nothing answered: five questions flagged and saved
        const std::string saved = QSettingsStore(folder.path()).read("Lumbra", "aaa", "redo", "");
        QCOMPARE(QString::fromStdString(saved).count(QLatin1Char('1')), 5);
        d.click("Command2");
        for (int p = 1; p <= 5; ++p) {
            d.answerCurrent(false);
            d.click("Command4");
        }
        QTimer::singleShot(0, d.window.get(), [&] {
            if (closeBox)
                d.window->close();
            else
                d.window->findChild<QAction *>("mexit")->trigger();
        });
        QTimer::singleShot(10000, qApp, [] { QCoreApplication::exit(99); });
        QCOMPARE(QApplication::exec(), 0); // the program's event loop ends
        QVERIFY(!d.window->isVisible());
        QCOMPARE(d.dialogs.asked.size(), 1);
        QCOMPARE(QSettingsStore(folder.path()).read("Lumbra", "aaa", "redo", ""), saved);
    }

    // A mnemonic "animates" its button's click, which lands on the next turns of the event loop.
    void mnemonicsDriveTheTest()
    {
        test::MemoryStore store;
        ClockRandomSource random;
        MainWindowDriver d(store, random);
        QVERIFY(d.activate());
        QTest::keyClick(d.window.get(), Qt::Key_S, Qt::AltModifier);
        QTRY_COMPARE(d.frameCaption(), QStringLiteral("Question 1 of 5"));
        QTest::keyClick(d.window.get(), Qt::Key_N, Qt::AltModifier);
        QTRY_COMPARE(d.frameCaption(), QStringLiteral("Question 2 of 5"));
        d.dialogs.willAnswer(true);
        QTest::keyClick(d.window.get(), Qt::Key_F, Qt::AltModifier);
        QTRY_COMPARE(d.button("Command6")->text(), QStringLiteral("Scores"));
    }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
