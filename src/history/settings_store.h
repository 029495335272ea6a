#pragma once

#include <functional>
#include <string>

namespace bw {

// The per-user settings store: text values addressed by application, section and key.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    // The stored text, or fallback when nothing (readable) is stored there.
    virtual std::string read(const std::string &application, const std::string &section,
                             const std::string &key, const std::string &fallback) = 0;
    // Stores the text, replacing any earlier value. True only once the value is safely kept.
    virtual bool write(const std::string &application, const std::string &section,
                       const std::string &key, const std::string &value) = 0;
    // Reads the value (fallback when nothing is stored), lets change make the new text from
    // it and writes that, with no other writer of the store in between, in this program or
    // in another copy of it. True only once the new value is safely kept. This one is for a
    // store that only this program uses.
    virtual bool update(const std::string &application, const std::string &section, const std::string &key,
                        const std::string &fallback, const std::function<std::string(const std::string &)> &change)
    {
        return write(application, section, key, change(read(application, section, key, fallback)));
    }
    // Why the last write or update that failed did so, naming the place it would have
    // written and the system's reason, for example "/home/a/.config/Lumbra.conf: Not a
    // directory". Empty when the store cannot tell.
    virtual std::string lastError() const { return {}; }
};

} // namespace bw
