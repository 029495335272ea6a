#include "web/web_launcher.h"

#include <QtGlobal>

#ifdef Q_OS_WIN
#include "web/win32_shell.h"
#else
#include <QDesktopServices>
#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QStringList>
#include <QUrl>
#endif

namespace bw {

#ifdef Q_OS_WIN

int32_t DesktopShell::shellExecute(const std::string &address)
{
    return Win32Shell{}.shellExecute(address);
}

bool DesktopShell::startCommandLine(const std::string &commandLine, int windowStyle)
{
    return Win32Shell{}.startCommandLine(commandLine, windowStyle);
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
