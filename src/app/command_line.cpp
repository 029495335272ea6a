#include "app/command_line.h"

#include "app/language.h"

#include <QCommandLineOption>
#include <QCommandLineParser>

namespace bw {

namespace {

// Qt's own options, as QCoreApplication, QGuiApplication, QApplication and the X11 platform
// read them: those that take a value, and those that do not.
const QStringList &qtValueOptions()
{
    static const QStringList names = {
        QStringLiteral("platform"),    QStringLiteral("platformpluginpath"), QStringLiteral("platformtheme"),
        QStringLiteral("plugin"),      QStringLiteral("qwindowgeometry"),    QStringLiteral("geometry"),
        QStringLiteral("qwindowtitle"), QStringLiteral("title"),             QStringLiteral("qwindowicon"),
        QStringLiteral("icon"),        QStringLiteral("session"),            QStringLiteral("style"),
        QStringLiteral("stylesheet"),  QStringLiteral("qmljsdebugger"),      QStringLiteral("display"),
        QStringLiteral("name"),        QStringLiteral("visual")};
    return names;
}

const QStringList &qtFlags()
{
    static const QStringList names = {QStringLiteral("reverse"),     QStringLiteral("testability"),
                                      QStringLiteral("widgetcount"), QStringLiteral("nograb"),
                                      QStringLiteral("dograb"),      QStringLiteral("qdevel"),
                                      QStringLiteral("qdebug")};
    return names;
}

// The option an argument names: without its one or two dashes and any "=value".
QString optionName(const QString &argument)
{
    return argument.mid(argument.startsWith(QLatin1String("--")) ? 2 : 1).section(QLatin1Char('='), 0, 0);
}

// The first argument, in order, that the parser did not take, and why.
void findRefusal(const QStringList &arguments, const QStringList &unknown, const QStringList &withValue,
                 CommandLine &line)
{
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString &argument = arguments[i];
        if (argument == QLatin1String("--"))
            return;
        if (!argument.startsWith(QLatin1Char('-')) || argument.size() == 1)
            continue;
        const QString name = optionName(argument);
        const QString shown = argument.section(QLatin1Char('='), 0, 0);
        const bool valueGiven = argument.contains(QLatin1Char('='));
        if (unknown.contains(name)) {
            line.refusal = kUnknownOption;
            line.refused = shown;
            return;
        }
        if (withValue.contains(name)) {
            if (!valueGiven && i + 1 >= arguments.size()) {
                line.refusal = name == QLatin1String("language") ? kMissingLanguage : kMissingValue;
                line.refused = shown;
                return;
            }
            if (!valueGiven)
                ++i;
        } else if (valueGiven) {
            line.refusal = kUnexpectedValue;
            line.refused = shown;
            return;
        }
    }
}

CommandLine refuse(const char *refusal, const QString &refused)
{
    CommandLine line;
    line.action = CommandLine::Action::Refuse;
    line.refusal = refusal;
    line.refused = refused;
    return line;
}

} // namespace

CommandLine parseCommandLine(const QStringList &arguments)
{
    QCommandLineParser parser;
    // -platform, -style and the rest are Qt's words, with one dash as with two.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption language(QStringLiteral("language"), QString(), QStringLiteral("en|fr"));
    QStringList helpNames{QStringLiteral("h"), QStringLiteral("help")};
#ifdef Q_OS_WIN
    helpNames << QStringLiteral("?");
#endif
    const QCommandLineOption help(helpNames);
    const QCommandLineOption version(QStringList{QStringLiteral("v"), QStringLiteral("version")});
    parser.addOptions({language, help, version});
    QStringList withValue{QStringLiteral("language")};
    for (const QString &name : qtValueOptions()) {
        QCommandLineOption option(name, QString(), QStringLiteral("value"));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
        withValue << name;
    }
    for (const QString &name : qtFlags()) {
        QCommandLineOption option(name);
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }

    if (!parser.parse(arguments)) {
        CommandLine line = refuse(kUnknownOption, QString());
        findRefusal(arguments, parser.unknownOptionNames(), withValue, line);
        if (line.refused.isEmpty())
            line.refused = parser.unknownOptionNames().value(0);
        return line;
    }
    if (!parser.positionalArguments().isEmpty())
        return refuse(kNotAnOption, parser.positionalArguments().constFirst());
    CommandLine line;
    for (const QString &value : parser.values(language)) {
        line.language = languageFromCode(value);
        if (!line.language)
            return refuse(kBadLanguageOption, value);
    }
    if (parser.isSet(help))
        line.action = CommandLine::Action::Help;
    else if (parser.isSet(version))
        line.action = CommandLine::Action::Version;
    for (const QString &name : qtValueOptions())
        for (const QString &value : parser.values(name))
            line.qtOptions << QLatin1Char('-') + name << value;
    for (const QString &name : qtFlags())
        if (parser.isSet(name))
            line.qtOptions << QLatin1Char('-') + name;
    line.platform = parser.value(QStringLiteral("platform"));
    line.display = parser.value(QStringLiteral("display"));
    return line;
}

QString helpText(Language language)
{
    return translateEarly(language, kCommandLineContext, kHelp);
}

QString versionText()
{
    return QStringLiteral("Brightwell " BRIGHTWELL_VERSION "\n");
}

QString refusalText(const CommandLine &line, Language language)
{
    const QString text = translateEarly(language, kCommandLineContext, line.refusal ? line.refusal : kUnknownOption);
    return (text.contains(QLatin1String("%1")) ? text.arg(line.refused) : text) + QLatin1Char('\n');
}

} // namespace bw
