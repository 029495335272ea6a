// The real message boxes, answered from inside their own modal loop as a user would answer them.
#include "app/dialogs.h"
#include "support/key_typist.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

using namespace bw;

class DialogsTest : public QObject {
    Q_OBJECT
private slots:
    void messageBoxes_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("answer"); // a button's text, or a key: "Enter", "Esc", "Y", "N", or "close"
        QTest::addColumn<bool>("expected");
        QTest::newRow("Yes/No, Yes") << "YesNo" << "&Yes" << true;
        QTest::newRow("Yes/No, No") << "YesNo" << "&No" << false;
        QTest::newRow("Yes/No, Enter") << "YesNo" << "Enter" << true;
        QTest::newRow("Yes/No, Y") << "YesNo" << "Y" << true;
        QTest::newRow("Yes/No, N") << "YesNo" << "N" << false;
        QTest::newRow("Yes/No, Esc") << "YesNo" << "Esc" << false;
        QTest::newRow("Yes/No, close box") << "YesNo" << "close" << false;
        QTest::newRow("OK/Cancel, OK") << "OkCancel" << "OK" << true;
        QTest::newRow("OK/Cancel, Cancel") << "OkCancel" << "Cancel" << false;
        QTest::newRow("OK/Cancel, Enter") << "OkCancel" << "Enter" << true;
        QTest::newRow("OK/Cancel, Esc") << "OkCancel" << "Esc" << false;
        QTest::newRow("OK/Cancel, close box") << "OkCancel" << "close" << false;
        QTest::newRow("notice, Enter") << "Tell" << "Enter" << true;
        QTest::newRow("notice, Esc") << "Tell" << "Esc" << true;
    }
    void messageBoxes()
    {
        QFETCH(QString, kind);
        QFETCH(QString, answer);
        QFETCH(bool, expected);
        const QString text = QStringLiteral("First line. \r\nSecond line?");
        QWidget owner;
        owner.show();
        MessageBoxDialogs dialogs;

        QString title;
        QStringList buttons;
        QString defaultButton;
        int icon = -1;
        QString shownText;
        bool closedAtOnce = false;
        test::whenModalShown("QMessageBox", [&](QWidget *modal) {
            auto *box = qobject_cast<QMessageBox *>(modal);
            title = box->windowTitle();
            icon = int(box->icon());
            shownText = box->text();
            for (QAbstractButton *button : box->buttons())
                buttons << button->text();
            buttons.sort();
            defaultButton = box->defaultButton() ? box->defaultButton()->text() : QString();
            if (answer == QLatin1String("Enter"))
                test::typeKey({Qt::Key_Return});
            else if (answer == QLatin1String("Esc"))
                test::typeKey({Qt::Key_Escape});
            else if (answer == QLatin1String("Y") || answer == QLatin1String("N"))
                test::typeKey({answer == QLatin1String("Y") ? Qt::Key_Y : Qt::Key_N});
            else if (answer == QLatin1String("close"))
                box->close();
            else
                for (QAbstractButton *button : box->buttons())
                    if (button->text() == answer)
                        button->click();
            closedAtOnce = !box->isVisible();
        });

        bool result = true;
        if (kind == QLatin1String("YesNo"))
            result = dialogs.askYesNo(&owner, text);
        else if (kind == QLatin1String("OkCancel"))
            result = dialogs.askOkCancel(&owner, text);
        else
            dialogs.tell(&owner, text);

        QCOMPARE(title, QStringLiteral("Brightwell"));
        QCOMPARE(icon, int(QMessageBox::NoIcon));
        QCOMPARE(shownText, QStringLiteral("First line. \nSecond line?"));
        if (kind == QLatin1String("YesNo")) {
            QCOMPARE(buttons, QStringList({"&No", "&Yes"}));
            QCOMPARE(defaultButton, QStringLiteral("&Yes"));
        } else if (kind == QLatin1String("OkCancel")) {
            QCOMPARE(buttons, QStringList({"Cancel", "OK"}));
            QCOMPARE(defaultButton, QStringLiteral("OK"));
        } else {
            QCOMPARE(buttons, QStringList({"OK"}));
        }
        QVERIFY2(closedAtOnce, "the answer did not close the box when it was given");
        QCOMPARE(result, expected);
    }
};

QTEST_MAIN(DialogsTest)
#include "dialogs_test.moc"
