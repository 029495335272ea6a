#include "app/language.h"
#include "app/result_window.h"
#include "widgets/fonts.h"
#include "widgets/twips.h"

#include <QAccessible>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

using namespace bw;

class ResultWindowTest : public QObject {
    Q_OBJECT
private slots:
    // As the main window does before any window is made.
    void initTestCase() { bw::installFontSubstitutions(); }

    void showsTheScore_data()
    {
        QTest::addColumn<bool>("french");
        QTest::addColumn<int>("total");
        QTest::addColumn<int>("correct");
        QTest::addColumn<QString>("percent");
        QTest::newRow("whole bank") << false << 165 << 120 << "72.7%";
        QTest::newRow("all right") << false << 5 << 5 << "100.0%";
        QTest::newRow("none right") << false << 5 << 0 << "0.0%";
        // French writes a decimal comma and a non-breaking space before the sign.
        QTest::newRow("all right, French") << true << 5 << 5 << QStringLiteral("100,0\u00a0%");
        QTest::newRow("1 of 16, French") << true << 16 << 1 << QStringLiteral("6,3\u00a0%");
    }
    void showsTheScore()
    {
        QFETCH(bool, french);
        QFETCH(int, total);
        QFETCH(int, correct);
        QFETCH(QString, percent);
        installLanguage(french ? Language::French : Language::English);
        QWidget owner;
        owner.setWindowIcon(QIcon(QStringLiteral(":/pictures/icon-32.png")));
        ResultWindow window(&owner, total, correct);
        QVERIFY(window.isModal());
        QCOMPARE(window.size(), QSize(376, 311));
        const auto label = [&](const char *name) { return window.findChild<QLabel *>(QString::fromLatin1(name)); };
        if (!french) {
            QCOMPARE(window.windowTitle(), QStringLiteral("Test Result"));
            QCOMPARE(window.findChild<QGroupBox *>("Frame1")->title(), QStringLiteral("Score:"));
            QCOMPARE(label("Label1")->text(), QStringLiteral("Question Total:"));
            QCOMPARE(label("Label2")->text(), QStringLiteral("Correct Questions:"));
            QCOMPARE(label("Label3")->text(), QStringLiteral("Percentage:"));
        }
        QCOMPARE(label("Label4")->text(), QString::number(total));
        QCOMPARE(label("Label5")->text(), QString::number(correct));
        QCOMPARE(label("Label6")->text(), percent);
        // The captions end on one edge, right-aligned against the values.
        QCOMPARE(label("Label1")->geometry().right(), label("Label3")->geometry().right());
        QVERIFY(label("Label3")->alignment() & Qt::AlignRight);
        QVERIFY(label("Label6")->alignment() & Qt::AlignLeft);
        // Every value fits its label in the bold font.
        for (const char *name : {"Label1", "Label2", "Label3", "Label4", "Label5", "Label6"}) {
            QVERIFY(label(name)->font().bold());
            QVERIFY2(label(name)->sizeHint().width() <= label(name)->width(), name);
        }
        QCOMPARE(window.windowIcon().cacheKey(), owner.windowIcon().cacheKey());
        // A screen reader says the score as the window opens, and reads each value with its
        // caption, never with the frame's.
        if (!french)
            QCOMPARE(window.accessibleDescription(), QStringLiteral("Question Total: %1, Correct Questions: %2, Percentage: %3")
                                                         .arg(total).arg(correct).arg(percent));
        QVERIFY(window.accessibleDescription().endsWith(percent));
        for (const auto &[value, caption] : {std::pair{"Label4", "Label1"}, {"Label5", "Label2"}, {"Label6", "Label3"}}) {
            const auto labels = QAccessible::queryAccessibleInterface(label(value))->relations(QAccessible::Label);
            QCOMPARE(labels.size(), 1);
            QCOMPARE(labels[0].first->object(), label(caption));
        }
    }

    void okCloses()
    {
        installLanguage(Language::English);
        ResultWindow window(nullptr, 5, 2);
        window.show();
        QSignalSpy accepted(&window, &QDialog::accepted);
        auto *ok = window.findChild<QPushButton *>("Command1");
        QCOMPARE(ok->text(), QStringLiteral("OK"));
        QVERIFY(ok->isDefault());
        QCOMPARE(ok->geometry(), twipsRect(2040, 3840, 1455, 495));
        QTest::mouseClick(ok, Qt::LeftButton);
        QCOMPARE(accepted.count(), 1);
        QVERIFY(!window.isVisible());
    }
};

QTEST_MAIN(ResultWindowTest)
#include "result_window_test.moc"
