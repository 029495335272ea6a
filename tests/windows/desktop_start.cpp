// Starts a desktop program as Windows starts one, and waits for it; ends with the program's exit
// status, or 100 + a reason when something on the way failed.
//   desktop_start explorer <program> [arguments...]
//       as Explorer or a shortcut starts it: no console and no standard handles. A message box
//       it shows is read, its title and text printed in UTF-8 on standard output as
//       "<title>: <text>", and answered with OK.
//   desktop_start console <program> [arguments...]
//       as cmd or PowerShell starts it on Windows: no standard handles, while this program,
//       its parent, is on the console (Wine, unlike Windows, hands a desktop program started
//       from cmd the console's handles).
// The program and its arguments are the rest of the command line, as it is given.
#include <windows.h>

#include <string>

namespace {

struct Box {
    DWORD process;
    HWND window;
};

BOOL CALLBACK findBox(HWND window, LPARAM data)
{
    auto *box = reinterpret_cast<Box *>(data);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    wchar_t name[16] = {};
    GetClassNameW(window, name, 16);
    if (process == box->process && IsWindowVisible(window) && std::wstring(name) == L"#32770") {
        box->window = window;
        return FALSE;
    }
    return TRUE;
}

std::wstring textOf(HWND window)
{
    wchar_t text[4096] = {};
    const int length = GetWindowTextW(window, text, 4096);
    return std::wstring(text, static_cast<size_t>(length > 0 ? length : 0));
}

void print(const std::wstring &text)
{
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<size_t>(size > 0 ? size : 0), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(), size, nullptr, nullptr);
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

// The command line after its first word: the word goes to first.
const wchar_t *afterWord(const wchar_t *line, std::wstring *first = nullptr)
{
    const wchar_t *p = line;
    const wchar_t *start = p;
    if (*p == L'"') {
        start = ++p;
        while (*p && *p != L'"')
            ++p;
        if (first)
            *first = std::wstring(start, p);
        if (*p)
            ++p;
    } else {
        while (*p && *p != L' ' && *p != L'\t')
            ++p;
        if (first)
            *first = std::wstring(start, p);
    }
    while (*p == L' ' || *p == L'\t')
        ++p;
    return p;
}

} // namespace

int main()
{
    std::wstring mode;
    std::wstring command = afterWord(afterWord(GetCommandLineW()), &mode);
    const bool explorer = mode == L"explorer";
    if (!explorer && mode != L"console")
        return 100;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    // No standard handles at all.
    startup.dwFlags = STARTF_USESTDHANDLES;
    PROCESS_INFORMATION started{};
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, explorer ? DETACHED_PROCESS : 0, nullptr,
                        nullptr, &startup, &started))
        return 101;
    // Up to 60 s for the box to show or the program to end.
    for (int wait = 0; wait < 600; ++wait) {
        if (WaitForSingleObject(started.hProcess, 100) == WAIT_OBJECT_0)
            break;
        if (!explorer)
            continue;
        Box box{started.dwProcessId, nullptr};
        EnumWindows(findBox, reinterpret_cast<LPARAM>(&box));
        if (!box.window)
            continue;
        // A message box's text is its static control with the id 0xFFFF.
        print(textOf(box.window) + L": " + textOf(GetDlgItem(box.window, 0xFFFF)) + L"\n");
        PostMessageW(box.window, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        if (WaitForSingleObject(started.hProcess, 30000) != WAIT_OBJECT_0)
            return 102;
        break;
    }
    DWORD status = 103;
    GetExitCodeProcess(started.hProcess, &status);
    CloseHandle(started.hThread);
    CloseHandle(started.hProcess);
    return static_cast<int>(status);
}
