#include "web/web_launcher.h"

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

} // namespace bw
