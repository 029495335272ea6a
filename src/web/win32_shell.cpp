#include "web/win32_shell.h"

#include <windows.h>
#include <shellapi.h>

#include <vector>

namespace bw {

int32_t Win32Shell::shellExecute(const std::string &address)
{
    const HINSTANCE result = ShellExecuteA(nullptr, "open", address.c_str(), "", "C:\\", 0);
    // Not a real handle: a number, above 32 on success, that fits in 32 bits.
    return static_cast<int32_t>(reinterpret_cast<intptr_t>(result));
}

bool Win32Shell::startCommandLine(const std::string &commandLine, int windowStyle)
{
    // CreateProcessA may write into the command line, so it gets its own buffer.
    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back('\0');

    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    // The styles are numbered as the ShowWindow values (1 normal, 2 minimized).
    startup.wShowWindow = static_cast<WORD>(windowStyle);
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process))
        return false;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

} // namespace bw
