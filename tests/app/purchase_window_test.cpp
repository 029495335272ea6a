#include "support/recording_shell.h"

#include "widgets/fonts.h"
#include "app/purchase_window.h"
#include "widgets/layout.h"
#include "widgets/twips.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

using bw::twipsRect;

class PurchaseWindowTest : public QObject {
    Q_OBJECT

    QWidget owner_;
    bw::test::RecordingShell shell_;

private slots:
    void initTestCase() { bw::installFontSubstitutions(); }
    void init() { shell_ = {}; }

    void layout()
    {
        bw::PurchaseWindow purchase(&owner_, shell_);
        QCOMPARE(purchase.objectName(), QStringLiteral("Form5"));
        QCOMPARE(purchase.windowTitle(), QStringLiteral("Purchase a CD"));
        QVERIFY(purchase.isModal() && !purchase.testAttribute(Qt::WA_DeleteOnClose));
        QCOMPARE(purchase.size(), bw::twipsSize(7350, 2865));
        QCOMPARE(purchase.minimumSize(), purchase.maximumSize());
        QVERIFY(!(purchase.windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));

        const auto *label = purchase.findChild<QLabel *>(QStringLiteral("Label1"));
        QCOMPARE(label->geometry(), twipsRect(240, 240, 7095, 1335));
        QCOMPARE(label->font().family(), bw::layoutFont("MS Sans Serif", 9.75).family());
        QCOMPARE(label->font().pointSizeF(), 9.75);
        QVERIFY(label->font().bold() && label->heightForWidth(label->width()) <= label->height());
        for (const char *part : {"order page", "CD", "connected to the Internet", "GO button"})
            QVERIFY2(label->text().contains(QLatin1String(part)), part);

        auto *go = purchase.findChild<QPushButton *>(QStringLiteral("Command1"));
        auto *cancel = purchase.findChild<QPushButton *>(QStringLiteral("Command2"));
        QCOMPARE(go->text() + cancel->text(), QStringLiteral("&GO&Cancel"));
        QCOMPARE(go->geometry(), twipsRect(1440, 1920, 1455, 615));
        QCOMPARE(cancel->geometry(), twipsRect(4800, 2160, 1095, 375));
        QVERIFY(go->isDefault() && !cancel->isDefault());
        purchase.show();
        QVERIFY(QTest::qWaitForWindowExposed(&purchase));
        QCOMPARE(purchase.focusWidget(), go);
        if (const QString folder = qEnvironmentVariable("BRIGHTWELL_SCREENSHOT_DIR"); !folder.isEmpty())
            QVERIFY(purchase.grab().save(folder + QStringLiteral("/purchase-window.png")));
    }

    // GO, clicked or reached with Enter, opens the order page and leaves the window open;
    // Cancel and Esc close it without opening anything. Each is used twice.
    void buttons_data()
    {
        QTest::addColumn<int>("key"); // 0: click the button
        QTest::addColumn<QString>("button");
        QTest::addColumn<bool>("closes");
        QTest::newRow("GO") << 0 << "Command1" << false;
        QTest::newRow("Enter") << int(Qt::Key_Return) << "" << false;
        QTest::newRow("Cancel") << 0 << "Command2" << true;
        QTest::newRow("Esc") << int(Qt::Key_Escape) << "" << true;
    }

    void buttons()
    {
        QFETCH(int, key);
        QFETCH(QString, button);
        QFETCH(bool, closes);
        bw::PurchaseWindow purchase(&owner_, shell_);
        purchase.setResult(-1);
        for (int i = 0; i < 2; ++i) {
            purchase.show();
            QVERIFY(QTest::qWaitForWindowExposed(&purchase));
            if (key == 0)
                QTest::mouseClick(purchase.findChild<QWidget *>(button), Qt::LeftButton);
            else
                QTest::keyClick(purchase.focusWidget(), Qt::Key(key));
            QCOMPARE(purchase.isVisible(), !closes);
            QCOMPARE(purchase.result(), closes ? int(QDialog::Rejected) : -1);
        }
        const std::vector<std::string> opened(closes ? 0 : 2, "https://www.brightwell.example/order.html");
        QCOMPARE(shell_.shellAddresses(), opened);
    }
};

QTEST_MAIN(PurchaseWindowTest)
#include "purchase_window_test.moc"
