#pragma once

#include "web/web_launcher.h"

#include <cstdint>
#include <string>

namespace bw {

// The Windows shell and process start, on the Win32 API alone.
class Win32Shell : public ShellPlatform {
public:
    // ShellExecuteA(no owner, "open", address, "", "C:\", hidden); its result as it stands.
    int32_t shellExecute(const std::string &address) override;
    // CreateProcessA of the command line as it is (no quotes added), with the window style as
    // the STARTUPINFO's show-window value. Returns as soon as the process was created, without
    // waiting for it; false when it could not be created.
    bool startCommandLine(const std::string &commandLine, int windowStyle) override;
};

} // namespace bw
