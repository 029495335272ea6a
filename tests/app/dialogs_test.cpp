// The real message boxes, answered from inside their own modal loop as a user would answer them.
#include "app/dialogs.h"
#include "app/language.h"
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
        QTest::addColumn<QString>("answer"); // a button's text, or a key: "Enter", "Esc", a letter, or "close"
        QTest::addColumn<bool>("expected");
        QTest::addColumn<bool>("french"); // Qt's own French names the buttons, and their letters
        QTest::newRow("Yes/No, Yes") << "YesNo" << "&Yes" << true << false;
        QTest::newRow("Yes/No, No") << "YesNo" << "&No" << false << false;
        QTest::newRow("Yes/No, Enter") << "YesNo" << "Enter" << true << false;
        QTest::newRow("Yes/No, Y") << "YesNo" << "Y" << true << false;
        QTest::newRow("Yes/No, N") << "YesNo" << "N" << false << false;
        QTest::newRow("Yes/No, Esc") << "YesNo" << "Esc" << false << false;
        QTest::newRow("Yes/No, close box") << "YesNo" << "close" << false << false;
        QTest::newRow("OK/Cancel, OK") << "OkCancel" << "OK" << true << false;
        QTest::newRow("OK/Cancel, Cancel") << "OkCancel" << "Cancel" << false << false;
        QTest::newRow("OK/Cancel, Enter") << "OkCancel" << "Enter" << true << false;
        QTest::newRow("OK/Cancel, Esc") << "OkCancel" << "Esc" << false << false;
        QTest::newRow("OK/Cancel, close box") << "OkCancel" << "close" << false << false;
        QTest::newRow("notice, Enter") << "Tell" << "Enter" << true << false;
        QTest::newRow("notice, Esc") << "Tell" << "Esc" << true << false;
        QTest::newRow("Oui/Non, O") << "YesNo" << "O" << true << true;
        QTest::newRow("Oui/Non, N") << "YesNo" << "N" << false << true;
        QTest::newRow("Oui/Non, Enter") << "YesNo" << "Enter" << true << true;
        QTest::newRow("OK/Annuler, Annuler") << "OkCancel" << "Annuler" << false << true;
    }
    void messageBoxes()
    {
        QFETCH(QString, kind);
        QFETCH(QString, answer);
        QFETCH(bool, expected);
        QFETCH(bool, french);
        installLanguage(french ? Language::French : Language::English);
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
            else if (answer.size() == 1)
                test::typeKey({static_cast<Qt::Key>(answer[0].unicode())});
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
            QCOMPARE(buttons, french ? QStringList({"&Non", "&Oui"}) : QStringList({"&No", "&Yes"}));
            QCOMPARE(defaultButton, french ? QStringLiteral("&Oui") : QStringLiteral("&Yes"));
        } else if (kind == QLatin1String("OkCancel")) {
            QCOMPARE(buttons, french ? QStringList({"Annuler", "OK"}) : QStringList({"Cancel", "OK"}));
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
