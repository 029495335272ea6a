#pragma once

#include "bank/question_bank.h"

#include <QString>
#include <QStringList>
#include <optional>

namespace bw {

// What the program's command line asks for. Besides its own options it takes Qt's (-platform,
// -style, -reverse and the rest, with one dash or two), which QApplication reads itself.
struct CommandLine {
    enum class Action {
        Run,     // open the window
        Help,    // -h, --help: say the usage and the options, end with status 0
        Version, // -v, --version: say "Brightwell 4.38", end with status 0
        Refuse,  // an option or an argument it does not take: say why in one line, end with status 2
    };
    Action action = Action::Run;
    // --language en or fr: the language of this run alone. The last one given counts.
    std::optional<Language> language;
    // Qt's -platform and -display, as given (empty when they are not): the display is then
    // the one they name, whatever the environment says.
    QString platform;
    QString display;
    // Qt's options among them, in the forms QApplication reads (one dash, the value as the
    // next word, also when it was given as -name=value), for QApplication to take; the
    // program's own options are not among them.
    QStringList qtOptions;
    // Why a line is refused: a text of this file's context, in English, with refused in it.
    const char *refusal = nullptr;
    QString refused;
};

// Reads the arguments, the program's own name first.
CommandLine parseCommandLine(const QStringList &arguments);

// The texts said for each action, in the language given. A refusal is said in the language the
// user has (stored or the system's), never in one its own line asked for.
QString helpText(Language language);
QString versionText();
QString refusalText(const CommandLine &line, Language language);

inline constexpr const char *kCommandLineContext = "bw::CommandLine";
inline constexpr const char *kHelp = QT_TRANSLATE_NOOP(
    "bw::CommandLine",
    "Usage: brightwell [options]\n"
    "Practice tests for the Canadian citizenship knowledge test.\n"
    "\n"
    "Options:\n"
    "  --language en|fr  Shows Brightwell in English or in French for this run only.\n"
    "  -h, --help        Shows this help and exits.\n"
    "  -v, --version     Shows the version and exits.\n"
    "\n"
    "Qt's own options, such as -platform, -style and -reverse, are taken too.\n");
inline constexpr const char *kBadLanguageOption =
    QT_TRANSLATE_NOOP("bw::CommandLine", "brightwell: --language takes en or fr, not \"%1\".");
inline constexpr const char *kMissingLanguage =
    QT_TRANSLATE_NOOP("bw::CommandLine", "brightwell: --language takes en or fr, and none was given.");
inline constexpr const char *kMissingValue =
    QT_TRANSLATE_NOOP("bw::CommandLine", "brightwell: %1 takes a value, and none was given.");
inline constexpr const char *kUnexpectedValue = QT_TRANSLATE_NOOP("bw::CommandLine", "brightwell: %1 takes no value.");
inline constexpr const char *kUnknownOption = QT_TRANSLATE_NOOP(
    "bw::CommandLine", "brightwell: unknown option \"%1\"; the options are --language en|fr, --help and --version.");
inline constexpr const char *kNotAnOption = QT_TRANSLATE_NOOP(
    "bw::CommandLine", "brightwell: \"%1\" is not an option; the options are --language en|fr, --help and --version.");

} // namespace bw
