#include "app/announce.h"
#include "engine/random_source.h"
#include "support/main_window_driver.h"

#include <QAccessible>
#include <QComboBox>
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

} // namespace

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
