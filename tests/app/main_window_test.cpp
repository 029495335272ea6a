#include "app/language.h"
#include "app/main_window.h"
#include "widgets/layout.h"
#include "widgets/twips.h"
#include "engine/random_source.h"
#include "history/qsettings_store.h"
#include "support/main_window_driver.h"
#include "web/banner_view.h"

#include <QComboBox>
#include <QRegularExpression>
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

// Every text a window shows or gives to assistive technology, by the control and the property
// that carry it. Controls that are never shown (the hidden commands) are left out.
QMap<QString, QString> textsOf(QWidget *window)
{
    QMap<QString, QString> texts;
    const auto add = [&texts](const QString &key, const QString &text) {
        if (!text.isEmpty())
            texts.insert(key, text);
    };
    QList<QWidget *> widgets = window->findChildren<QWidget *>();
    widgets.prepend(window);
    for (QWidget *widget : widgets) {
        if (widget != window && (widget->isWindow() || !widget->isVisibleTo(window)))
            continue;
        const QString name = widget->objectName() + QLatin1Char('/');
        if (widget == window)
            add(name + QStringLiteral("title"), widget->windowTitle());
        if (const auto *button = qobject_cast<QAbstractButton *>(widget))
            add(name + QStringLiteral("text"), button->text());
        if (const auto *label = qobject_cast<QLabel *>(widget))
            add(name + QStringLiteral("text"), label->text());
        if (const auto *frame = qobject_cast<QGroupBox *>(widget))
            add(name + QStringLiteral("title"), frame->title());
        if (const auto *list = qobject_cast<QComboBox *>(widget))
            for (int i = 0; i < list->count(); ++i)
                add(name + QString::number(i), list->itemText(i));
        add(name + QStringLiteral("accessibleName"), widget->accessibleName());
        add(name + QStringLiteral("accessibleDescription"), widget->accessibleDescription());
        add(name + QStringLiteral("toolTip"), widget->toolTip());
    }
    for (const QMenu *menu : window->findChildren<QMenu *>())
        add(menu->objectName() + QStringLiteral("/title"), menu->title());
    for (const QAction *action : window->findChildren<QAction *>()) {
        add(action->objectName() + QStringLiteral("/text"), action->text());
        add(action->objectName() + QStringLiteral("/toolTip"), action->toolTip());
    }
    if (auto *main = qobject_cast<MainWindow *>(window))
        add(QStringLiteral("Picture1/heading"), main->banner().heading());
    return texts;
}

// Texts that read the same in every language: names, addresses, numbers, the bank's own
// texts (the question and its choices).
bool sameInEveryLanguage(const QString &key, const QString &text)
{
    if (key.startsWith(QLatin1String("Label1/text")) && !text.contains(QLatin1String("(c)")))
        return true;
    if (key.startsWith(QLatin1String("Option1_")) && key.endsWith(QLatin1String("/text")))
        return true;
    QString rest = text;
    rest.remove(QRegularExpression(QStringLiteral("Brightwell|V4\\.38|[\\w.]*@?[\\w]*\\.?brightwell\\.example|&?OK|English|[\\d\\W]")));
    return rest.isEmpty();
}

// Texts of the English window that the French one shows unchanged, where it should not.
QStringList untranslated(const QMap<QString, QString> &english, const QMap<QString, QString> &french)
{
    QStringList found;
    for (auto it = english.cbegin(); it != english.cend(); ++it)
        if (french.value(it.key()) == it.value() && !sameInEveryLanguage(it.key(), it.value()))
            found << it.key() + QStringLiteral(": ") + it.value();
    return found;
}

// The tick or cross stands 50 twips below the top of the answer button it marks.
int markTopFor(const MainWindowDriver &d, int slot)
{
    return d.option(slot)->y() + twips(50);
}

// The Alt letters that more than one command of a window answers to, as "letter: controls";
// the menu's items count apart, and Alt+L, the language item's, counts in every window.
QStringList sharedMnemonics(const QMap<QString, QString> &texts)
{
    QMap<QString, QStringList> byLetter{{QStringLiteral("window l"), {QStringLiteral("language")}}};
    static const QRegularExpression mnemonic(QStringLiteral("(?<!&)&(?!&)"));
    for (auto it = texts.cbegin(); it != texts.cend(); ++it) {
        const QString control = it.key().section(QLatin1Char('/'), 0, 0);
        const QString property = it.key().section(QLatin1Char('/'), 1);
        if ((property != QLatin1String("text") && property != QLatin1String("title")) || control.isEmpty()
            || control.startsWith(QLatin1String("Label")) || control.startsWith(QLatin1String("Option1_")))
            continue; // plain texts: the bank's, the labels'
        const qsizetype at = mnemonic.match(it.value()).capturedStart();
        if (at < 0 || at + 1 >= it.value().size())
            continue;
        const bool inMenu = QStringList{"mcd", "other", "mexit"}.contains(control);
        byLetter[(inMenu ? QStringLiteral("menu ") : QStringLiteral("window ")) + it.value().mid(at + 1, 1).toLower()] << control;
    }
    QStringList shared;
    for (auto it = byLetter.cbegin(); it != byLetter.cend(); ++it)
        if (it.value().size() > 1)
            shared << it.key() + QStringLiteral(": ") + it.value().join(QLatin1Char(','));
    return shared;
}

// What a run of the window showed, stage by stage, and what it asked and told.
struct Shown {
    QList<QMap<QString, QString>> stages;
    QStringList said;
};

// Sits a test in one language through every window and question the program has, keeping the
// texts of each. With switchOpenWindows, each modal window is also switched to French while
// it is open, and the main window at the end; those texts go to switched.
Shown sitThrough(Language language, QList<QMap<QString, QString>> *switched = nullptr)
{
    Shown shown;
    test::MemoryStore store;
    store.write("Lumbra", "aaa", "redo", "1"); // the history commands enabled
    test::ScriptedRandom random;               // the right answer is always A
    MainWindowDriver d(store, random, nullptr, language);
    shown.stages << textsOf(d.window.get());
    d.click("Command2");
    d.clickOption(1);
    d.click("Command4");
    for (int tick = 0; tick < 12; ++tick) // the first slogan
        d.window->banner().onTick();
    shown.stages << textsOf(d.window.get());
    d.dialogs.willAnswer(false);
    d.click("Command2"); // the cancel question
    d.dialogs.willAnswer(false);
    d.click("Command8"); // the clear question
    d.dialogs.onModal = [&](QDialog &dialog) {
        dialog.show();
        shown.stages << textsOf(&dialog);
        if (switched) {
            installLanguage(Language::French);
            *switched << textsOf(&dialog);
            installLanguage(language);
        }
    };
    store.failWrites = true; // the notice of a failed save
    d.dialogs.willAnswer(true);
    d.click("Command6"); // the finish question and the result
    d.window->showAboutWindow();
    d.window->showPurchaseWindow();
    d.dialogs.onModal = nullptr;
    d.click("Command4"); // the review's second wrong item, with its cross
    for (int tick = 12; tick < 230; ++tick) // the last slogan and the closing heading
        d.window->banner().onTick();
    shown.stages << textsOf(d.window.get());
    shown.said = d.dialogs.asked + d.dialogs.told;
    if (switched) {
        d.window->findChild<QAction *>("language")->trigger();
        *switched << textsOf(d.window.get());
    }
    return shown;
}

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT
private slots:
    // Every text of every window and every question, in French; a window switched while open
    // reads exactly as one made in French.
    void everyTextIsTranslated()
    {
        QList<QMap<QString, QString>> switched;
        const Shown english = sitThrough(Language::English, &switched);
        const Shown french = sitThrough(Language::French);
        QCOMPARE(french.stages.size(), 6);
        QCOMPARE(english.stages.size(), french.stages.size());
        for (qsizetype stage = 0; stage < english.stages.size(); ++stage) {
            QCOMPARE(french.stages[stage].keys(), english.stages[stage].keys());
            const QStringList missing = untranslated(english.stages[stage], french.stages[stage]);
            QVERIFY2(missing.isEmpty(), qPrintable(QString::number(stage) + QStringLiteral(": ") + missing.join(QLatin1String(" | "))));
            // No two French commands share a letter; the English Previous and Purchase CD do,
            // as designed.
            const QStringList shared = sharedMnemonics(french.stages[stage]);
            QVERIFY2(shared.isEmpty(), qPrintable(shared.join(QLatin1String(" | "))));
            for (const QString &letters : sharedMnemonics(english.stages[stage]))
                QCOMPARE(letters, QStringLiteral("window p: Command11,Command3"));
        }
        QCOMPARE(french.said.size(), 4);
        for (qsizetype i = 0; i < english.said.size(); ++i)
            QVERIFY2(french.said[i] != english.said[i], qPrintable(english.said[i]));
        // The result, About and order windows, then the main window after Finish.
        QCOMPARE(switched, french.stages.mid(2));
        QCOMPARE(french.stages[2].value("Label6/text"), QStringLiteral("0,0\u00a0%"));
        QCOMPARE(french.stages[1].value("Frame1/title"), QStringLiteral("Question 2 de 5"));
    }

    // The language item switches during a test and in the review: the questions, answers,
    // marks and place stay; the choice is stored, the history is not touched.
    void switchingLanguageKeepsTheTest_data()
    {
        QTest::addColumn<Language>("from");
        QTest::addColumn<bool>("finished");
        QTest::newRow("English to French, during the test") << Language::English << false;
        QTest::newRow("French to English, during the test") << Language::French << false;
        QTest::newRow("English to French, in the review") << Language::English << true;
        QTest::newRow("French to English, in the review") << Language::French << true;
    }
    void switchingLanguageKeepsTheTest()
    {
        QFETCH(Language, from);
        QFETCH(bool, finished);
        const Language to = from == Language::English ? Language::French : Language::English;
        test::MemoryStore store;
        ClockRandomSource random;
        MainWindowDriver d(store, random, nullptr, from);
        d.chooseSize(1);
        d.click("Command2");
        for (int p = 1; p <= 10; ++p) {
            d.answerCurrent(p % 3 != 0);
            if (p < 10)
                d.click("Command4");
        }
        if (finished) {
            d.click("Command6");
            d.click("Command4"); // the second wrong item
        } else {
            d.click("Command3");
        }
        const auto before = d.quiz().testItems;
        const int16_t pos = d.quiz().currentPos;
        const int16_t reviewIndex = d.quiz().reviewIndex;
        const QPoint cross = d.child("Image1")->pos();
        const QString verdict = d.text("Label2");
        const QString caption = d.frameCaption();
        const std::string redo = store.redo();
        const int writes = store.writes;

        d.window->findChild<QAction *>("language")->trigger();
        QCOMPARE(d.window->language(), to);
        QCOMPARE(d.window->bank().language, to);
        for (size_t p = 1; p <= 10; ++p) {
            QCOMPARE(d.quiz().testItems[p].question, before[p].question);
            QCOMPARE(d.quiz().testItems[p].order, before[p].order);
            QCOMPARE(d.quiz().testItems[p].chosen, before[p].chosen);
        }
        QCOMPARE(d.quiz().currentPos, pos);
        QCOMPARE(d.quiz().reviewIndex, reviewIndex);
        QCOMPARE(d.selectedOption(), int(d.current().chosen));
        QCOMPARE(d.visible("Image1"), finished);
        QCOMPARE(d.child("Image1")->pos(), cross);
        QCOMPARE(d.text("Label2").isEmpty(), !finished);
        QVERIFY(d.frameCaption() != caption);
        QVERIFY(d.frameCaption().startsWith(QStringLiteral("Question %1 ").arg(pos)));
        const auto &bank = d.window->bank();
        QCOMPARE(d.text("Label1"), QStringLiteral("%1. ").arg(pos) + QString::fromStdString(bank.questionText[static_cast<size_t>(d.current().question)]));
        // Stored under its own key; the history stays as it was.
        QCOMPARE(store.values["Lumbra/aaa/language"], languageCode(to).toStdString());
        QCOMPARE(store.redo(), redo);
        QCOMPARE(store.writes, writes + 1);

        d.window->findChild<QAction *>("language")->trigger();
        QCOMPARE(d.text("Label2"), verdict);
        QCOMPARE(d.frameCaption(), caption);
        QCOMPARE(store.values["Lumbra/aaa/language"], languageCode(from).toStdString());
    }

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
        // Nothing the first frame does not show is drawn yet: the verdict marks wait for the
        // first verdict (scaling_test sees them then); the icon offers its small sizes.
        QVERIFY(d.child<QLabel>("Image1")->pixmap().isNull());
        QVERIFY(d.child<QLabel>("Image2")->pixmap().isNull());
        QCOMPARE(d.window->windowIcon().availableSizes(),
                 QList<QSize>({QSize(16, 16), QSize(32, 32), QSize(48, 48), QSize(64, 64)}));

        const QList<QAction *> menus = d.window->menuBar()->actions();
        QCOMPARE(menus.size(), 2);
        QCOMPARE(menus[0]->text(), QStringLiteral("&About"));
        QCOMPARE(menus[1]->text(), QStringLiteral("Fran\u00e7ais"));
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
    // One history for both languages: a question missed in one comes back in the other.
    void redoTestFromAPreviousRun_data()
    {
        QTest::addColumn<bool>("together");
        QTest::addColumn<Language>("first");
        QTest::addColumn<Language>("next");
        QTest::newRow("the next run") << false << Language::English << Language::English;
        QTest::newRow("a second copy open at the same time") << true << Language::English << Language::English;
        QTest::newRow("missed in French, redone in English") << false << Language::French << Language::English;
        QTest::newRow("missed in English, redone in French") << false << Language::English << Language::French;
    }
    void redoTestFromAPreviousRun()
    {
        QFETCH(bool, together);
        QFETCH(Language, first);
        QFETCH(Language, next);
        QTemporaryDir folder;
        ClockRandomSource random;
        std::set<int> missed;
        QSettingsStore secondStore(folder.path());
        std::unique_ptr<MainWindowDriver> second;
        if (together)
            second = std::make_unique<MainWindowDriver>(secondStore, random);
        {
            QSettingsStore store(folder.path());
            MainWindowDriver run(store, random, nullptr, first);
            run.chooseSize(1);
            run.click("Command2");
            for (int p = 1; p <= 10; ++p) {
                const bool right = p % 3 != 0;
                if (!right)
                    missed.insert(run.current().question);
                run.answerCurrent(right);
                run.click("Command4");
            }
            run.click("Command6");
        }
        QFile file(folder.path() + QStringLiteral("/Lumbra.conf"));
        QVERIFY(file.open(QIODevice::ReadOnly | QIODevice::Text));
        QVERIFY(file.readAll().startsWith("[aaa]\nredo="));

        if (!second)
            second = std::make_unique<MainWindowDriver>(secondStore, random, nullptr, next);
        MainWindowDriver &redone = *second;
        QVERIFY(redone.activate());
        QVERIFY(redone.enabled("Command7"));
        QVERIFY(redone.enabled("Command8"));
        redone.click("Command7");
        QCOMPARE(redone.quiz().testSize, int16_t(missed.size()));
        std::set<int> built;
        for (int p = 1; p <= redone.quiz().testSize; ++p)
            built.insert(redone.quiz().testItems[static_cast<size_t>(p)].question);
        QCOMPARE(built, missed);
        QCOMPARE(redone.frameCaption(), next == Language::French ? QStringLiteral("Question 1 de 3") : QStringLiteral("Question 1 of 3"));
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

    // A translation may word the size list any way: the test size goes by the entry's place.
    void testSizeGoesByTheEntryNotItsCaption_data()
    {
        QTest::addColumn<int>("entry");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<int>("size");
        QTest::newRow("a number in words") << 2 << "Vingt questions" << 20;
        QTest::newRow("the number last") << 3 << "Questions\u00a0: 50" << 50;
        QTest::newRow("another number first") << 5 << "1 test of all 165 questions" << 165;
        QTest::newRow("the number alone") << 4 << "100" << 100;
    }
    void testSizeGoesByTheEntryNotItsCaption()
    {
        QFETCH(int, entry);
        QFETCH(QString, caption);
        QFETCH(int, size);
        test::MemoryStore store;
        ClockRandomSource random;
        MainWindowDriver d(store, random);
        d.child<QComboBox>("Combo1")->setItemText(entry, caption);
        d.chooseSize(entry);
        d.click("Command2");
        QCOMPARE(int(d.quiz().testSize), size);
        QCOMPARE(d.frameCaption(), QStringLiteral("Question 1 of %1").arg(size));
        QVERIFY(d.dialogs.told.isEmpty());
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
    // Alt+L switches the language in both, and the other language's keys then drive the test.
    void mnemonicsDriveTheTest_data()
    {
        QTest::addColumn<Language>("language");
        QTest::addColumn<QString>("keys"); // Start, Next, Finish
        QTest::addColumn<QString>("of");
        QTest::addColumn<QString>("scores");
        QTest::newRow("English") << Language::English << "SNF" << "of" << "Scores";
        QTest::newRow("French") << Language::French << "DST" << "de" << QStringLiteral("R\u00e9sultats");
    }
    void mnemonicsDriveTheTest()
    {
        QFETCH(Language, language);
        QFETCH(QString, keys);
        QFETCH(QString, of);
        QFETCH(QString, scores);
        const auto key = [&keys](int i) { return static_cast<Qt::Key>(keys[i].unicode()); };
        test::MemoryStore store;
        ClockRandomSource random;
        MainWindowDriver d(store, random, nullptr, language);
        QVERIFY(d.activate());
        QTest::keyClick(d.window.get(), key(0), Qt::AltModifier);
        QTRY_COMPARE(d.frameCaption(), QStringLiteral("Question 1 %1 5").arg(of));
        QTest::keyClick(d.window.get(), key(1), Qt::AltModifier);
        QTRY_COMPARE(d.frameCaption(), QStringLiteral("Question 2 %1 5").arg(of));
        d.dialogs.willAnswer(true);
        QTest::keyClick(d.window.get(), key(2), Qt::AltModifier);
        QTRY_COMPARE(d.button("Command6")->text(), scores);
        QCOMPARE(d.dialogs.modals.size(), size_t(1));
        // Scores answers Finish's key, in the other language too.
        QTest::keyClick(d.window.get(), Qt::Key_L, Qt::AltModifier);
        QTRY_VERIFY(d.window->language() != language);
        QVERIFY(d.button("Command6")->text() != scores);
        const QKeySequence finish = d.button("Command6")->shortcut();
        QVERIFY(!finish.isEmpty() && finish != QKeySequence(Qt::ALT | key(2)));
        QTest::keySequence(d.window.get(), finish);
        QTRY_COMPARE(d.dialogs.modals.size(), size_t(2));
    }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
