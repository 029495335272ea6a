#include "app/command_line.h"
#include "app/dialogs.h"
#include "app/language.h"
#include "app/main_window.h"
#include "engine/random_source.h"
#ifdef Q_OS_WIN
#include "app/win32_process.h"
#include "history/registry_store.h"
#include <windows.h>
#else
#include "history/qsettings_store.h"
#endif
#include "web/web_launcher.h"

#include <QApplication>
#include <QByteArray>
#include <QGuiApplication>
#include <QLocale>
#include <QString>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

// What Qt says while it opens the display, held back until it is known whether it could:
// when it cannot, Qt ends the program with an abort and a page of advice on reinstalling.
struct HeldMessage {
    QtMsgType type;
    QByteArray category;
    QString text;
};
std::vector<HeldMessage> heldMessages;
QtMessageHandler passOn = nullptr;

// The language the program's own lines are said in.
bw::Language language = bw::Language::English;
// What the command line asked for.
bw::CommandLine commandLine;

// Says the text, whole lines each ending in a line break, on standard output or error (on
// Windows, wherever the one who started the program sees it: see win32_process.h).
void say(bool error, const QString &text)
{
#ifdef Q_OS_WIN
    bw::win32::say(error ? bw::win32::Channel::Error : bw::win32::Channel::Output, text.toStdWString());
#else
    std::FILE *stream = error ? stderr : stdout;
    std::fputs(text.toUtf8().constData(), stream);
    std::fflush(stream);
#endif
}

void sayError(const QString &line)
{
    say(true, line + QLatin1Char('\n'));
}

// The platform that was asked for, on the command line or in the environment.
QByteArray platformName()
{
    return commandLine.platform.isEmpty() ? qgetenv("QT_QPA_PLATFORM") : commandLine.platform.toLocal8Bit();
}

// The display that was asked for, on the command line or as the environment names it.
QByteArray displayName()
{
    if (!commandLine.display.isEmpty())
        return commandLine.display.toLocal8Bit();
    const QByteArray x11 = qgetenv("DISPLAY");
    const QByteArray wayland = qgetenv("WAYLAND_DISPLAY");
    return (platformName().startsWith("wayland") && !wayland.isEmpty()) || x11.isEmpty() ? wayland : x11;
}

// Once the display is open (or Qt gives up for another reason), whatever Qt said on the way
// is said after all.
void stopHolding()
{
    qInstallMessageHandler(passOn);
    for (const HeldMessage &message : heldMessages) {
        if (!passOn)
            break;
        const QMessageLogContext context(nullptr, 0, nullptr, message.category.constData());
        passOn(message.type, context, message.text);
    }
    heldMessages.clear();
}

// Whether Qt said, on the way, that it could not reach the display (and not, say, that its
// platform plugin is missing).
bool displayUnreachable()
{
    for (const HeldMessage &message : heldMessages)
        if (message.text.contains(QLatin1String("connect to display")) || message.text.contains(QLatin1String("wl_display")))
            return true;
    return false;
}

void holdWhileOpening(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    if (type == QtFatalMsg && text.contains(QLatin1String("no Qt platform plugin could be initialized"))
        && displayUnreachable()) {
        sayError(bw::translateEarly(language, bw::kErrorContext, bw::kCannotOpenDisplay)
                     .arg(QString::fromLocal8Bit(displayName())));
        std::_Exit(2);
    }
    if (type == QtFatalMsg) {
        stopHolding();
        if (passOn)
            passOn(type, context, text);
        return;
    }
    heldMessages.push_back({type, QByteArray(context.category), text});
}

// Qt aborts with a long message when no display can be reached; say it in one line instead.
bool displayAvailable()
{
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    if (!platformName().isEmpty() || !commandLine.display.isEmpty())
        return true;
    const char *display = std::getenv("DISPLAY");
    const char *wayland = std::getenv("WAYLAND_DISPLAY");
    return (display && *display) || (wayland && *wayland);
#else
    return true;
#endif
}

#ifdef Q_OS_WIN
// Under Wine, whose GDI draws some letters of the fonts that stand in for Windows' own as
// nothing (the capital I of Liberation Sans among them), text is drawn by Qt's own FreeType
// rasterizer instead, which draws them all. On Windows the native font engine stays.
void drawTextWithFreeTypeUnderWine()
{
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    if (ntdll && GetProcAddress(ntdll, "wine_get_version") && !qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "windows:fontengine=freetype");
}
#endif

} // namespace

int main(int argc, char *argv[])
{
#ifdef Q_OS_WIN
    drawTextWithFreeTypeUnderWine();
#endif
#ifdef Q_OS_WIN
    // Where the classic desktop settings calls keep the history, so an earlier one is read.
    bw::RegistryStore store;
#else
    bw::QSettingsStore store;
#endif
    QStringList arguments;
#ifdef Q_OS_WIN
    for (const std::wstring &argument : bw::win32::arguments())
        arguments << QString::fromStdWString(argument);
#else
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
#endif
    commandLine = bw::parseCommandLine(arguments);
    // The language: --language for this run, otherwise the one the user chose last, otherwise
    // the system's. A line that is refused is answered in the user's, not in one it names.
    const bw::Language userLanguage = bw::startLanguage(store, QLocale::system().uiLanguages());
    language = commandLine.language.value_or(userLanguage);
    switch (commandLine.action) {
    case bw::CommandLine::Action::Refuse:
        say(true, bw::refusalText(commandLine, userLanguage));
        return 2;
    case bw::CommandLine::Action::Help:
        say(false, bw::helpText(language));
        return 0;
    case bw::CommandLine::Action::Version:
        say(false, bw::versionText());
        return 0;
    case bw::CommandLine::Action::Run:
        break;
    }
#ifdef Q_OS_WIN
    // Tells the installer and the uninstaller that Brightwell runs, until it ends.
    bw::win32::holdRunningMutex();
#endif
    if (!displayAvailable()) {
        sayError(bw::translateEarly(language, bw::kErrorContext, bw::kNoDisplay));
        return 2;
    }
    // QApplication is given Qt's options alone, each as it reads it.
    std::vector<QByteArray> words{QByteArray(argc > 0 ? argv[0] : "brightwell")};
    for (const QString &option : commandLine.qtOptions)
        words.push_back(option.toLocal8Bit());
    std::vector<char *> qtArguments;
    for (QByteArray &word : words)
        qtArguments.push_back(word.data());
    qtArguments.push_back(nullptr);
    int qtArgumentCount = static_cast<int>(words.size());
    passOn = qInstallMessageHandler(holdWhileOpening);
    QApplication app(qtArgumentCount, qtArguments.data());
    stopHolding();
    QApplication::setApplicationName(QStringLiteral("Brightwell"));
    QGuiApplication::setDesktopFileName(QStringLiteral("example.brightwell.Brightwell"));
    bw::ClockRandomSource random;
    bw::MessageBoxDialogs dialogs;
    bw::DesktopShell shell;
    bw::MainWindow window({store, random, dialogs, shell, language});
    window.show();
    return app.exec();
}
