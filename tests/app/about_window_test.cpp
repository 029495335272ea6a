#include "support/recording_shell.h"

#include "app/about_window.h"
#include "widgets/fonts.h"
#include "widgets/twips.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

using bw::twipsRect;

class AboutWindowTest : public QObject {
    Q_OBJECT

    QWidget owner_;
    bw::test::RecordingShell shell_;

private slots:
    void initTestCase()
    {
        bw::installFontSubstitutions();
        QPixmap icon(16, 16);
        icon.fill(Qt::darkRed);
        owner_.setWindowIcon(QIcon(icon));
    }
    void init() { shell_ = {}; }

    void window()
    {
        bw::AboutWindow about(&owner_, shell_);
        QCOMPARE(about.objectName(), QStringLiteral("Form4"));
        QCOMPARE(about.windowTitle(), QStringLiteral("About"));
        QVERIFY(about.isModal() && !about.testAttribute(Qt::WA_DeleteOnClose));
        QCOMPARE(about.size(), bw::twipsSize(9900, 4935));
        QCOMPARE(about.minimumSize(), about.maximumSize());
        QVERIFY(about.windowFlags() & Qt::WindowCloseButtonHint);
        QVERIFY(!(about.windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
        QCOMPARE(about.windowIcon().cacheKey(), owner_.windowIcon().cacheKey());
        QCOMPARE(bw::aboutFeedbackText(),
                 "If this software is helpful for you to prepare for the Canadian citizenship test, please\r\n"
                 "send us an email at:  feedback@brightwell.example . Your comments and feedback is greatly welcome.\r\n"
                 "Hope you become a Canadian citizen soon. Good Luck!");
    }

    void controls_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("rect");
        QTest::addColumn<QString>("text");
        QTest::newRow("1") << "Label1" << twipsRect(480, 240, 9135, 495)
                           << "Brightwell V4.38  (c) Brightwell Software. All rights reserved.";
        QTest::newRow("2") << "Label2" << twipsRect(480, 1080, 9255, 1215)
                           << QString(bw::aboutFeedbackText()).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        QTest::newRow("3") << "Label3" << twipsRect(480, 2280, 6855, 735)
                           << "For more hints about the Canadian citizenship test, please visit: ";
        QTest::newRow("4") << "Label4" << twipsRect(6000, 2280, 2775, 615) << "www.brightwell.example";
        QTest::newRow("5") << "Label5" << twipsRect(480, 2880, 8895, 735)
                           << "Click on the 'More Info' button for other good stuffs that you may be interested in.";
        QTest::newRow("OK") << "Command1" << twipsRect(6720, 3960, 1575, 495) << "&OK";
        QTest::newRow("More Info") << "Command2" << twipsRect(1320, 3960, 1575, 495) << "&More Info";
    }

    void controls()
    {
        QFETCH(QString, name);
        QFETCH(QRect, rect);
        QFETCH(QString, text);
        bw::AboutWindow about(&owner_, shell_);
        const QWidget *control = about.findChild<QWidget *>(name);
        QCOMPARE(control->geometry(), rect);
        if (const auto *button = qobject_cast<const QPushButton *>(control)) {
            QCOMPARE(button->text(), text);
            QCOMPARE(button->isDefault(), name == QLatin1String("Command1"));
            return;
        }
        const auto *label = qobject_cast<const QLabel *>(control);
        QCOMPARE(label->text(), text);
        // Times New Roman, or the family standing in for it where it is not installed.
        QCOMPARE(label->font().family(), bw::installedFamily(QStringLiteral("Times New Roman")));
        QCOMPARE(label->font().pointSizeF(), name == QLatin1String("Label1") ? 11.25 : 9.75);
        QVERIFY(label->font().bold());
        QCOMPARE(label->font().underline(), name == QLatin1String("Label4"));
        QVERIFY(label->heightForWidth(rect.width()) <= rect.height()); // nothing cut off below
        if (name == QLatin1String("Label3")) // its one line ends before the address starts
            QVERIFY(rect.left() + label->fontMetrics().horizontalAdvance(text.trimmed()) < bw::twips(6000));
    }

    void focus()
    {
        bw::AboutWindow about(&owner_, shell_);
        auto *ok = about.findChild<QPushButton *>(QStringLiteral("Command1"));
        QCOMPARE(ok->nextInFocusChain(), about.findChild<QWidget *>(QStringLiteral("Command2")));
        about.show();
        QVERIFY(QTest::qWaitForWindowExposed(&about));
        QCOMPARE(about.focusWidget(), ok);
        if (const QString folder = qEnvironmentVariable("BRIGHTWELL_SCREENSHOT_DIR"); !folder.isEmpty())
            QVERIFY(about.grab().save(folder + QStringLiteral("/about-window.png")));
    }

    // More Info and the address both open the home page, as often as asked, and stay open.
    void homePageLinks()
    {
        bw::AboutWindow about(&owner_, shell_);
        about.show();
        auto *link = about.findChild<QLabel *>(QStringLiteral("Label4"));
        for (const char *name : {"Command2", "Command2", "Label4"})
            QTest::mouseClick(about.findChild<QWidget *>(QLatin1String(name)), Qt::LeftButton);
        QVERIFY(about.isVisible());
        QCOMPARE(shell_.shellAddresses(), std::vector<std::string>(3, "https://www.brightwell.example/"));
        QCOMPARE(link->cursor().shape(), Qt::PointingHandCursor);
        QCOMPARE(link->palette().color(QPalette::WindowText), QColor(Qt::blue));
    }

    void closing_data()
    {
        QTest::addColumn<int>("key"); // 0: click OK
        QTest::addColumn<int>("result");
        QTest::newRow("OK") << 0 << int(QDialog::Accepted);
        QTest::newRow("Enter on OK") << int(Qt::Key_Return) << int(QDialog::Accepted);
        QTest::newRow("Esc") << int(Qt::Key_Escape) << int(QDialog::Rejected);
    }

    void closing()
    {
        QFETCH(int, key);
        QFETCH(int, result);
        bw::AboutWindow about(&owner_, shell_);
        about.setResult(-1);
        about.show();
        QVERIFY(QTest::qWaitForWindowExposed(&about));
        if (key == 0)
            QTest::mouseClick(about.findChild<QWidget *>(QStringLiteral("Command1")), Qt::LeftButton);
        else
            QTest::keyClick(about.focusWidget(), Qt::Key(key));
        QVERIFY(!about.isVisible());
        QCOMPARE(about.result(), result);
        QVERIFY(shell_.calls.empty());
    }
};

QTEST_MAIN(AboutWindowTest)
#include "about_window_test.moc"
