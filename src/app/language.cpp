#include "app/language.h"

#include "app/qt_catalogue.h"
#include "engine/quiz.h"
#include "history/settings_store.h"

#include <QCoreApplication>
#include <QEvent>
#include <QLocale>
#include <QTranslator>

namespace bw {

namespace {

// The program's catalogue, as it is compiled into the program's resources; Qt's is found by
// qtCatalogue().
const QString kProgramCatalogue = QStringLiteral(":/i18n/brightwell_fr.qm");

struct Installed {
    QTranslator program;
    QTranslator qt;
    Language language = Language::English;
    bool active = false;
};

Installed &installed()
{
    static Installed instance;
    return instance;
}

QLocale localeOf(Language language)
{
    return language == Language::French ? QLocale(QLocale::French, QLocale::Canada)
                                        : QLocale(QLocale::English, QLocale::Canada);
}

} // namespace

QString languageCode(Language language)
{
    return language == Language::French ? QStringLiteral("fr") : QStringLiteral("en");
}

std::optional<Language> languageFromCode(const QString &code)
{
    if (code == QLatin1String("en"))
        return Language::English;
    if (code == QLatin1String("fr"))
        return Language::French;
    return std::nullopt;
}

Language systemLanguage(const QStringList &uiLanguages)
{
    for (const QString &name : uiLanguages) {
        const QString language = name.section(QLatin1Char('-'), 0, 0).section(QLatin1Char('_'), 0, 0).toLower();
        if (language == QLatin1String("fr"))
            return Language::French;
        if (language == QLatin1String("en"))
            return Language::English;
    }
    return Language::English;
}

Language startLanguage(SettingsStore &store, const QStringList &uiLanguages)
{
    const std::string stored = store.read(kLanguageApplication, kLanguageSection, kLanguageKey, std::string());
    if (const auto language = languageFromCode(QString::fromStdString(stored)))
        return *language;
    return systemLanguage(uiLanguages);
}

bool storeLanguage(SettingsStore &store, Language language)
{
    return store.write(kLanguageApplication, kLanguageSection, kLanguageKey, languageCode(language).toStdString());
}

void installLanguage(Language language)
{
    Installed &now = installed();
    QLocale::setDefault(localeOf(language));
    if (now.active && now.language == language)
        return;
    now.language = language;
    now.active = true;
    QCoreApplication::removeTranslator(&now.program);
    QCoreApplication::removeTranslator(&now.qt);
    if (language == Language::French) {
        if (now.program.isEmpty())
            (void)now.program.load(kProgramCatalogue);
        // An installed catalogue that cannot be read leaves the compiled-in one.
        if (now.qt.isEmpty() && !now.qt.load(qtCatalogue()))
            (void)now.qt.load(QString::fromLatin1(kQtCatalogueResource));
        QCoreApplication::installTranslator(&now.qt);
        QCoreApplication::installTranslator(&now.program);
    }
    // Qt posts the change to every widget; deliver it now, so that every window reads the new
    // language when this returns.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
}

Language installedLanguage()
{
    return installed().language;
}

QString translateEarly(Language language, const char *context, const char *source)
{
    if (language == Language::French) {
        QTranslator catalogue;
        if (catalogue.load(kProgramCatalogue)) {
            const QString text = catalogue.translate(context, source);
            if (!text.isEmpty())
                return text;
        }
    }
    return QString::fromUtf8(source);
}

QString localizedPercent(int correct, int total)
{
    // The engine's "#0.0" text, with the language's decimal sign and the percent sign placed
    // as the language writes it.
    QString number = QString::fromStdString(formatPercent(correct, total));
    number.chop(1);
    number.replace(QLatin1Char('.'), QLocale().decimalPoint());
    return QCoreApplication::translate("bw::ResultWindow", "%1%", "the score; %1 is the number").arg(number);
}

} // namespace bw
