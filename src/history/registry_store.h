#pragma once

#include "history/settings_store.h"

#include <string>

namespace bw {

// The settings store in the per-user registry, on the Win32 API alone. A value lives where
// the classic desktop settings calls keep it:
//   HKEY_CURRENT_USER\Software\VB and VBA Program Settings\<application>\<section>
// as the REG_SZ value <key>, so a value stored there by an earlier program is read.
//
// - A value that is missing, cannot be read or is of another type than REG_SZ reads as the
//   fallback. The text is returned as stored, up to its first NUL, however long it is.
// - A write is true only once the key has been flushed (RegFlushKey); any failure on the way
//   (a key that cannot be created or opened for writing, a text holding a NUL, which the
//   registry would cut short) is false.
//
// An update holds a named mutex of the value's own, in the user's session, from its read to
// its flush, so that copies of the program that save at once take turns. A mutex left by a
// copy that died holding it is taken over.
class RegistryStore : public SettingsStore {
public:
    std::string read(const std::string &application, const std::string &section,
                     const std::string &key, const std::string &fallback) override;
    bool write(const std::string &application, const std::string &section, const std::string &key,
               const std::string &value) override;
    bool update(const std::string &application, const std::string &section, const std::string &key,
                const std::string &fallback, const std::function<std::string(const std::string &)> &change) override;
    std::string lastError() const override { return error_; }

    // The name of the mutex that updates of the value take turns on.
    static std::string turnName(const std::string &application, const std::string &section, const std::string &key);
    // The key under HKEY_CURRENT_USER that holds the section's values.
    static std::string keyPath(const std::string &application, const std::string &section);

private:
    std::string error_;
};

} // namespace bw
