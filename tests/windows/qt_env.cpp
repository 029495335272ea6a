// Starts a Windows program with the build machine's Qt settings. Wine keeps variables named
// QT_* in the machine's environment from Windows programs, so wine.sh hands them over as
// BRIGHTWELL_QT_* instead; this starter sets each back under its own name, starts the program
// named on its command line (the rest of the line passed on as it stands), waits for it, and
// returns its exit status. Plain Win32, no Qt.
#include <windows.h>

#include <string>

int main()
{
    const std::wstring handed = L"BRIGHTWELL_QT_";
    if (LPWCH block = GetEnvironmentStringsW()) {
        for (const wchar_t *entry = block; *entry; entry += wcslen(entry) + 1) {
            const std::wstring text = entry;
            const size_t equals = text.find(L'=', 1);
            if (equals == std::wstring::npos || text.compare(0, handed.size(), handed) != 0)
                continue;
            const std::wstring name = text.substr(handed.size() - 3, equals - (handed.size() - 3));
            SetEnvironmentVariableW(name.c_str(), text.c_str() + equals + 1);
        }
        FreeEnvironmentStringsW(block);
    }

    // The command line less this program's own name.
    const wchar_t *line = GetCommandLineW();
    if (*line == L'"') {
        line = wcschr(line + 1, L'"');
        line = line ? line + 1 : L"";
    } else {
        while (*line && *line != L' ' && *line != L'\t')
            ++line;
    }
    while (*line == L' ' || *line == L'\t')
        ++line;
    if (!*line)
        return 2;
    std::wstring command = line;

    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    for (HANDLE handle : {startup.hStdInput, startup.hStdOutput, startup.hStdError}) {
        if (handle && handle != INVALID_HANDLE_VALUE)
            SetHandleInformation(handle, HANDLE_FLAG_INHERIT, HANDLE_FLAG_INHERIT);
    }
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process))
        return 3;
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD status = 1;
    GetExitCodeProcess(process.hProcess, &status);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return static_cast<int>(status);
}
