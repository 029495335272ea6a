#pragma once

#include "web/web_launcher.h"

#include <QByteArray>

#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace bw::test {

// A ShellPlatform that opens nothing: it records every request in order and answers as told.
class RecordingShell : public ShellPlatform {
public:
    enum class Kind { ShellExecute, StartCommandLine };

    struct Call {
        Kind kind;
        std::string text;    // the address, or the whole command line
        int windowStyle = 0; // command-line starts only

        bool operator==(const Call &) const = default;
    };

    std::vector<Call> calls;

    // What shellExecute answers (33 = opened).
    int32_t shellResult = 33;
    // Whether a command line starts; by default every one does.
    std::function<bool(const std::string &commandLine)> startResult =
        [](const std::string &) { return true; };
    // Makes the operations throw instead of answering (after recording the call).
    bool shellThrows = false;
    bool startThrows = false;

    int32_t shellExecute(const std::string &address) override
    {
        calls.push_back({Kind::ShellExecute, address, 0});
        if (shellThrows)
            throw std::runtime_error("shell failure");
        return shellResult;
    }

    bool startCommandLine(const std::string &commandLine, int windowStyle) override
    {
        calls.push_back({Kind::StartCommandLine, commandLine, windowStyle});
        if (startThrows)
            throw std::runtime_error("start failure");
        return startResult(commandLine);
    }

    // The addresses handed to the shell, in order.
    std::vector<std::string> shellAddresses() const
    {
        std::vector<std::string> addresses;
        for (const Call &call : calls)
            if (call.kind == Kind::ShellExecute)
                addresses.push_back(call.text);
        return addresses;
    }
};

// Lets QCOMPARE print a whole transcript when two differ.
inline char *toString(const std::vector<RecordingShell::Call> &calls)
{
    QByteArray text = "[";
    for (const RecordingShell::Call &call : calls) {
        text += call.kind == RecordingShell::Kind::ShellExecute ? "\n  shell \"" : "\n  start \"";
        text += QByteArray::fromStdString(call.text) + '"';
        if (call.kind == RecordingShell::Kind::StartCommandLine)
            text += " style " + QByteArray::number(call.windowStyle);
    }
    text += " ]";
    return qstrdup(text.constData());
}

} // namespace bw::test
