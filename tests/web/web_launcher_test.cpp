#include "support/recording_shell.h"

#include "web/web_launcher.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using bw::test::RecordingShell;
using Kind = RecordingShell::Kind;

class WebLauncherTest : public QObject {
    Q_OBJECT

private slots:
    void shellOpenPassesResultThrough()
    {
        RecordingShell shell;
        for (int32_t result : {-7, 2, 42}) {
            shell.shellResult = result;
            QCOMPARE(bw::shellOpen(shell, "x y"), result);
        }
        QCOMPARE(shell.shellAddresses(), std::vector<std::string>(3, "x y"));
    }

    // Every run makes a prefix of the same four attempts; the rows say how long it gets.
    void attempts_data()
    {
        QTest::addColumn<int>("shellResult");
        QTest::addColumn<bool>("browserStarts");
        QTest::addColumn<bool>("commandStarts");
        QTest::addColumn<bool>("throws"); // the failing operations throw instead
        QTest::addColumn<int>("attempts");
        QTest::newRow("opened, 33") << 33 << false << false << false << 1;
        QTest::newRow("opened, int max") << INT32_MAX << false << false << false << 1;
        QTest::newRow("refused, 32") << 32 << true << false << false << 2;
        QTest::newRow("refused, -1") << -1 << true << false << false << 2;
        QTest::newRow("refused, int min") << INT32_MIN << true << false << false << 2;
        QTest::newRow("no browser, command starts") << 0 << false << true << false << 4;
        QTest::newRow("no browser, command fails") << 0 << false << false << false << 4;
        QTest::newRow("shell throws") << 33 << true << true << true << 4;
        QTest::newRow("starts throw") << 0 << false << false << true << 4;
    }

    void attempts()
    {
        QFETCH(int, shellResult);
        QFETCH(bool, browserStarts);
        QFETCH(bool, commandStarts);
        QFETCH(bool, throws);
        QFETCH(int, attempts);
        const std::string address = "https://www.brightwell.example/a page.html?q=\"x y\"";
        RecordingShell shell;
        shell.shellResult = shellResult;
        shell.shellThrows = throws && shellResult > 32;
        shell.startThrows = throws && !browserStarts;
        shell.startResult = [&](const std::string &line) {
            return line.starts_with("command ") ? commandStarts : browserStarts;
        };
        bw::openWebPage(shell, address);

        const std::vector<RecordingShell::Call> all{
            {Kind::ShellExecute, address, 0},
            {Kind::StartCommandLine, "c:\\program files\\internet explorer\\iexplore.exe " + address, 1},
            {Kind::StartCommandLine, "command /c start " + address, 2},
            {Kind::StartCommandLine, "cmd /c start " + address, 2},
        };
        QCOMPARE(shell.calls, std::vector(all.begin(), all.begin() + attempts));
    }

    // The desktop's own opener hands the address to the user's browser ($BROWSER, a list of
    // programs to try) as one argument, exactly as given, and no shell ever sees it.
    void desktopShellHandsTheAddressOverUnchanged_data()
    {
        QTest::addColumn<QString>("address"); // PWNED stands for a file that a shell would make
        QTest::addColumn<bool>("firstBrowserMissing");
        QTest::newRow("blanks and quotes") << "https://www.brightwell.example/a page.html?q=\"x y\"&r='z'" << false;
        QTest::newRow("shell commands")
            << "https://www.brightwell.example/;touch PWNED1 & touch PWNED2 | touch PWNED3 $(touch PWNED4) `touch PWNED5`"
            << false;
        QTest::newRow("first browser missing") << "https://www.brightwell.example/x y;z" << true;
    }
    void desktopShellHandsTheAddressOverUnchanged()
    {
#ifdef Q_OS_WIN
        QSKIP("on Windows the desktop's open operation is the Win32 shell, which win32_shell_test covers");
#endif
        QFETCH(QString, address);
        QFETCH(bool, firstBrowserMissing);
        QTemporaryDir folder;
        address.replace(QStringLiteral("PWNED"), folder.filePath(QStringLiteral("pwned")));
        const QString record = folder.filePath(QStringLiteral("argv"));
        const bool hadBrowser = qEnvironmentVariableIsSet("BROWSER");
        const QByteArray oldBrowser = qgetenv("BROWSER");
        qputenv("BROWSER", QByteArray(firstBrowserMissing ? "/no/such/browser:" : "") + ARGV_RECORDER);
        qputenv("BRIGHTWELL_ARGV_RECORD", QFile::encodeName(record));
        bw::DesktopShell shell;
        const int32_t result = shell.shellExecute(address.toStdString());
        if (hadBrowser)
            qputenv("BROWSER", oldBrowser);
        else
            qunsetenv("BROWSER");
        QVERIFY(result > 32);
        QTRY_VERIFY(QFile::exists(record));
        QFile file(record);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromUtf8(file.readAll()), QStringLiteral("1\n") + address + QLatin1Char('\n'));
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files), QStringList({"argv"}));
    }
};

QTEST_GUILESS_MAIN(WebLauncherTest)
#include "web_launcher_test.moc"
