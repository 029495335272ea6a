#pragma once

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
};

} // namespace bw
