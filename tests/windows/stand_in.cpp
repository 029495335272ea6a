// Stands in for a browser or a command interpreter: records how it was started, tells the
// test it is done and exits at once. The record goes to <folder>\<process id>.txt, the folder
// named by BW_STAND_IN_RECORDS; the signal is a release of the semaphore BW_STAND_IN_SIGNAL.
#include <windows.h>

#include <string>

namespace {

std::string environment(const char *name)
{
    char value[MAX_PATH] = {};
    const DWORD length = GetEnvironmentVariableA(name, value, MAX_PATH);
    return length > 0 && length < MAX_PATH ? std::string(value, length) : std::string();
}

} // namespace

int main()
{
    const std::string folder = environment("BW_STAND_IN_RECORDS");
    const std::string signal = environment("BW_STAND_IN_SIGNAL");
    if (folder.empty() || signal.empty())
        return 2;

    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    GetStartupInfoA(&startup);
    char directory[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, directory);

    const bool showWindowSet = (startup.dwFlags & STARTF_USESHOWWINDOW) != 0;
    const std::string record = "show " + (showWindowSet ? std::to_string(startup.wShowWindow) : std::string("unset"))
                               + "\ndirectory " + directory + "\nline " + GetCommandLineA() + '\n';

    const std::string file = folder + '\\' + std::to_string(GetCurrentProcessId()) + ".txt";
    const HANDLE out = CreateFileA(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (out == INVALID_HANDLE_VALUE)
        return 3;
    DWORD written = 0;
    const BOOL wrote = WriteFile(out, record.data(), static_cast<DWORD>(record.size()), &written, nullptr);
    CloseHandle(out);

    const HANDLE done = OpenSemaphoreA(SEMAPHORE_MODIFY_STATE, FALSE, signal.c_str());
    if (done == nullptr)
        return 4;
    ReleaseSemaphore(done, 1, nullptr);
    CloseHandle(done);
    return wrote && written == record.size() ? 0 : 5;
}
