#include "app/dialogs.h"
#include "app/language.h"
#include "engine/random_source.h"
#include "support/key_typist.h"
#include "support/main_window_driver.h"
#include "support/test_doubles.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QMenuBar>
#include <QMessageBox>
#include <QTest>

using namespace bw;
using bw::test::MainWindowDriver;

namespace {

// Presses the menu bar's language item as a screen reader or a switch device does, through
// its accessible action: that reaches it also while a message box is open.
void pressLanguageItem(MainWindowDriver &d)
{
    QAccessibleInterface *bar = QAccessible::queryAccessibleInterface(d.window->menuBar());
    QVERIFY(bar);
    const QString name = d.window->findChild<QAction *>("language")->text();
    for (int i = 0; i < bar->childCount(); ++i) {
        QAccessibleInterface *item = bar->child(i);
        if (item && item->text(QAccessible::Name) == name && item->actionInterface()) {
            item->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
            return;
        }
    }
    QFAIL("the menu bar has no language item");
}

Language otherThan(Language language)
{
    return language == Language::French ? Language::English : Language::French;
}

} // namespace

class LanguageTest : public QObject {
    Q_OBJECT
private slots:
    // The stored choice wins; an unknown or damaged one counts as none, and the system's
    // interface languages decide; the history beside it is never touched.
    void startLanguage_data()
    {
        QTest::addColumn<QString>("stored"); // "-": nothing stored
        QTest::addColumn<QStringList>("system");
        QTest::addColumn<Language>("expected");
        const QStringList french{"fr-CA", "fr", "en-CA"};
        const QStringList english{"en-US", "fr-FR"};
        QTest::newRow("nothing stored, French system") << "-" << french << Language::French;
        QTest::newRow("nothing stored, English first") << "-" << english << Language::English;
        QTest::newRow("nothing stored, German then French") << "-" << QStringList{"de-DE", "fr-CH"} << Language::French;
        QTest::newRow("nothing stored, neither") << "-" << QStringList{"de-DE", "es"} << Language::English;
        QTest::newRow("French stored, English system") << "fr" << english << Language::French;
        QTest::newRow("English stored, French system") << "en" << french << Language::English;
        QTest::newRow("unknown code") << "de" << french << Language::French;
        QTest::newRow("damaged") << QStringLiteral("f\u00e9r\x01") << english << Language::English;
        QTest::newRow("upper case") << "FR" << english << Language::English;
        QTest::newRow("empty") << "" << french << Language::French;
    }
    void startLanguage()
    {
        QFETCH(QString, stored);
        QFETCH(QStringList, system);
        QFETCH(Language, expected);
        test::MemoryStore store;
        store.write("Lumbra", "aaa", "redo", "0101");
        if (stored != QLatin1String("-"))
            store.write("Lumbra", "aaa", "language", stored.toStdString());
        const auto before = store.values;
        QCOMPARE(bw::startLanguage(store, system), expected);
        QCOMPARE(store.values, before);
    }

    // Held down, the language key switches once, however many times the keyboard repeats it,
    // and stores the choice once; the next press switches back.
    void aHeldKeySwitchesOnce_data()
    {
        QTest::addColumn<Language>("from");
        QTest::addColumn<int>("repeats");
        QTest::newRow("English, four repeats") << Language::English << 4;
        QTest::newRow("French, five repeats") << Language::French << 5;
    }
    void aHeldKeySwitchesOnce()
    {
        QFETCH(Language, from);
        QFETCH(int, repeats);
        test::MemoryStore store;
        ClockRandomSource random;
        MainWindowDriver d(store, random, nullptr, from);
        QVERIFY(d.activate());
        const auto hold = [&] {
            QTest::simulateEvent(d.window.get(), true, Qt::Key_L, Qt::AltModifier, QString(), false);
            for (int i = 0; i < repeats; ++i)
                QTest::simulateEvent(d.window.get(), true, Qt::Key_L, Qt::AltModifier, QString(), true);
            QTest::simulateEvent(d.window.get(), false, Qt::Key_L, Qt::AltModifier, QString(), false);
        };
        hold();
        QCOMPARE(d.window->language(), otherThan(from));
        QCOMPARE(store.writes, 1);
        hold();
        QCOMPARE(d.window->language(), from);
        QCOMPARE(store.writes, 2);
        QCOMPARE(store.values["Lumbra/aaa/language"], languageCode(from).toStdString());
    }

    // A question or notice open while the language switches (through an assistive tool, which
    // reaches the menu item past the box) shows whole in the new language: its text as well as
    // its buttons. Answered, it does what it asked.
    void aBoxOpenDuringASwitchSpeaksTheNewLanguage_data()
    {
        QTest::addColumn<Language>("from");
        QTest::addColumn<QString>("box"); // what opens it
        QTest::newRow("finishing early, to French") << Language::English << "finish";
        QTest::newRow("finishing early, to English") << Language::French << "finish";
        QTest::newRow("restarting, to French") << Language::English << "restart";
        QTest::newRow("clearing, to English") << Language::French << "clear";
        QTest::newRow("a failed save, to French") << Language::English << "failed save";
    }
    void aBoxOpenDuringASwitchSpeaksTheNewLanguage()
    {
        QFETCH(Language, from);
        QFETCH(QString, box);
        const Language to = otherThan(from);
        test::MemoryStore store;
        store.write("Lumbra", "aaa", "redo", "1");
        ClockRandomSource random;
        MessageBoxDialogs dialogs;
        MainWindowDriver d(store, random, &dialogs, from);
        QVERIFY(d.activate());
        const char *source = nullptr;
        if (box == QLatin1String("clear")) {
            source = kClearQuestion;
        } else {
            d.click("Command2");
            d.answerCurrent(true);
            source = box == QLatin1String("restart") ? kCancelTestQuestion : kFinishQuestion;
        }
        QString before;
        QString after;
        QStringList buttonsBefore;
        QStringList buttonsAfter;
        int boxes = 0;
        const auto buttonsOf = [](QMessageBox *shown) {
            QStringList texts;
            for (QAbstractButton *button : shown->buttons())
                texts << button->text();
            texts.sort();
            return texts;
        };
        test::whenModalShown("QMessageBox", [&](QWidget *modal) {
            auto *shown = qobject_cast<QMessageBox *>(modal);
            ++boxes;
            before = shown->text();
            buttonsBefore = buttonsOf(shown);
            pressLanguageItem(d);
            after = shown->text();
            buttonsAfter = buttonsOf(shown);
            // Yes or OK, the default: the question goes ahead.
            test::typeKey({Qt::Key_Return});
        });
        // Finish opens the result window last.
        test::whenModalShown("Form2", [](QWidget *) { test::typeKey({Qt::Key_Return}); });
        if (box == QLatin1String("failed save")) {
            // The last item reached with Next: Finish asks nothing, and tells the failed save.
            for (int p = 2; p <= d.quiz().testSize; ++p) {
                d.click("Command4");
                d.answerCurrent(true);
            }
            store.failWrites = true;
            d.click("Command6");
        } else if (box == QLatin1String("finish")) {
            d.click("Command6");
        } else if (box == QLatin1String("restart")) {
            d.click("Command2");
        } else {
            d.click("Command8");
        }
        QTRY_VERIFY(!QApplication::activeModalWidget());
        QCOMPARE(boxes, 1);
        QCOMPARE(d.window->language(), to);
        // The text in the new language, as a box opened now would say it.
        QString expected = box == QLatin1String("failed save") ? saveFailedMessage(QString())
                                                               : QCoreApplication::translate("bw::MainWindow", source);
        expected.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        QVERIFY(after != before);
        QCOMPARE(after, expected);
        if (box != QLatin1String("failed save")) // OK is OK in both
            QVERIFY(buttonsAfter != buttonsBefore);
        // And it did what it asked.
        if (box == QLatin1String("clear"))
            QVERIFY(!d.enabled("Command8"));
        else if (box == QLatin1String("restart"))
            QCOMPARE(d.quiz().testFinished, int16_t(0));
        else
            QCOMPARE(d.quiz().testFinished, int16_t(1));
    }
};

QTEST_MAIN(LanguageTest)
#include "language_test.moc"
