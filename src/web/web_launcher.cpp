#include "web/web_launcher.h"

#include <QtGlobal>

#ifdef Q_OS_WIN
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#include <shellapi.h>
#include <vector>
#else
#include <QDesktopServices>
#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QStringList>
#include <QUrl>
#endif

namespace bw {

namespace {

// Results of shellExecute at or below this value are refusals.
constexpr int32_t kShellRefusalLimit = 32;

// The browser's usual place; the address is appended as it is, without quotes.
constexpr const char *kBrowserCommand = "c:\\program files\\internet explorer\\iexplore.exe ";
// The command interpreter under its old and its new name.
constexpr const char *kOldInterpreterStart = "command /c start ";
constexpr const char *kNewInterpreterStart = "cmd /c start ";

} // namespace

int32_t shellOpen(ShellPlatform &shell, std::string address)
{
    return shell.shellExecute(address);
}

void openWebPage(ShellPlatform &shell, std::string address)
{
    try {
        // Set by the first step that fails and kept for the rest of the call. A shell refusal
        // is an answer, not an error.
        bool errorRecorded = false;

        int32_t result = 0;
        try {
            result = shellOpen(shell, address);
        } catch (...) {
            errorRecorded = true;
        }
        if (result > kShellRefusalLimit)
            return;

        const auto start = [&](const std::string &commandLine, int windowStyle) {
            try {
                if (!shell.startCommandLine(commandLine, windowStyle))
                    errorRecorded = true;
            } catch (...) {
                errorRecorded = true;
            }
        };

        start(kBrowserCommand + address, kWindowNormalFocus);
        if (errorRecorded)
            start(kOldInterpreterStart + address, kWindowMinimizedFocus);
        if (errorRecorded)
            start(kNewInterpreterStart + address, kWindowMinimizedFocus);
    } catch (...) {
        // Showing a page is a convenience; nothing about it may disturb the caller.
    }
}

#ifdef Q_OS_WIN

int32_t DesktopShell::shellExecute(const std::string &address)
{
    const HINSTANCE result = ShellExecuteA(nullptr, "open", address.c_str(), "", "C:\\", 0);
    return static_cast<int32_t>(reinterpret_cast<intptr_t>(result));
}

bool DesktopShell::startCommandLine(const std::string &commandLine, int windowStyle)
{
    // CreateProcessA may write into the command line, so it gets its own buffer.
    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back('\0');

    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = static_cast<WORD>(windowStyle == kWindowMinimizedFocus ? SW_SHOWMINIMIZED
                                                                                 : SW_SHOWNORMAL);
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process))
        return false;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

#else

int32_t DesktopShell::shellExecute(const std::string &address)
{
    const QString page = QString::fromStdString(address);
    // The browser the user names in $BROWSER (a list of programs to try, by the desktop's
    // convention) is handed the address as one argument, exactly as given: no shell sees it,
    // and nothing in it is rewritten on the way.
    const QStringList browsers = qEnvironmentVariable("BROWSER").split(QLatin1Char(':'), Qt::SkipEmptyParts);
    for (const QString &browser : browsers) {
        const QString program = QStandardPaths::findExecutable(browser.trimmed());
        if (!program.isEmpty() && QProcess::startDetached(program, {page}))
            return 33;
    }
    return QDesktopServices::openUrl(QUrl(page)) ? 33 : 2;
}

bool DesktopShell::startCommandLine(const std::string &commandLine, int windowStyle)
{
    // There is no window style to pass on here. The line is split into program and arguments
    // and started without a shell, so nothing in an address is interpreted.
    Q_UNUSED(windowStyle)
    QStringList arguments = QProcess::splitCommand(QString::fromStdString(commandLine));
    if (arguments.isEmpty())
        return false;
    const QString program = arguments.takeFirst();
    return QProcess::startDetached(program, arguments);
}

#endif

} // namespace bw
