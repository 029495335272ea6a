// The Windows shell platform against Wine's shell and process start. Nothing real is opened:
// the started programs are "stand in.exe" (stand_in.cpp), which records how it was started
// and exits at once.
#include "tally.h"
#include "web/web_launcher.h"
#include "web/win32_shell.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

using bw::test::Tally;

namespace {

// How long a started stand-in may take to report; Wine starts a process in well under this.
constexpr DWORD kStartWaitMs = 30000;

// The stand-in beside this program. Its name holds a blank and is never quoted, as the
// browser's path is not.
std::string standInPath()
{
    char self[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string path(self, length);
    return path.substr(0, path.find_last_of('\\') + 1) + "stand in.exe";
}

// What one started stand-in recorded.
struct Record {
    std::string show;
    std::string directory;
    std::string line;
    bool operator<(const Record &other) const { return line < other.line; }
};

std::string field(const std::string &text, const std::string &name)
{
    const std::string label = name + ' ';
    const size_t start = text.find(label);
    if (start == std::string::npos)
        return "(missing)";
    const size_t from = start + label.size();
    return text.substr(from, text.find('\n', from) - from);
}

// Collects what the stand-ins started into one folder record, once each has signalled.
class Records {
public:
    explicit Records(const std::string &name)
    {
        char temp[MAX_PATH] = {};
        GetTempPathA(MAX_PATH, temp);
        folder_ = std::string(temp) + "bw-" + name + '-' + std::to_string(GetCurrentProcessId());
        CreateDirectoryA(folder_.c_str(), nullptr);
        const std::string signal = "bw-stand-in-" + name + '-' + std::to_string(GetCurrentProcessId());
        signal_ = CreateSemaphoreA(nullptr, 0, 64, signal.c_str());
        SetEnvironmentVariableA("BW_STAND_IN_RECORDS", folder_.c_str());
        SetEnvironmentVariableA("BW_STAND_IN_SIGNAL", signal.c_str());
    }
    Records(const Records &) = delete;
    Records &operator=(const Records &) = delete;
    ~Records()
    {
        for (const std::string &file : files())
            DeleteFileA(file.c_str());
        RemoveDirectoryA(folder_.c_str());
        CloseHandle(signal_);
    }

    // Waits for that many stand-ins to report, then reads every record, sorted by line.
    std::vector<Record> collect(size_t expected, bool &allReported) const
    {
        allReported = true;
        for (size_t i = 0; i < expected; ++i)
            if (WaitForSingleObject(signal_, kStartWaitMs) != WAIT_OBJECT_0)
                allReported = false;
        std::vector<Record> records;
        for (const std::string &file : files()) {
            const std::string text = contents(file);
            records.push_back({field(text, "show"), field(text, "directory"), field(text, "line")});
        }
        std::sort(records.begin(), records.end());
        return records;
    }

private:
    std::vector<std::string> files() const
    {
        std::vector<std::string> found;
        WIN32_FIND_DATAA entry{};
        const HANDLE search = FindFirstFileA((folder_ + "\\*.txt").c_str(), &entry);
        if (search == INVALID_HANDLE_VALUE)
            return found;
        do
            found.push_back(folder_ + '\\' + entry.cFileName);
        while (FindNextFileA(search, &entry));
        FindClose(search);
        return found;
    }

    static std::string contents(const std::string &file)
    {
        const HANDLE in = CreateFileA(file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
        if (in == INVALID_HANDLE_VALUE)
            return {};
        char buffer[4096];
        DWORD got = 0;
        const BOOL ok = ReadFile(in, buffer, sizeof buffer, &got, nullptr);
        CloseHandle(in);
        return ok ? std::string(buffer, got) : std::string();
    }

    std::string folder_;
    HANDLE signal_ = nullptr;
};

// The real Win32 shell, but each fixed program of the launcher's command lines is replaced
// by a stand-in or by a path where nothing is, so no browser or interpreter runs. Records
// what it was asked, in order.
class RedirectedShell : public bw::ShellPlatform {
public:
    std::vector<std::pair<std::string, std::string>> programs; // fixed start -> replacement
    std::vector<std::pair<std::string, int>> starts;          // as asked, with the style
    int32_t lastShellResult = 0;

    int32_t shellExecute(const std::string &address) override
    {
        lastShellResult = real_.shellExecute(address);
        return lastShellResult;
    }

    bool startCommandLine(const std::string &commandLine, int windowStyle) override
    {
        starts.emplace_back(commandLine, windowStyle);
        for (const auto &[fixed, replacement] : programs)
            if (commandLine.starts_with(fixed))
                return real_.startCommandLine(replacement + commandLine.substr(fixed.size()), windowStyle);
        return false;
    }

private:
    bw::Win32Shell real_;
};

constexpr const char *kBrowser = "c:\\program files\\internet explorer\\iexplore.exe ";
constexpr const char *kOldInterpreter = "command /c start ";
constexpr const char *kNewInterpreter = "cmd /c start ";
// An address no shell opens: a protocol nothing is registered for. Blanks stay unquoted.
constexpr const char *kRefusedAddress = "brightwell-no-such-protocol://a page/?q=x y";

// The shell opens what it can open with exactly the launcher's arguments: no parameters, the
// folder C:\ and a hidden window, and refuses an address it has no handler for.
void shellOperation(Tally &tally)
{
    Records records("shell");
    bw::Win32Shell shell;
    const int32_t opened = shell.shellExecute(standInPath());
    tally.check(opened > 32, "the shell opens a program (result " + std::to_string(opened) + ")");
    bool reported = false;
    const std::vector<Record> started = records.collect(opened > 32 ? 1 : 0, reported);
    tally.check(reported && started.size() == 1, "the opened program ran once");
    if (started.size() == 1) {
        tally.equal(started[0].show, "0", "opened hidden");
        tally.equal(started[0].directory, "C:\\", "opened in C:\\");
    }
    for (const char *address : {kRefusedAddress, "C:\\no such folder\\page.html"}) {
        const int32_t result = shell.shellExecute(address);
        tally.check(result <= 32, std::string("the shell refuses ") + address + " (result " + std::to_string(result) + ")");
    }
}

// Where each fixed program of the launcher points in a row.
enum class Program { StandIn, Missing };

struct LauncherRow {
    const char *name;
    Program browser, oldInterpreter, newInterpreter;
    int attempts; // command-line starts asked for
};

// The launcher on the real shell: a refused address falls back on the browser, and a browser
// that cannot be started on both interpreters, each started with its window style.
void launcherFallbacks(Tally &tally)
{
    const LauncherRow rows[] = {
        {"browser starts", Program::StandIn, Program::StandIn, Program::StandIn, 1},
        {"no browser, both interpreters", Program::Missing, Program::StandIn, Program::StandIn, 3},
        {"no browser, no old interpreter", Program::Missing, Program::Missing, Program::StandIn, 3},
        {"nothing starts", Program::Missing, Program::Missing, Program::Missing, 3},
    };
    const std::string standIn = standInPath();
    const std::string missing = "C:\\no such folder\\no such program.exe ";
    for (const LauncherRow &row : rows) {
        const std::string name = row.name;
        Records records("launcher");
        RedirectedShell shell;
        // Each stand-in is told which program it replaces, so its record says which it was.
        const struct {
            const char *fixed;
            const char *tag;
            Program program;
            int style;
        } fixed[] = {{kBrowser, "browser", row.browser, bw::kWindowNormalFocus},
                     {kOldInterpreter, "command", row.oldInterpreter, bw::kWindowMinimizedFocus},
                     {kNewInterpreter, "cmd", row.newInterpreter, bw::kWindowMinimizedFocus}};
        std::vector<std::pair<std::string, int>> expectedStarts;
        std::vector<Record> expectedRecords;
        for (const auto &program : fixed) {
            shell.programs.emplace_back(program.fixed, program.program == Program::StandIn
                                                           ? standIn + ' ' + program.tag + ' '
                                                           : missing);
            if (expectedStarts.size() < static_cast<size_t>(row.attempts)) {
                expectedStarts.emplace_back(program.fixed + std::string(kRefusedAddress), program.style);
                if (program.program == Program::StandIn)
                    expectedRecords.push_back({std::to_string(program.style), "",
                                               standIn + ' ' + program.tag + ' ' + kRefusedAddress});
            }
        }
        std::sort(expectedRecords.begin(), expectedRecords.end());

        bw::openWebPage(shell, kRefusedAddress);

        tally.check(shell.lastShellResult <= 32, name + ": the shell refused the address");
        tally.check(shell.starts == expectedStarts,
                    name + ": " + std::to_string(shell.starts.size()) + " starts asked for, expected "
                        + std::to_string(expectedStarts.size()) + " in the fixed order");
        bool reported = false;
        const std::vector<Record> started = records.collect(expectedRecords.size(), reported);
        tally.check(reported, name + ": every started stand-in reported");
        tally.check(started.size() == expectedRecords.size(),
                    name + ": " + std::to_string(started.size()) + " programs ran, expected "
                        + std::to_string(expectedRecords.size()));
        for (size_t i = 0; i < std::min(started.size(), expectedRecords.size()); ++i) {
            // Windows hands the program the line as it was given. Wine puts quotes around the
            // program's path when it found it by trying the blanks in turn; the rest is as given.
            std::string line = started[i].line;
            if (line.starts_with('"' + standIn + '"'))
                line = standIn + line.substr(standIn.size() + 2);
            tally.equal(line, expectedRecords[i].line, name + ": command line as given");
            tally.equal(started[i].show, expectedRecords[i].show, name + ": window style");
        }
    }
}

} // namespace

int main()
{
    Tally tally;
    shellOperation(tally);
    launcherFallbacks(tally);
    return tally.finish();
}
