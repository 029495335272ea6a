#include "app/dialogs.h"
#include "app/language.h"
#include "app/main_window.h"
#include "engine/random_source.h"
#ifdef Q_OS_WIN
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

void sayError(const QString &line)
{
    const QString text = line + QLatin1Char('\n');
#ifdef Q_OS_WIN
    // A console shows its own code page, which is not the one Windows' 8-bit text is in: give it
    // the text as UTF-16, so that « » and accents show. A file or a pipe gets UTF-8.
    HANDLE handle = GetStdHandle(STD_ERROR_HANDLE);
    DWORD mode = 0;
    if (handle != INVALID_HANDLE_VALUE && handle != nullptr && GetConsoleMode(handle, &mode)) {
        DWORD written = 0;
        const std::wstring wide = text.toStdWString();
        WriteConsoleW(handle, wide.c_str(), static_cast<DWORD>(wide.size()), &written, nullptr);
        return;
    }
#endif
    std::fputs(text.toUtf8().constData(), stderr);
    std::fflush(stderr);
}

// The display that was asked for, as the environment names it.
QByteArray displayName()
{
    const QByteArray x11 = qgetenv("DISPLAY");
    const QByteArray wayland = qgetenv("WAYLAND_DISPLAY");
    return (qgetenv("QT_QPA_PLATFORM").startsWith("wayland") && !wayland.isEmpty()) || x11.isEmpty() ? wayland : x11;
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
    const char *platform = std::getenv("QT_QPA_PLATFORM");
    if (platform && *platform)
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
    // The language: --language for this run, otherwise the one the user chose last, otherwise
    // the system's.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const bw::LanguageOption option = bw::parseLanguageOption(arguments);
    language = option.language ? *option.language : bw::startLanguage(store, QLocale::system().uiLanguages());
    if (option.bad) {
        sayError(bw::translateEarly(language, bw::kErrorContext, bw::kBadLanguageOption).arg(option.value));
        return 2;
    }
    if (!displayAvailable()) {
        sayError(bw::translateEarly(language, bw::kErrorContext, bw::kNoDisplay));
        return 2;
    }
    passOn = qInstallMessageHandler(holdWhileOpening);
    QApplication app(argc, argv);
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
