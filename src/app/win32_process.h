#pragma once

#include <string>
#include <vector>

namespace bw::win32 {

// The mutex every running copy of the program holds, in the user's session. The installer and
// the uninstaller (packaging/windows/NSIS.template.in) ask for it by this name to tell whether
// Brightwell is running.
inline constexpr const wchar_t *kRunningMutex = L"Local\\example.brightwell.Brightwell";

// Takes the mutex for as long as the program runs: Windows lets go of it when the process
// ends, however it ends.
void holdRunningMutex();

// The program's arguments as Windows passed them, in UTF-16, the program's own name first
// (the 8-bit argv of main holds them in the ANSI code page, which drops what it cannot hold).
std::vector<std::wstring> arguments();

// Where a line goes when there is a console to say it on.
enum class Channel { Output, Error };

// Says the text (whole lines, each ending in '\n') where the one who started the program sees
// it. A program for the desktop has no console of its own:
// - standard output or error redirected to a file or a pipe gets the text in UTF-8;
// - started from cmd or PowerShell, the program attaches to that console and writes the text
//   there in UTF-16, so that every letter shows whatever the console's code page;
// - started from Explorer or a shortcut, with no console to attach to, the text is shown in a
//   message box titled "Brightwell", with a warning icon for an error.
void say(Channel channel, const std::wstring &text);

} // namespace bw::win32
