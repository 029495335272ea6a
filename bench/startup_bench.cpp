// Start-up time and peak memory of Brightwell against a bare Qt window with as many widgets.
//
// Spawns each program many times, alternating between them, and takes from each run:
// - the wall time from just before the spawn to the moment the first frame of the main window
//   has been painted and flushed (reported by first_paint_probe.cpp inside the child);
// - the peak resident memory (getrusage ru_maxrss) at that moment, after an idle second, and
//   over the whole run (from wait4), and the CPU time of the whole run.
// Every child gets HOME, XDG_CONFIG_HOME, XDG_CACHE_HOME and XDG_RUNTIME_DIR in a temporary
// folder, which is removed at the end.
//
// Usage: startup_bench --program PROBE --bare BARE_WINDOW --platform xcb|offscreen|windows
//                      [--launcher PROGRAM] [--runs N] [--warmup N] [--idle-ms MS] [--verbose]
// PROBE is brightwell_probe (the program's own main() plus the probe). With xcb the children
// use the X server in DISPLAY. With --launcher (Wine, for the Windows build) each program is
// started through it, and the windows platform draws on the X server in DISPLAY; the child's
// clock is then not the parent's, so a run's time to the first frame is the moment its report
// arrives, and the steps before it are not told apart. The exit status is 0 when every run succeeded, whether or not
// the goals were met.

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

extern char **environ;

namespace {

namespace fs = std::filesystem;

constexpr double kStartGoalRatio = 1.2; // start-up within 1.2 times the bare window's
constexpr double kMemoryGoalMiB = 5.0;  // peak memory within 5 MiB of the bare window's
constexpr int kRunTimeoutMs = 30000;

long long monotonicNs()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec;
}

struct Options {
    std::string program;
    std::string bare;
    std::string platform = "xcb";
    std::string launcher;
    int runs = 15;
    int warmup = 1;
    int idleMs = 1000;
    std::string language; // given to the program as --language; empty: the desktop's
    bool verbose = false;
};

struct Run {
    double loadedMs = 0;  // spawn -> static initialisers ran (exec and dynamic linking done)
    double appMs = 0;     // spawn -> QApplication under construction (platform plugin up)
    double paintMs = 0;   // spawn -> first paint event of the main window
    double shownMs = 0;   // spawn -> that first frame painted and flushed
    double rssPaintMiB = 0;
    double rssIdleMiB = 0;
    double rssLifeMiB = 0;
    double cpuMs = 0;       // CPU time of the whole run (wait4)
    double cpuShownMs = 0;  // CPU time up to the first frame
    int widgets = 0;
    int visible = 0;
    int width = 0;
    int height = 0;
};

using Fields = std::map<std::string, std::string>;

Fields parseLine(const std::string &line)
{
    Fields fields;
    std::istringstream in(line);
    std::string token;
    in >> fields["kind"];
    while (in >> token) {
        const auto eq = token.find('=');
        if (eq != std::string::npos)
            fields[token.substr(0, eq)] = token.substr(eq + 1);
    }
    return fields;
}

long long number(const Fields &fields, const std::string &key)
{
    const auto found = fields.find(key);
    return found == fields.end() ? 0 : std::atoll(found->second.c_str());
}

class Bench {
public:
    explicit Bench(Options options) : options_(std::move(options)) {}

    ~Bench()
    {
        if (!root_.empty()) {
            std::error_code ignored;
            fs::remove_all(root_, ignored);
        }
    }

    bool prepare()
    {
        const char *tmp = std::getenv("TMPDIR");
        std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/brightwell-startup-XXXXXX";
        std::vector<char> buffer(pattern.begin(), pattern.end());
        buffer.push_back('\0');
        if (!mkdtemp(buffer.data())) {
            std::perror("startup_bench: mkdtemp");
            return false;
        }
        root_ = buffer.data();
        const fs::path home = root_ / "home";
        fs::create_directories(home / ".config");
        fs::create_directories(home / ".cache");
        fs::create_directories(root_ / "runtime");
        chmod((root_ / "runtime").c_str(), 0700);

        // The children's environment: ours, with every per-user folder in the temporary one.
        const std::vector<std::string> dropped = {"HOME=", "XDG_CONFIG_HOME=", "XDG_CACHE_HOME=", "XDG_DATA_HOME=",
                                                  "XDG_RUNTIME_DIR=", "QT_QPA_PLATFORM=", "WAYLAND_DISPLAY=",
                                                  "BENCH_IDLE_MS=", "SESSION_MANAGER="};
        for (char **entry = environ; *entry; ++entry) {
            const std::string text = *entry;
            const bool drop = std::any_of(dropped.begin(), dropped.end(),
                                          [&](const std::string &prefix) { return text.rfind(prefix, 0) == 0; });
            const bool dropDisplay = options_.platform == "offscreen" && text.rfind("DISPLAY=", 0) == 0;
            if (!drop && !dropDisplay)
                environment_.push_back(text);
        }
        environment_.push_back("HOME=" + home.string());
        environment_.push_back("XDG_CONFIG_HOME=" + (home / ".config").string());
        environment_.push_back("XDG_CACHE_HOME=" + (home / ".cache").string());
        environment_.push_back("XDG_DATA_HOME=" + (home / ".local/share").string());
        environment_.push_back("XDG_RUNTIME_DIR=" + (root_ / "runtime").string());
        environment_.push_back("QT_QPA_PLATFORM=" + options_.platform);
        environment_.push_back("BENCH_IDLE_MS=" + std::to_string(options_.idleMs));
        if (options_.platform != "offscreen" && !std::getenv("DISPLAY")) {
            std::fputs("startup_bench: the xcb and windows platforms need an X server in DISPLAY\n", stderr);
            return false;
        }
        return true;
    }

    // One run of a program; nothing when it failed (the reason is printed).
    std::optional<Run> run(const std::string &program, const std::vector<std::string> &arguments)
    {
        std::vector<std::string> argvText{program};
        if (!options_.launcher.empty())
            argvText.insert(argvText.begin(), options_.launcher);
        argvText.insert(argvText.end(), arguments.begin(), arguments.end());
        std::vector<char *> argv;
        for (std::string &text : argvText)
            argv.push_back(text.data());
        argv.push_back(nullptr);
        std::vector<char *> envp;
        for (std::string &text : environment_)
            envp.push_back(text.data());
        envp.push_back(nullptr);

        int out[2];
        if (pipe2(out, O_CLOEXEC) != 0) {
            std::perror("startup_bench: pipe");
            return std::nullopt;
        }
        const std::string errorLog = (root_ / "stderr.log").string();
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, out[1], 1);
        posix_spawn_file_actions_addopen(&actions, 2, errorLog.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);

        pid_t pid = 0;
        const long long spawnedNs = monotonicNs();
        const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), envp.data());
        posix_spawn_file_actions_destroy(&actions);
        close(out[1]);
        if (spawned != 0) {
            std::fprintf(stderr, "startup_bench: cannot start %s: %s\n", program.c_str(), std::strerror(spawned));
            close(out[0]);
            return std::nullopt;
        }

        std::string output;
        long long reportedNs = 0; // when the probe's first line arrived
        bool timedOut = false;
        const long long deadline = spawnedNs + static_cast<long long>(kRunTimeoutMs) * 1000000LL;
        for (;;) {
            const long long left = (deadline - monotonicNs()) / 1000000LL;
            if (left <= 0) {
                timedOut = true;
                break;
            }
            pollfd poller{out[0], POLLIN, 0};
            const int ready = poll(&poller, 1, static_cast<int>(left));
            if (ready < 0 && errno == EINTR)
                continue;
            if (ready <= 0) {
                timedOut = ready == 0;
                break;
            }
            char chunk[4096];
            const ssize_t got = read(out[0], chunk, sizeof chunk);
            if (got < 0 && errno == EINTR)
                continue;
            if (got <= 0)
                break; // end of output: the child has gone
            output.append(chunk, static_cast<size_t>(got));
            if (reportedNs == 0 && output.find('\n') != std::string::npos)
                reportedNs = monotonicNs();
        }
        close(out[0]);
        if (timedOut)
            kill(pid, SIGKILL);
        int status = 0;
        rusage usage{};
        while (wait4(pid, &status, 0, &usage) < 0 && errno == EINTR) {
        }

        Fields probe;
        Fields idle;
        std::istringstream lines(output);
        for (std::string line; std::getline(lines, line);) {
            Fields fields = parseLine(line);
            if (fields["kind"] == "probe")
                probe = std::move(fields);
            else if (fields["kind"] == "idle")
                idle = std::move(fields);
        }
        if (timedOut || !WIFEXITED(status) || WEXITSTATUS(status) != 0 || probe.empty() || idle.empty()) {
            std::fprintf(stderr, "startup_bench: %s %s (status %d); its output:\n%s", program.c_str(),
                         timedOut ? "timed out" : "failed", status, output.c_str());
            std::fprintf(stderr, "-- its standard error:\n");
            if (FILE *log = std::fopen(errorLog.c_str(), "r")) {
                char line[512];
                while (std::fgets(line, sizeof line, log))
                    std::fputs(line, stderr);
                std::fclose(log);
            }
            return std::nullopt;
        }

        const auto sinceSpawn = [&](const char *key) {
            return static_cast<double>(number(probe, key) - spawnedNs) / 1e6;
        };
        Run result;
        if (options_.launcher.empty()) {
            result.loadedMs = sinceSpawn("loaded_ns");
            result.appMs = sinceSpawn("app_ns");
            result.paintMs = sinceSpawn("paint_ns");
            result.shownMs = sinceSpawn("shown_ns");
        } else {
            result.shownMs = static_cast<double>(reportedNs - spawnedNs) / 1e6;
        }
        result.rssPaintMiB = static_cast<double>(number(probe, "maxrss_kib")) / 1024.0;
        result.rssIdleMiB = static_cast<double>(number(idle, "maxrss_kib")) / 1024.0;
        result.rssLifeMiB = static_cast<double>(usage.ru_maxrss) / 1024.0;
        result.cpuMs = static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3
                       + static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
        result.cpuShownMs = static_cast<double>(number(probe, "cpu_us")) / 1e3;
        result.widgets = static_cast<int>(number(probe, "widgets"));
        result.visible = static_cast<int>(number(probe, "visible"));
        std::sscanf(probe["size"].c_str(), "%dx%d", &result.width, &result.height);
        return result;
    }

    const Options &options() const { return options_; }

private:
    Options options_;
    fs::path root_;
    std::vector<std::string> environment_;
};

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    if (n == 0)
        return 0;
    return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2.0;
}

template <typename Field>
std::vector<double> column(const std::vector<Run> &runs, Field field)
{
    std::vector<double> values;
    for (const Run &run : runs)
        values.push_back(run.*field);
    return values;
}

std::string spread(const std::vector<double> &values, const char *format)
{
    const auto formatted = [format](double value) {
        char text[48];
        std::snprintf(text, sizeof text, format, value);
        return std::string(text);
    };
    const auto [low, high] = std::minmax_element(values.begin(), values.end());
    return formatted(median(values)) + " [" + formatted(*low) + ".." + formatted(*high) + "]";
}

void printRun(const char *name, int index, const Run &run)
{
    std::printf("  %-11s run %2d: loaded %6.1f  app %6.1f  paint %6.1f  shown %6.1f ms   max RSS %5.1f / %5.1f / "
                "%5.1f MiB   CPU %6.1f / %6.1f ms\n",
                name, index, run.loadedMs, run.appMs, run.paintMs, run.shownMs, run.rssPaintMiB, run.rssIdleMiB,
                run.rssLifeMiB, run.cpuShownMs, run.cpuMs);
}

bool parseOptions(int argc, char **argv, Options &options)
{
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--program" && hasValue)
            options.program = argv[++i];
        else if (arg == "--bare" && hasValue)
            options.bare = argv[++i];
        else if (arg == "--platform" && hasValue)
            options.platform = argv[++i];
        else if (arg == "--launcher" && hasValue)
            options.launcher = argv[++i];
        else if (arg == "--runs" && hasValue)
            options.runs = std::atoi(argv[++i]);
        else if (arg == "--warmup" && hasValue)
            options.warmup = std::atoi(argv[++i]);
        else if (arg == "--idle-ms" && hasValue)
            options.idleMs = std::atoi(argv[++i]);
        else if (arg == "--language" && hasValue)
            options.language = argv[++i];
        else if (arg == "--verbose")
            options.verbose = true;
        else
            return false;
    }
    return !options.program.empty() && !options.bare.empty() && options.runs > 0 && options.warmup >= 0
           && options.idleMs >= 0 && (options.language.empty() || options.language == "en" || options.language == "fr")
           && (options.platform == "xcb" || options.platform == "offscreen" || options.platform == "windows");
}

} // namespace

int main(int argc, char **argv)
{
    Options options;
    if (!parseOptions(argc, argv, options)) {
        std::fputs("usage: startup_bench --program BRIGHTWELL_PROBE --bare BARE_WINDOW --platform xcb|offscreen|windows\n"
                   "                     [--launcher PROGRAM] [--runs N] [--warmup N] [--idle-ms MS] [--language en|fr]\n"
                   "                     [--verbose]\n",
                   stderr);
        return 2;
    }
    Bench bench(options);
    if (!bench.prepare())
        return 1;

    // The program in the language asked for; the bare window has no text to translate.
    std::vector<std::string> programArguments;
    if (!options.language.empty())
        programArguments = {"--language", options.language};
    // The first run tells how many widgets the bare window needs, and how big it is.
    const std::optional<Run> first = bench.run(options.program, programArguments);
    if (!first)
        return 1;
    const std::vector<std::string> bareArguments = {std::to_string(first->widgets), std::to_string(first->visible),
                                                    std::to_string(first->width), std::to_string(first->height)};
    const std::optional<Run> bareFirst = bench.run(options.bare, bareArguments);
    if (!bareFirst)
        return 1;
    if (bareFirst->widgets != first->widgets || bareFirst->visible != first->visible
        || bareFirst->width != first->width || bareFirst->height != first->height) {
        std::fprintf(stderr,
                     "startup_bench: the bare window does not match: %d widgets (%d visible), %dx%d against "
                     "%d (%d), %dx%d\n",
                     bareFirst->widgets, bareFirst->visible, bareFirst->width, bareFirst->height, first->widgets,
                     first->visible, first->width, first->height);
        return 1;
    }
    for (int i = 1; i < options.warmup; ++i) {
        if (!bench.run(options.program, programArguments) || !bench.run(options.bare, bareArguments))
            return 1;
    }

    // Alternating, and in turn order A B, B A, so that a slow drift favours neither.
    std::vector<Run> program;
    std::vector<Run> bare;
    for (int i = 0; i < options.runs; ++i) {
        for (int leg = 0; leg < 2; ++leg) {
            const bool programTurn = (leg == 0) == (i % 2 == 0);
            const std::optional<Run> result =
                programTurn ? bench.run(options.program, programArguments) : bench.run(options.bare, bareArguments);
            if (!result)
                return 1;
            (programTurn ? program : bare).push_back(*result);
            if (options.verbose)
                printRun(programTurn ? "brightwell" : "bare_window", i + 1, *result);
        }
    }

    const char *platform = options.platform == "xcb"       ? "xcb (X server)"
                           : options.platform == "windows" ? "windows (X server, under the launcher)"
                                                           : "offscreen";
    const char *language = options.language == "fr" ? ", in French" : options.language == "en" ? ", in English" : "";
    std::printf("Start-up on %s%s: %d runs of each, alternating; median [min..max]\n", platform, language, options.runs);
    std::printf("  window: %dx%d px, %d widgets (%d visible) in both\n", first->width, first->height, first->widgets,
                first->visible);
    std::printf("  %-37s %-31s %-31s %s\n", "", "brightwell", "bare_window", "brightwell vs bare");
    struct Row {
        const char *name;
        double Run::*field;
        const char *unit;
        bool ratio;
    };
    const Row rows[] = {
        {"spawn -> static init (exec, linking)", &Run::loadedMs, "ms", true},
        {"spawn -> QApplication constructed", &Run::appMs, "ms", true},
        {"spawn -> first paint event", &Run::paintMs, "ms", true},
        {"spawn -> first frame painted", &Run::shownMs, "ms", true},
        {"max RSS at first frame", &Run::rssPaintMiB, "MiB", false},
        {"max RSS after idle second", &Run::rssIdleMiB, "MiB", false},
        {"max RSS over the whole run", &Run::rssLifeMiB, "MiB", false},
        {"CPU time up to the first frame", &Run::cpuShownMs, "ms", true},
        {"CPU time over the whole run", &Run::cpuMs, "ms", true},
    };
    for (const Row &row : rows) {
        // Under a launcher only the whole way to the first frame is measured.
        const bool step = row.field == &Run::loadedMs || row.field == &Run::appMs || row.field == &Run::paintMs;
        if (!options.launcher.empty() && step)
            continue;
        const std::vector<double> a = column(program, row.field);
        const std::vector<double> b = column(bare, row.field);
        char comparison[64];
        if (row.ratio)
            std::snprintf(comparison, sizeof comparison, "x%.3f (%+.1f %s)", median(a) / median(b),
                          median(a) - median(b), row.unit);
        else
            std::snprintf(comparison, sizeof comparison, "%+.2f %s", median(a) - median(b), row.unit);
        const std::string unitFormat = std::string("%.1f ") + row.unit;
        std::printf("  %-37s %-31s %-31s %s\n", row.name, spread(a, unitFormat.c_str()).c_str(),
                    spread(b, unitFormat.c_str()).c_str(), comparison);
    }
    // Each run of the one next to the run of the other taken just before or after it: less
    // sensitive to the machine's load drifting during the series than the ratio of medians.
    std::vector<double> paired;
    for (size_t i = 0; i < program.size(); ++i)
        paired.push_back(program[i].shownMs / bare[i].shownMs);
    std::printf("  %-37s %s\n", "paired first-frame ratios", spread(paired, "x%.3f").c_str());
    const double startRatio = median(column(program, &Run::shownMs)) / median(column(bare, &Run::shownMs));
    const double memoryDiff = median(column(program, &Run::rssIdleMiB)) - median(column(bare, &Run::rssIdleMiB));
    std::printf("  goal: start-up within %.1fx the bare window's (ratio of medians): x%.3f, %s\n", kStartGoalRatio, startRatio,
                startRatio <= kStartGoalRatio ? "met" : "MISSED");
    std::printf("  goal: peak memory within %.0f MiB of the bare window's (after idle second): %+.2f MiB, %s\n", kMemoryGoalMiB,
                memoryDiff, memoryDiff <= kMemoryGoalMiB ? "met" : "MISSED");
    return 0;
}
