#include "app/command_line.h"

#include <QTest>

using namespace bw;

Q_DECLARE_METATYPE(CommandLine::Action)

class CommandLineTest : public QObject {
    Q_OBJECT
private slots:
    // What each line asks for; a refused one names the argument it refuses and the form it
    // takes; Qt's own options go to QApplication in the forms it reads.
    void commandLine_data()
    {
        QTest::addColumn<QStringList>("arguments"); // after the program's name
        QTest::addColumn<CommandLine::Action>("action");
        QTest::addColumn<int>("language"); // -1: none given
        QTest::addColumn<QString>("said"); // a refused line's answer, in English
        QTest::addColumn<QStringList>("qtOptions");
        using A = CommandLine::Action;
        const int none = -1;
        const int en = int(Language::English);
        const int fr = int(Language::French);
        const auto row = [](const char *name, const QStringList &arguments, A action, int language,
                            const QString &said = {}, const QStringList &qtOptions = {}) {
            QTest::newRow(name) << arguments << action << language << said << qtOptions;
        };
        row("nothing", {}, A::Run, none);
        row("--language fr", {"--language", "fr"}, A::Run, fr);
        row("--language=en", {"--language=en"}, A::Run, en);
        row("the last --language counts", {"--language", "fr", "--language=en"}, A::Run, en);
        row("--language xx", {"--language", "xx"}, A::Refuse, none, "brightwell: --language takes en or fr, not \"xx\".");
        row("a good --language, then a bad one", {"--language=fr", "--language=FR"}, A::Refuse, none,
            "brightwell: --language takes en or fr, not \"FR\".");
        row("--language with no value", {"--language"}, A::Refuse, none,
            "brightwell: --language takes en or fr, and none was given.");
        row("a good --language, then one with no value", {"--language", "fr", "--language"}, A::Refuse, none,
            "brightwell: --language takes en or fr, and none was given.");
        row("a mistyped option", {"--lang", "fr"}, A::Refuse, none,
            "brightwell: unknown option \"--lang\"; the options are --language en|fr, --help and --version.");
        row("a mistyped option with =", {"--language=fr", "--lang=fr"}, A::Refuse, none,
            "brightwell: unknown option \"--lang\"; the options are --language en|fr, --help and --version.");
        row("a single letter", {"-x"}, A::Refuse, none,
            "brightwell: unknown option \"-x\"; the options are --language en|fr, --help and --version.");
        row("a value for a flag", {"--version=2"}, A::Refuse, none, "brightwell: --version takes no value.");
        row("Qt's option without its value", {"-platform", "offscreen", "-style"}, A::Refuse, none,
            "brightwell: -style takes a value, and none was given.");
        row("an argument", {"fr"}, A::Refuse, none,
            "brightwell: \"fr\" is not an option; the options are --language en|fr, --help and --version.");
        row("an option after --", {"--", "--help"}, A::Refuse, none,
            "brightwell: \"--help\" is not an option; the options are --language en|fr, --help and --version.");
        row("--help", {"--help"}, A::Help, none);
        row("-h", {"-h"}, A::Help, none);
        row("--help in French", {"--language", "fr", "--help"}, A::Help, fr);
        row("--version", {"--version"}, A::Version, none);
        row("-v", {"-v"}, A::Version, none);
        row("help and a refused option", {"--help", "--nope"}, A::Refuse, none,
            "brightwell: unknown option \"--nope\"; the options are --language en|fr, --help and --version.");
        // Qt reads "-style=name" but "-platform name" only: each is handed on as Qt reads it.
        row("Qt's options, every form", {"-platform", "offscreen", "--style=fusion", "-reverse", "--qwindowtitle", "T", "--language", "fr"},
            A::Run, fr, {}, {"-platform", "offscreen", "-qwindowtitle", "T", "-style", "fusion", "-reverse"});
        row("Qt's X11 options", {"--display=:5", "-name", "bw", "-nograb"}, A::Run, none, {},
            {"-display", ":5", "-name", "bw", "-nograb"});
        row("a value that looks like an option", {"-platform", "--language"}, A::Run, none, {}, {"-platform", "--language"});
    }
    void commandLine()
    {
        QFETCH(QStringList, arguments);
        QFETCH(CommandLine::Action, action);
        QFETCH(int, language);
        QFETCH(QString, said);
        QFETCH(QStringList, qtOptions);
        const CommandLine line = parseCommandLine(QStringList{QStringLiteral("brightwell")} + arguments);
        QCOMPARE(line.action, action);
        QCOMPARE(line.language ? int(*line.language) : -1, language);
        if (action == CommandLine::Action::Refuse)
            QCOMPARE(refusalText(line, Language::English), said + QLatin1Char('\n'));
        QCOMPARE(line.qtOptions, qtOptions);
    }

    void helpAndVersion()
    {
        QCOMPARE(versionText(), QStringLiteral("Brightwell 4.38\n"));
        const QString english = helpText(Language::English);
        const QString french = helpText(Language::French);
        QVERIFY(english.startsWith(QStringLiteral("Usage: brightwell [options]\n")));
        QVERIFY(french.startsWith(QStringLiteral("Utilisation\u00a0: brightwell [options]\n")));
        // The same options, line for line, in both.
        const auto options = [](const QString &text) {
            QStringList names;
            for (const QString &line : text.split(QLatin1Char('\n')))
                if (line.startsWith(QLatin1String("  -")))
                    names << line.section(QStringLiteral("  "), 1, 1);
            return names;
        };
        QCOMPARE(options(english), QStringList({"--language en|fr", "-h, --help", "-v, --version"}));
        QCOMPARE(options(french), options(english));
    }
};

QTEST_GUILESS_MAIN(CommandLineTest)
#include "command_line_test.moc"
