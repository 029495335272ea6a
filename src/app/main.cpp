#include "app/dialogs.h"
#include "app/main_window.h"
#include "engine/random_source.h"
#ifdef Q_OS_WIN
#include "history/registry_store.h"
#else
#include "history/qsettings_store.h"
#endif
#include "web/web_launcher.h"

#include <QApplication>
#include <QGuiApplication>
#include <cstdio>
#include <cstdlib>

namespace {

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

} // namespace

int main(int argc, char *argv[])
{
    if (!displayAvailable()) {
        std::fputs("brightwell: no display is available (DISPLAY and WAYLAND_DISPLAY are unset); "
                   "start it from a desktop session.\n",
                   stderr);
        return 2;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Brightwell"));
    QGuiApplication::setDesktopFileName(QStringLiteral("example.brightwell.Brightwell"));

#ifdef Q_OS_WIN
    // Where the classic desktop settings calls keep the history, so an earlier one is read.
    bw::RegistryStore store;
#else
    bw::QSettingsStore store;
#endif
    bw::ClockRandomSource random;
    bw::MessageBoxDialogs dialogs;
    bw::DesktopShell shell;
    bw::MainWindow window({store, random, dialogs, shell});
    window.show();
    return app.exec();
}
