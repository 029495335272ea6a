#include "support/recording_shell.h"

#include "web/web_launcher.h"

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
};

QTEST_GUILESS_MAIN(WebLauncherTest)
#include "web_launcher_test.moc"
