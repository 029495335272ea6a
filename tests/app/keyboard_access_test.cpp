#include "app/announce.h"
#include "app/dialogs.h"
#include "app/language.h"
#include "engine/random_source.h"
#include "support/key_typist.h"
#include "support/main_window_driver.h"
#include "widgets/announcer.h"

#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QTest>

using namespace bw;
using bw::test::MainWindowDriver;

namespace {

// The announcements the window makes to assistive technology, by the object they concern.
QList<QPair<QObject *, QAccessible::Event>> events;

QString accessibleName(QWidget *widget)
{
    return QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name);
}

bool sent(QObject *object, QAccessible::Event type)
{
    return events.contains(qMakePair(object, type));
}

// Does what a screen reader, a voice-control tool or a switch device does to a control: runs
// one of its accessible actions.
void accessibleAction(QWidget *widget, const QString &action)
{
    QAccessibleInterface *face = QAccessible::queryAccessibleInterface(widget);
    QVERIFY(face && face->actionInterface());
    QVERIFY2(face->actionInterface()->actionNames().contains(action), qPrintable(action));
    face->actionInterface()->doAction(action);
}

// Used instead of the clicks where both are meant.
void clickOrAct(QWidget *widget, const QString &action)
{
    if (action.isEmpty())
        QTest::mouseClick(widget, Qt::LeftButton, {}, QPoint(8, widget->height() / 2));
    else
        accessibleAction(widget, action);
}

// A compositor on a loaded machine takes its time to hand the keyboard on.
constexpr int kWindowTimeoutMs = 30000;

using test::TypedKey;
const TypedKey altS{Qt::Key_S, Qt::AltModifier};
const TypedKey altF{Qt::Key_F, Qt::AltModifier};
const TypedKey altN{Qt::Key_N, Qt::AltModifier};
const TypedKey altR{Qt::Key_R, Qt::AltModifier};
const TypedKey altL{Qt::Key_L, Qt::AltModifier};
const TypedKey enter{Qt::Key_Return};

// The keys of the commands that are named differently in each language.
struct LanguageKeys {
    TypedKey start;
    TypedKey finish;
    QString scores;
};
LanguageKeys keysOf(Language language)
{
    if (language == Language::French)
        return {{Qt::Key_D, Qt::AltModifier}, {Qt::Key_T, Qt::AltModifier}, QStringLiteral("R\u00e9sultats")};
    return {altS, altF, QStringLiteral("Scores")};
}
const TypedKey pageDown{Qt::Key_PageDown};

// Closes the result window, once it is open, with Enter, and tells what it showed.
void answerResultWithEnter(QString *shown)
{
    test::whenModalShown("Form2", [shown](QWidget *window) {
        *shown = window->findChild<QLabel *>(QStringLiteral("Label4"))->text() + QLatin1Char('/')
            + window->findChild<QLabel *>(QStringLiteral("Label5"))->text();
        test::typeKey(enter);
    });
}

// What a screen reader is told by notification: the text of each notification the window shows,
// as its interface on the accessibility bus gives it.
class ReaderNotifications {
public:
    explicit ReaderNotifications(QWidget *window)
    {
        auto *announcer = window->findChild<Announcer *>();
        QObject::connect(announcer, &Announcer::announced, &context_, [this, announcer] {
            QAccessibleInterface *face = QAccessible::queryAccessibleInterface(announcer);
            if (face && face->role() == QAccessible::Notification)
                said << face->text(QAccessible::Name);
        });
    }
    QStringList said;

private:
    QObject context_;
};

// Every control of a window, with its interface on the accessibility bus.
QList<QAccessibleInterface *> allInterfaces(QWidget *window)
{
    QList<QAccessibleInterface *> all;
    const auto widgets = window->findChildren<QWidget *>();
    for (QWidget *widget : widgets)
        if (QAccessibleInterface *face = QAccessible::queryAccessibleInterface(widget))
            all << face;
    return all;
}

// Whose names a control borrows: the labels it says it is labelled by that are frames (whose
// caption is theirs alone), and the name it gives when it has none of its own.
QStringList borrowedNames(QWidget *window)
{
    QStringList borrowed;
    const auto faces = allInterfaces(window);
    for (QAccessibleInterface *face : faces) {
        const QString name = face->object()->objectName();
        const auto labels = face->relations(QAccessible::Label);
        for (const auto &label : labels)
            if (qobject_cast<QGroupBox *>(label.first->object()))
                borrowed << name + QStringLiteral(" labelled by ") + label.first->object()->objectName();
        if (auto *label = qobject_cast<QLabel *>(face->object()); label && label->text().isEmpty()
            && label->pixmap().isNull() && label->accessibleName().isEmpty() && !face->text(QAccessible::Name).isEmpty())
            borrowed << name + QStringLiteral(" named ") + face->text(QAccessible::Name);
    }
    return borrowed;
}

// What is done where the keyboard is.
enum class Change { StartFromStart, PageDownOnAnswer, LetterOnFocusedAnswer, LetterOnAnotherAnswer, LanguageSwitch,
                    ReviewPageDownOnNext, ReviewBoxUnticked };

} // namespace

Q_DECLARE_METATYPE(Change)

class KeyboardAccessTest : public QObject {
    Q_OBJECT
private slots:
    void lettersDigitsAndPageKeys_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("slot");
        QTest::newRow("A") << int(Qt::Key_A) << 0;
        QTest::newRow("C") << int(Qt::Key_C) << 2;
        QTest::newRow("D") << int(Qt::Key_D) << 3;
        QTest::newRow("1") << int(Qt::Key_1) << 0;
        QTest::newRow("4") << int(Qt::Key_4) << 3;
    }
    void lettersDigitsAndPageKeys()
    {
        QFETCH(int, key);
        QFETCH(int, slot);
        test::MemoryStore store;
        ClockRandomSource random;
        MainWindowDriver d(store, random);
        QVERIFY(d.activate());
        d.click("Command2");
        d.button("Command2")->setFocus();
        QTest::keyClick(d.button("Command2"), static_cast<Qt::Key>(key));
        QCOMPARE(d.current().chosen, int16_t(slot));
        QCOMPARE(d.selectedOption(), slot);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_PageDown);
        QCOMPARE(d.quiz().currentPos, int16_t(2));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_PageUp);
        QCOMPARE(d.quiz().currentPos, int16_t(1));
        QCOMPARE(d.selectedOption(), slot);
        QCOMPARE(d.button("Command4")->text(), QStringLiteral("&Next")); // no caption changes
    }

    void theSizeListKeepsItsKeys()
    {
        test::MemoryStore store;
        ClockRandomSource random;
        MainWindowDriver d(store, random);
        QVERIFY(d.activate());
        d.click("Command2");
        auto *combo = d.child<QComboBox>("Combo1");
        combo->setFocus();
        QTest::keyClick(combo, Qt::Key_B);
        QTest::keyClick(combo, Qt::Key_PageDown);
        QCOMPARE(d.current().chosen, int16_t(-1));
        QCOMPARE(d.quiz().currentPos, int16_t(1));
        QVERIFY(combo->currentIndex() > 0); // the list moved instead
    }

    void keysWorkOnTheFinishedTest()
    {
        test::MemoryStore store;
        ClockRandomSource random;
        MainWindowDriver d(store, random);
        d.click("Command2");
        d.dialogs.willAnswer(true);
        d.click("Command6");
        QVERIFY(d.quiz().reviewMode);
        QTest::keyClick(d.button("Command6"), Qt::Key_PageDown);
        QCOMPARE(d.quiz().reviewIndex, int16_t(2));
        const int right = d.current().correctPos - 1;
        QTest::keyClick(d.button("Command6"), static_cast<Qt::Key>(Qt::Key_A + right));
        QCOMPARE(d.current().chosen, int16_t(right));
        QCOMPARE(d.dialogs.asked.size(), 1);
    }

    // Whatever selects an answer, a click, a key or an assistive tool's action, the item keeps it.
    void assistiveToolsChooseAnswers_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<bool>("finished");
        QTest::newRow("toggle, during the test") << QAccessibleActionInterface::toggleAction() << false;
        QTest::newRow("toggle, after Finish") << QAccessibleActionInterface::toggleAction() << true;
        QTest::newRow("click, during the test") << QString() << false;
    }
    void assistiveToolsChooseAnswers()
    {
        QFETCH(QString, action);
        QFETCH(bool, finished);
        test::MemoryStore store;
        test::ScriptedRandom random;
        MainWindowDriver d(store, random);
        d.click("Command2");
        if (finished) {
            d.dialogs.willAnswer(true);
            d.click("Command6");
        }
        const int16_t pos = d.quiz().currentPos;
        clickOrAct(d.option(1), action);
        QCOMPARE(d.current().chosen, int16_t(1));
        clickOrAct(d.option(2), action); // B makes way for C, and C is kept
        QCOMPARE(d.current().chosen, int16_t(2));
        d.click("Command4");
        d.click("Command3");
        QCOMPARE(d.quiz().currentPos, pos);
        QCOMPARE(d.selectedOption(), 2);
        QCOMPARE(d.current().chosen, int16_t(2));
        if (!finished) {
            d.dialogs.willAnswer(true);
            d.click("Command6");
            QCOMPARE(d.quiz().testItems[1].chosen, int16_t(2));
            QCOMPARE(d.quiz().correctCount, int16_t(0)); // the scripted draws put the right answer at A
            QCOMPARE(d.quiz().wrongList[1], int16_t(1));
        }
    }

    // The review box follows its ticked state however it changed.
    void theReviewBoxFollowsItsState_data()
    {
        QTest::addColumn<QString>("action");
        QTest::newRow("toggle") << QAccessibleActionInterface::toggleAction();
        QTest::newRow("click") << QString();
    }
    void theReviewBoxFollowsItsState()
    {
        QFETCH(QString, action);
        test::MemoryStore store;
        test::ScriptedRandom random;
        MainWindowDriver d(store, random);
        d.click("Command2");
        d.clickOption(2);
        d.dialogs.willAnswer(true);
        d.click("Command6"); // every item is wrong: the right answer is A
        d.click("Command4");
        QCOMPARE(d.quiz().currentPos, int16_t(2));
        auto *box = d.child<QCheckBox>("Check1");
        clickOrAct(box, action);
        QVERIFY(!box->isChecked());
        QVERIFY(!d.quiz().reviewMode);
        QCOMPARE(d.quiz().currentPos, int16_t(1));
        QCOMPARE(d.frameCaption(), QStringLiteral("Question 1 of 5"));
        QCOMPARE(d.selectedOption(), 2);
        clickOrAct(box, action);
        QVERIFY(d.quiz().reviewMode);
        QCOMPARE(d.quiz().reviewIndex, int16_t(1));
    }

    // A whole test with keys only, each typed where the program leaves the focus, through the
    // real message boxes and result window; halfway the language is switched with its key,
    // and the test goes on with the other language's keys.
    void keysOnlyFromStartToRedo_data()
    {
        QTest::addColumn<Language>("language");
        QTest::newRow("English, then French") << Language::English;
        QTest::newRow("French, then English") << Language::French;
    }
    void keysOnlyFromStartToRedo()
    {
        QFETCH(Language, language);
        const Language other = language == Language::French ? Language::English : Language::French;
        test::MemoryStore store;
        test::ScriptedRandom random; // the right answer is always A
        MessageBoxDialogs dialogs;
        MainWindowDriver d(store, random, &dialogs, language);
        QVERIFY(d.activate());
        test::typeKey(keysOf(language).start);
        QCOMPARE(d.quiz().testFinished, int16_t(0));
        QVERIFY(d.focusOnAnswers());
        int saves = 0; // the language's, then the history's
        for (int p = 1; p <= 5; ++p) {
            test::typeKey({Qt::Key_B});
            QCOMPARE(d.current().chosen, int16_t(1));
            if (p == 3) {
                test::typeKey(altL);
                QTRY_COMPARE(d.window->language(), other);
                QCOMPARE(d.quiz().currentPos, int16_t(3));
                QCOMPARE(d.selectedOption(), 1);
                QCOMPARE(store.values["Lumbra/aaa/language"], languageCode(other).toStdString());
                saves = store.writes;
            }
            if (p < 5)
                test::typeKey(pageDown);
        }
        QCOMPARE(d.quiz().currentPos, int16_t(5));
        for (size_t p = 1; p <= 5; ++p)
            QCOMPARE(d.quiz().testItems[p].chosen, int16_t(1));
        QString shown;
        answerResultWithEnter(&shown);
        test::typeKey(keysOf(other).finish); // the last item was reached: no question
        QTRY_VERIFY_WITH_TIMEOUT(d.hasKeyboard(), kWindowTimeoutMs);
        QCOMPARE(shown, QStringLiteral("5/0"));
        QCOMPARE(d.button("Command6")->text(), keysOf(other).scores);
        QCOMPARE(store.writes, saves + 1);
        QCOMPARE(QApplication::focusWidget(), d.button("Command4"));
        test::typeKey(pageDown); // the review walks the wrong items
        QCOMPARE(d.quiz().reviewIndex, int16_t(2));
        shown.clear();
        answerResultWithEnter(&shown);
        test::typeKey(keysOf(other).finish); // Scores: the result again, nothing marked or saved again
        QTRY_VERIFY_WITH_TIMEOUT(d.hasKeyboard(), kWindowTimeoutMs);
        QCOMPARE(shown, QStringLiteral("5/0"));
        QCOMPARE(store.writes, saves + 1);
        QCOMPARE(QApplication::focusWidget(), d.button("Command4"));
        test::typeKey(altR); // the five wrong questions
        QCOMPARE(d.quiz().testFinished, int16_t(0));
        QCOMPARE(d.quiz().testSize, int16_t(5));
        QVERIFY(d.focusOnAnswers());
        test::typeKey({Qt::Key_A});
        test::whenModalShown("QMessageBox", [](QWidget *) { test::typeKey(enter); }); // Yes, finish now
        answerResultWithEnter(&shown);
        test::typeKey(keysOf(other).finish);
        QTRY_VERIFY_WITH_TIMEOUT(d.hasKeyboard(), kWindowTimeoutMs);
        QCOMPARE(shown, QStringLiteral("5/1"));
        QCOMPARE(store.writes, saves + 2);
        QCOMPARE(QApplication::focusWidget(), d.button("Command4"));
    }

    // When the result window closes the keyboard goes to Next, or to Scores when Next is
    // disabled, so that a stray key of a learner reading the review changes no answer; the
    // main window takes the keyboard back itself, with or without a window manager.
    void aStrayKeyAfterTheResultChangesNoAnswer_data()
    {
        QTest::addColumn<QString>("answers"); // the letter typed for each item; A is right
        QTest::addColumn<bool>("scoresAgain");
        QTest::addColumn<QString>("focused");
        QTest::newRow("after Finish, Next enabled") << QStringLiteral("BBBBB") << false << QStringLiteral("Command4");
        QTest::newRow("after Finish, one wrong item: Next disabled")
            << QStringLiteral("AAAAB") << false << QStringLiteral("Command6");
        QTest::newRow("after Scores") << QStringLiteral("BBABB") << true << QStringLiteral("Command4");
    }
    void aStrayKeyAfterTheResultChangesNoAnswer()
    {
        QFETCH(QString, answers);
        QFETCH(bool, scoresAgain);
        QFETCH(QString, focused);
        test::MemoryStore store;
        test::ScriptedRandom random; // the right answer is always A
        MessageBoxDialogs dialogs;
        MainWindowDriver d(store, random, &dialogs);
        QVERIFY(d.activate());
        test::typeKey(altS);
        for (int p = 1; p <= 5; ++p) {
            test::typeKey({static_cast<Qt::Key>(answers[p - 1].unicode())});
            if (p < 5)
                test::typeKey(pageDown);
        }
        const int wrong = static_cast<int>(answers.count(QLatin1Char('B')));
        QString shown;
        answerResultWithEnter(&shown);
        test::typeKey(altF);
        QCOMPARE(shown, QStringLiteral("5/%1").arg(5 - wrong));
        if (scoresAgain) {
            QTRY_VERIFY_WITH_TIMEOUT(d.hasKeyboard(), kWindowTimeoutMs);
            answerResultWithEnter(&shown);
            test::typeKey(altF);
        }
        // Nothing but the program gives the keyboard back here when no window manager runs.
        QTRY_VERIFY_WITH_TIMEOUT(d.hasKeyboard(), kWindowTimeoutMs);
        QCOMPARE(QApplication::focusWidget(), d.child(focused.toLatin1().constData()));
        const TestItem shownItem = d.current();
        test::typeKey({Qt::Key_Up});
        test::typeKey({Qt::Key_Down});
        test::typeKey({Qt::Key_Up});
        for (int p = 1; p <= 5; ++p)
            QCOMPARE(d.quiz().testItems[static_cast<size_t>(p)].chosen, int16_t(answers[p - 1] == QLatin1Char('A') ? 0 : 1));
        test::typeKey(pageDown);
        test::typeKey({Qt::Key_PageUp}); // the item on display is judged again
        QCOMPARE(d.current().question, shownItem.question);
        test::typeKey({Qt::Key_A}); // a letter is a deliberate choice, after Finish too
        QCOMPARE(d.current().chosen, int16_t(0));
        test::typeKey(altR); // the questions the result window counted as wrong, no more, no fewer
        QCOMPARE(d.quiz().testFinished, int16_t(0));
        QCOMPARE(d.quiz().testSize, int16_t(wrong));
        QVERIFY(d.focusOnAnswers());
    }

    // Every modal window opened during a test hands the keyboard back to the main window, on the
    // answer it was on, when it closes, with or without a window manager; the next key acts
    // there.
    void theKeyboardComesBackAfterEachModalWindow_data()
    {
        QTest::addColumn<QList<int>>("opening"); // keys, Alt held for the first
        QTest::addColumn<QString>("window");
        QTest::addColumn<int>("closing");
        QTest::newRow("About window") << QList<int>{Qt::Key_A, Qt::Key_O} << "Form4" << int(Qt::Key_Escape);
        QTest::newRow("order window") << QList<int>{Qt::Key_A, Qt::Key_C} << "Form5" << int(Qt::Key_Escape);
        QTest::newRow("Finish's question, No") << QList<int>{Qt::Key_F} << "QMessageBox" << int(Qt::Key_N);
        QTest::newRow("Restart's question, No") << QList<int>{Qt::Key_S} << "QMessageBox" << int(Qt::Key_N);
    }
    void theKeyboardComesBackAfterEachModalWindow()
    {
        QFETCH(QList<int>, opening);
        QFETCH(QString, window);
        QFETCH(int, closing);
        test::MemoryStore store;
        test::ScriptedRandom random;
        MessageBoxDialogs dialogs;
        MainWindowDriver d(store, random, &dialogs);
        QVERIFY(d.activate());
        test::typeKey(altS);
        test::typeKey({Qt::Key_B});
        const QByteArray name = window.toLatin1(); // read by the poll until the window comes
        bool shown = false;
        test::whenModalShown(name.constData(), [&](QWidget *) {
            shown = true;
            test::typeKey({static_cast<Qt::Key>(closing)});
        });
        test::typeKey({static_cast<Qt::Key>(opening.first()), Qt::AltModifier});
        for (qsizetype k = 1; k < opening.size(); ++k)
            test::typeKey({static_cast<Qt::Key>(opening[k])});
        QTRY_VERIFY_WITH_TIMEOUT(shown && !QApplication::activeModalWidget(), kWindowTimeoutMs);
        QTRY_VERIFY_WITH_TIMEOUT(d.hasKeyboard(), kWindowTimeoutMs);
        QCOMPARE(QApplication::focusWidget(), d.option(1)); // the answer chosen, as before
        test::typeKey(pageDown);
        QCOMPARE(d.quiz().currentPos, int16_t(2));
        QCOMPARE(d.quiz().testItems[1].chosen, int16_t(1));
        QCOMPARE(d.quiz().testFinished, int16_t(0));
    }

    // Keys typed faster than a button's press animation all count.
    void aBurstOfKeysIsNotLost_data()
    {
        QTest::addColumn<int>("gap");
        QTest::newRow("10 ms apart") << 10;
        QTest::newRow("all at once") << 0;
    }
    void aBurstOfKeysIsNotLost()
    {
        QFETCH(int, gap);
        test::MemoryStore store;
        test::ScriptedRandom random;
        MessageBoxDialogs dialogs;
        MainWindowDriver d(store, random, &dialogs);
        QVERIFY(d.activate());
        int typed = 0;
        test::typeKeysLater({altS, {Qt::Key_B}, altN, {Qt::Key_C}, altF, enter}, gap, &typed);
        bool resultShown = false;
        test::whenModalShown("Form2", [&](QWidget *) {
            resultShown = true;
            test::typeKey({Qt::Key_Escape});
        });
        QTRY_COMPARE(typed, 6);
        QTRY_VERIFY(resultShown);
        QCOMPARE(d.quiz().testFinished, int16_t(1));
        QCOMPARE(d.quiz().testItems[1].chosen, int16_t(1));
        QCOMPARE(d.quiz().testItems[2].chosen, int16_t(2));
        QCOMPARE(store.writes, 1);
    }

    // No control is read with a name that is not its own: not the frame's caption before every
    // answer, not the caption for the empty verdict line, not "Score:" for each value.
    void noControlBorrowsAName_data()
    {
        QTest::addColumn<bool>("finished");
        QTest::newRow("during a test") << false;
        QTest::newRow("after Finish, with the result window") << true;
    }
    void noControlBorrowsAName()
    {
        QFETCH(bool, finished);
        test::MemoryStore store;
        test::ScriptedRandom random; // the right answer is always A
        MessageBoxDialogs dialogs;
        MainWindowDriver d(store, random, &dialogs);
        QVERIFY(d.activate());
        test::typeKey(altS);
        QCOMPARE(borrowedNames(d.window.get()), QStringList());
        QCOMPARE(accessibleName(d.child("Label2")), QString()); // the verdict line, empty
        // The tick and the cross are pictures to a reader even before their first verdict draws
        // them; as text they would be read among the question's lines.
        for (const char *mark : {"Image1", "Image2"})
            QCOMPARE(QAccessible::queryAccessibleInterface(d.child(mark))->role(), QAccessible::Graphic);
        QCOMPARE(accessibleName(d.child("Frame1")), QStringLiteral("Question 1 of 5"));
        QCOMPARE(accessibleName(d.window->menuBar()), QStringLiteral("Menu bar"));
        QCOMPARE(accessibleName(d.child("Label4")), QStringLiteral("Banner")); // the banner's strip
        QCOMPARE(d.child("Combo1")->accessibleDescription(), QStringLiteral("5 Questions")); // the entry, read
        d.chooseSize(2);
        QCOMPARE(d.child("Combo1")->accessibleDescription(), QStringLiteral("20 Questions"));
        if (!finished)
            return;
        test::typeKey({Qt::Key_B});
        QStringList inResult;
        QString score;
        test::whenModalShown("Form2", [&](QWidget *window) {
            inResult = borrowedNames(window);
            score = window->accessibleDescription();
            const auto value = QAccessible::queryAccessibleInterface(window->findChild<QLabel *>(QStringLiteral("Label5")));
            const auto labels = value->relations(QAccessible::Label);
            score += QLatin1Char('|') + value->text(QAccessible::Name) + QLatin1Char('|')
                + (labels.size() == 1 ? labels[0].first->text(QAccessible::Name) : QString());
            test::typeKey(enter);
        });
        test::whenModalShown("QMessageBox", [](QWidget *) { test::typeKey(enter); }); // Yes, finish now
        test::typeKey(altF);
        QTRY_VERIFY(!score.isEmpty());
        QCOMPARE(inResult, QStringList());
        // The score, said as the window opens; each value labelled by its caption.
        QCOMPARE(score, QStringLiteral("Question Total: 5, Correct Questions: 0, Percentage: 0.0%|0|Correct Questions:"));
        QCOMPARE(borrowedNames(d.window.get()), QStringList());
    }

    // What changes where the keyboard already is, which a reader hears nothing of by itself, is
    // said to it; what it reads on its own as the keyboard moves is not said twice.
    void readersHearWhatChangesWhereTheKeyboardIs_data()
    {
        QTest::addColumn<Change>("change");
        QTest::addColumn<QString>("said"); // a pattern; empty for nothing said
        QTest::newRow("the test started from the Start button") << Change::StartFromStart << QString();
        QTest::newRow("Page Down with the keyboard on an answer")
            << Change::PageDownOnAnswer << QStringLiteral("^Question 2 of 5\\. 2\\. .+[.?] Answer A: .+\\.$");
        QTest::newRow("A on the answer the keyboard is on") << Change::LetterOnFocusedAnswer << QStringLiteral("^Answer A chosen\\.$");
        QTest::newRow("C, which moves the keyboard to C") << Change::LetterOnAnotherAnswer << QString();
        QTest::newRow("the language switched") << Change::LanguageSwitch
                                               << QStringLiteral("^Brightwell est maintenant en fran\u00e7ais\\.$");
        QTest::newRow("Page Down in the review, on Next")
            << Change::ReviewPageDownOnNext
            << QStringLiteral("^Question 2 of 5\\. 2\\. .+[.?] Your answer is WRONG, the correct answer is A\\. "
                              "B is the wrong choice selected\\.$");
        QTest::newRow("the review box unticked, on it")
            << Change::ReviewBoxUnticked
            << QStringLiteral("^Question 1 of 5\\. 1\\. .+[.?] Your answer is WRONG, the correct answer is A\\. "
                              "B is the wrong choice selected\\.$");
    }
    void readersHearWhatChangesWhereTheKeyboardIs()
    {
        QFETCH(Change, change);
        QFETCH(QString, said);
        test::MemoryStore store;
        test::ScriptedRandom random; // the right answer is always A
        MainWindowDriver d(store, random);
        QVERIFY(d.activate());
        ReaderNotifications reader(d.window.get());
        if (change == Change::StartFromStart) {
            d.button("Command2")->setFocus();
            test::typeKey(altS);
            QVERIFY(d.focusOnAnswers());
        } else {
            test::typeKey(altS);
            reader.said.clear();
        }
        switch (change) {
        case Change::StartFromStart:
            break;
        case Change::PageDownOnAnswer:
            test::typeKey(pageDown);
            break;
        case Change::LetterOnFocusedAnswer:
            test::typeKey({Qt::Key_A});
            break;
        case Change::LetterOnAnotherAnswer:
            test::typeKey({Qt::Key_C});
            QCOMPARE(QApplication::focusWidget(), d.option(2));
            break;
        case Change::LanguageSwitch:
            test::typeKey(altL);
            break;
        case Change::ReviewPageDownOnNext:
        case Change::ReviewBoxUnticked:
            for (int p = 1; p <= 5; ++p) {
                test::typeKey({Qt::Key_B});
                test::typeKey(pageDown);
            }
            d.dialogs.willAnswer(true);
            test::typeKey(altF);
            QCOMPARE(QApplication::focusWidget(), d.button("Command4"));
            reader.said.clear();
            if (change == Change::ReviewPageDownOnNext) {
                test::typeKey(pageDown);
            } else {
                d.child("Check1")->setFocus();
                test::typeKey({Qt::Key_Space});
                QCOMPARE(d.quiz().reviewMode, false);
            }
            break;
        }
        if (said.isEmpty()) {
            QCOMPARE(reader.said, QStringList());
        } else {
            QCOMPARE(reader.said.size(), 1);
            QVERIFY2(QRegularExpression(said).match(reader.said[0]).hasMatch(), qPrintable(reader.said[0]));
        }
        if (change == Change::PageDownOnAnswer)
            QVERIFY(reader.said[0].contains(accessibleName(d.option(0))));
    }

    // A lone Alt, which a screen reader may pass on apart from the letter typed with it, leaves
    // the keyboard where it was, so that the next key acts there and not on a menu; Alt+A and
    // F10 open the menu.
    void aLoneAltLeavesTheKeyboardWhereItWas_data()
    {
        QTest::addColumn<QList<int>>("keys"); // key, modifiers, ...
        QTest::addColumn<bool>("menuOpens");
        QTest::newRow("Alt alone, then Down") << QList<int>{Qt::Key_Alt, 0, Qt::Key_Down, 0} << false;
        QTest::newRow("Alt alone, then Return") << QList<int>{Qt::Key_Alt, 0, Qt::Key_Return, 0} << false;
        QTest::newRow("Alt alone, then S") << QList<int>{Qt::Key_Alt, 0, Qt::Key_S, 0} << false;
        QTest::newRow("F10") << QList<int>{Qt::Key_F10, 0} << true;
        QTest::newRow("Alt+A") << QList<int>{Qt::Key_A, int(Qt::AltModifier)} << true;
    }
    void aLoneAltLeavesTheKeyboardWhereItWas()
    {
        QFETCH(QList<int>, keys);
        QFETCH(bool, menuOpens);
        test::MemoryStore store;
        test::ScriptedRandom random;
        MainWindowDriver d(store, random);
        QVERIFY(d.activate());
        test::typeKey(altS);
        QVERIFY(d.focusOnAnswers());
        for (qsizetype i = 0; i + 1 < keys.size(); i += 2)
            test::typeKey({static_cast<Qt::Key>(keys[i]), Qt::KeyboardModifiers(keys[i + 1])});
        auto *menu = d.window->findChild<QMenu *>(QStringLiteral("mabout"));
        if (menuOpens) {
            QTRY_COMPARE(QApplication::activePopupWidget(), static_cast<QWidget *>(menu));
            menu->close();
        } else {
            QCOMPARE(QApplication::activePopupWidget(), nullptr);
            QVERIFY(d.focusOnAnswers()); // the key acted there (Down moves among the answers)
            QVERIFY(!d.window->menuBar()->hasFocus());
            QVERIFY(d.window->menuBar()->activeAction() == nullptr);
        }
        QCOMPARE(d.dialogs.modals.size(), size_t(0));
    }

    void readsAnswersVerdictsAndMarks()
    {
        setAnnouncementObserver([](QObject *object, QAccessible::Event type) { events.append({object, type}); });
        events.clear();
        test::MemoryStore store;
        ClockRandomSource random;
        MainWindowDriver d(store, random);
        d.click("Command2");
        const auto &bank = d.window->bank();
        const TestItem &item = d.current();
        for (int k = 1; k <= 4; ++k) {
            const auto choice = static_cast<size_t>(item.order[static_cast<size_t>(k)]);
            QCOMPARE(accessibleName(d.option(k - 1)),
                     QStringLiteral("Answer %1: ").arg(QChar(64 + k))
                         + QString::fromStdString(bank.choiceText[static_cast<size_t>(item.question)][choice]));
        }
        QVERIFY(sent(d.child("Frame1"), QAccessible::NameChanged));
        d.answerCurrent(false);
        const int chosen = d.current().chosen;
        events.clear();
        d.dialogs.willAnswer(true);
        d.click("Command6");
        const int correct = d.current().correctPos - 1;
        QCOMPARE(accessibleName(d.child("Image2")), QString(QChar('A' + correct)) + QStringLiteral(" is the correct answer"));
        QCOMPARE(accessibleName(d.child("Image1")), QString(QChar('A' + chosen)) + QStringLiteral(" is the wrong choice selected"));
        QCOMPARE(accessibleName(d.child("Label2")), d.text("Label2"));
        QCOMPARE(accessibleName(d.child("Frame1")), d.frameCaption());
        QVERIFY(sent(d.child("Frame1"), QAccessible::NameChanged));
        setAnnouncementObserver(nullptr);
    }
};

QTEST_MAIN(KeyboardAccessTest)
#include "keyboard_access_test.moc"
