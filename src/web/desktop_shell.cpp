#include "web/web_launcher.h"

#include <QtGlobal>

#ifdef Q_OS_WIN
#include "web/win32_shell.h"
#else
#include <QDesktopServices>
#include <QProcess>
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
    return QDesktopServices::openUrl(QUrl(QString::fromStdString(address))) ? 33 : 2;
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
