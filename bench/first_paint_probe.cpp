// Linked into a Qt Widgets program that is otherwise left as it is, this file reports on
// standard output when the program's main window (its first top-level QMainWindow) has been
// painted for the first time, and how much memory the process has used by then; after a
// short idle spell it reports the peak memory again and ends the program.
//
// It hooks in through Q_COREAPP_STARTUP_FUNCTION, which the QApplication constructor calls,
// so the program's own main() runs unchanged. Times are steady-clock (CLOCK_MONOTONIC on
// Linux) nanoseconds, which the parent process (startup_bench) compares with the moment it
// spawned the program. On Windows memory is the working set, CPU time GetProcessTimes's.
//
// Lines written (one each, space-separated key=value pairs):
//   probe loaded_ns=.. app_ns=.. paint_ns=.. shown_ns=.. maxrss_kib=.. cpu_us=.. widgets=.. visible=.. size=WxH held_ticks=..
//   idle maxrss_kib=.. vmrss_kib=..
//
// A timer of a second or more (the banner's first tick comes after 4 s) never comes due before
// the first frame of a program that shows it in a tenth of a second, but it can under an
// instruction counter, which runs the program some fifty times slower, and its work would then
// be counted as start-up. Until the first frame its ticks are held back (held_ticks counts them;
// outside such a counter it stays 0).
// BENCH_IDLE_MS sets the idle spell (default 1000 ms; a negative value keeps the program
// running until it is closed or killed).

#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <QMainWindow>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#ifdef Q_OS_WIN
#include <windows.h>
#include <psapi.h>
#else
#include <sys/resource.h>
#endif

namespace {

long long monotonicNs()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

#ifdef Q_OS_WIN

PROCESS_MEMORY_COUNTERS memoryCounters()
{
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return counters;
}

long maxRssKiB()
{
    return static_cast<long>(memoryCounters().PeakWorkingSetSize / 1024);
}

long long cpuMicroseconds()
{
    FILETIME created{}, exited{}, kernel{}, user{};
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    const auto ticks = [](FILETIME time) {
        return static_cast<long long>((static_cast<unsigned long long>(time.dwHighDateTime) << 32) | time.dwLowDateTime);
    };
    return (ticks(kernel) + ticks(user)) / 10; // 100 ns ticks
}

long currentRssKiB()
{
    return static_cast<long>(memoryCounters().WorkingSetSize / 1024);
}

#else

long maxRssKiB()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss; // KiB on Linux
}

// User and system CPU time used so far, in microseconds.
long long cpuMicroseconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return (static_cast<long long>(usage.ru_utime.tv_sec) + usage.ru_stime.tv_sec) * 1000000LL
           + usage.ru_utime.tv_usec + usage.ru_stime.tv_usec;
}

// The resident set right now, from /proc/self/status (0 when it cannot be read).
long currentRssKiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> lines = status.readAll().split('\n');
    for (const QByteArray &line : lines) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    }
    return 0;
}

#endif

// Taken by a static initialiser: after the dynamic linker is done, before main() runs.
const long long gLoadedNs = monotonicNs();

class FirstPaintProbe : public QObject {
public:
    explicit FirstPaintProbe(long long appNs, QObject *parent) : QObject(parent), appNs_(appNs) {}

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Timer && shownNs_ == 0) {
            const auto *timer = qobject_cast<QTimer *>(watched);
            if (timer && timer->interval() >= kHeldTimerMs) {
                ++heldTicks_;
                return true;
            }
        }
        if (event->type() != QEvent::Paint || paintNs_ != 0)
            return false;
        auto *window = qobject_cast<QMainWindow *>(watched);
        if (!window || !window->isWindow())
            return false;
        paintNs_ = monotonicNs();
        window_ = window;
        // Runs once the paint that starts here has been finished and flushed to the screen.
        QTimer::singleShot(0, this, &FirstPaintProbe::reportShown);
        return false;
    }

private:
    void reportShown()
    {
        const long long shownNs = monotonicNs();
        shownNs_ = shownNs;
        const long rss = maxRssKiB();
        const long long cpu = cpuMicroseconds();
        QCoreApplication::instance()->removeEventFilter(this);
        int widgets = 0;
        int visible = 0;
        QString size = QStringLiteral("0x0");
        if (window_) {
            const QList<QWidget *> children = window_->findChildren<QWidget *>();
            widgets = static_cast<int>(children.size());
            for (const QWidget *child : children)
                visible += child->isVisible() ? 1 : 0;
            size = QStringLiteral("%1x%2").arg(window_->width()).arg(window_->height());
        }
        std::printf("probe loaded_ns=%lld app_ns=%lld paint_ns=%lld shown_ns=%lld maxrss_kib=%ld cpu_us=%lld "
                    "widgets=%d visible=%d size=%s held_ticks=%d\n",
                    gLoadedNs, appNs_, paintNs_, shownNs, rss, cpu, widgets, visible, qPrintable(size), heldTicks_);
        std::fflush(stdout);

        int idleMs = 1000;
        if (const char *value = std::getenv("BENCH_IDLE_MS"); value && *value)
            idleMs = std::atoi(value);
        if (idleMs >= 0)
            QTimer::singleShot(idleMs, this, &FirstPaintProbe::reportIdle);
    }

    void reportIdle()
    {
        std::printf("idle maxrss_kib=%ld vmrss_kib=%ld\n", maxRssKiB(), currentRssKiB());
        std::fflush(stdout);
        QCoreApplication::quit();
    }

    static constexpr int kHeldTimerMs = 1000;

    long long appNs_ = 0;
    long long paintNs_ = 0;
    long long shownNs_ = 0;
    int heldTicks_ = 0;
    QPointer<QMainWindow> window_;
};

void installFirstPaintProbe()
{
    QCoreApplication *app = QCoreApplication::instance();
    app->installEventFilter(new FirstPaintProbe(monotonicNs(), app));
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(installFirstPaintProbe)
