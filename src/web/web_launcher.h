#pragma once

#include <cstdint>
#include <string>

namespace bw {

// Window styles for a started command line, numbered as the Windows ShowWindow values.
inline constexpr int kWindowNormalFocus = 1;    // normal window, gets the focus
inline constexpr int kWindowMinimizedFocus = 2; // minimized window, gets the focus

// The two operations the program needs from the platform to show a web page. Kept behind one
// interface so the fallback chain can be exercised without opening anything.
class ShellPlatform {
public:
    virtual ~ShellPlatform() = default;

    // The shell's "open" of an address. A result above 32 means success, as ShellExecute
    // reports it; 32 and below (negative values too) mean the shell refused.
    virtual int32_t shellExecute(const std::string &address) = 0;

    // Starts a command line with one of the window styles above. Returns false when the
    // program could not be started.
    virtual bool startCommandLine(const std::string &commandLine, int windowStyle) = 0;
};

// One call of the shell's open; the result is passed through unchanged.
int32_t shellOpen(ShellPlatform &shell, std::string address);

// Shows a web page. Asks the shell first; when it refuses, starts the browser by its usual
// path, and when that cannot be started, asks the command interpreter (both spellings, old
// and new) to start the address. Never reports anything and never throws.
void openWebPage(ShellPlatform &shell, std::string address);

// The real platform (desktop_shell.cpp): Win32Shell on Windows, the desktop services and a
// detached process elsewhere.
class DesktopShell : public ShellPlatform {
public:
    int32_t shellExecute(const std::string &address) override;
    bool startCommandLine(const std::string &commandLine, int windowStyle) override;
};

} // namespace bw
