#include "app/win32_process.h"

#include <windows.h>
#include <shellapi.h>

namespace bw::win32 {

namespace {

bool writeConsole(HANDLE console, const std::wstring &text)
{
    DWORD written = 0;
    return WriteConsoleW(console, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) != 0
           && written == text.size();
}

std::string utf8(const std::wstring &text)
{
    if (text.empty())
        return {};
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                         nullptr, nullptr);
    std::string bytes(static_cast<size_t>(size > 0 ? size : 0), '\0');
    if (size > 0)
        WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(), size, nullptr,
                            nullptr);
    return bytes;
}

// Through a standard handle the program was given: a console takes UTF-16, a file or a pipe
// UTF-8. False when the handle is missing or takes nothing (a console handle copied from a
// parent whose console this program is not attached to).
bool sayThrough(HANDLE handle, const std::wstring &text)
{
    if (handle == nullptr || handle == INVALID_HANDLE_VALUE)
        return false;
    DWORD mode = 0;
    if (GetConsoleMode(handle, &mode))
        return writeConsole(handle, text);
    const std::string bytes = utf8(text);
    DWORD written = 0;
    return WriteFile(handle, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) != 0
           && written == bytes.size();
}

// On the console of the process that started this one, when it has one.
bool sayOnParentConsole(const std::wstring &text)
{
    if (!AttachConsole(ATTACH_PARENT_PROCESS) && GetLastError() != ERROR_ACCESS_DENIED) // denied: attached already
        return false;
    const HANDLE console = CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                       nullptr, OPEN_EXISTING, 0, nullptr);
    if (console == INVALID_HANDLE_VALUE)
        return false;
    const bool said = writeConsole(console, text);
    CloseHandle(console);
    return said;
}

} // namespace

void holdRunningMutex()
{
    // Never closed: it is the process's until it ends. A second copy opens the same mutex,
    // which stays held as long as either runs.
    (void)CreateMutexW(nullptr, FALSE, kRunningMutex);
}

std::vector<std::wstring> arguments()
{
    std::vector<std::wstring> list;
    int count = 0;
    wchar_t **words = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!words)
        return list;
    for (int i = 0; i < count; ++i)
        list.emplace_back(words[i]);
    LocalFree(words);
    return list;
}

void say(Channel channel, const std::wstring &text)
{
    if (sayThrough(GetStdHandle(channel == Channel::Output ? STD_OUTPUT_HANDLE : STD_ERROR_HANDLE), text))
        return;
    if (sayOnParentConsole(text))
        return;
    std::wstring shown = text;
    while (!shown.empty() && shown.back() == L'\n')
        shown.pop_back();
    MessageBoxW(nullptr, shown.c_str(), L"Brightwell",
                MB_OK | MB_SETFOREGROUND | (channel == Channel::Error ? MB_ICONWARNING : MB_ICONINFORMATION));
}

} // namespace bw::win32
