#pragma once

#include "bank/question_bank.h"

#include <QString>
#include <QStringList>
#include <optional>

namespace bw {

class SettingsStore;

// Where the user's choice of language is kept: beside the history, under a key of its own.
inline constexpr const char *kLanguageApplication = "Lumbra";
inline constexpr const char *kLanguageSection = "aaa";
inline constexpr const char *kLanguageKey = "language";

// "en" or "fr", the codes that --language and the store take.
QString languageCode(Language language);
std::optional<Language> languageFromCode(const QString &code);

// French when French comes before English among the user's interface languages (for example
// "fr-CA", "fr"), English otherwise.
Language systemLanguage(const QStringList &uiLanguages);

// The stored choice; the system's language when none is stored, or one that is not "en" or
// "fr".
Language startLanguage(SettingsStore &store, const QStringList &uiLanguages);
bool storeLanguage(SettingsStore &store, Language language);

// Makes every text Qt translates speak the language: the program's own catalogue and Qt's
// (the standard buttons of message boxes), both compiled into the program, and the number
// format. English, the language of the source, needs no catalogue. Every widget is then sent a
// LanguageChange event.
void installLanguage(Language language);
Language installedLanguage();

// A text in the given language, for what is said before the application object exists (the
// command line, the display), when no catalogue can be installed yet.
QString translateEarly(Language language, const char *context, const char *source);

// The program's own lines about the display on standard error, in English; translateEarly
// gives them in the user's language. Those about the command line are in app/command_line.h.
inline constexpr const char *kErrorContext = "bw::CommandLine";
inline constexpr const char *kNoDisplay =
    QT_TRANSLATE_NOOP("bw::CommandLine", "brightwell: no display is available (DISPLAY and WAYLAND_DISPLAY are "
                                         "unset); start it from a desktop session.");
inline constexpr const char *kCannotOpenDisplay = QT_TRANSLATE_NOOP(
    "bw::CommandLine", "brightwell: cannot open the display %1; start it from a desktop session.");

// The score as the result window shows it: "66.7%" in English, "66,7 %" in French.
QString localizedPercent(int correct, int total);

} // namespace bw
