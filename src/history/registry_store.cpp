#include "history/registry_store.h"

#include <windows.h>

#include <limits>
#include <vector>

namespace bw {

namespace {

constexpr const char *kSettingsRoot = "Software\\VB and VBA Program Settings\\";

// How often a read starts again when the value grew between asking its size and reading it.
constexpr int kReadAttempts = 4;

// Closes the key when it goes out of scope.
class OpenKey {
public:
    OpenKey() = default;
    OpenKey(const OpenKey &) = delete;
    OpenKey &operator=(const OpenKey &) = delete;
    ~OpenKey()
    {
        if (key_)
            RegCloseKey(key_);
    }
    HKEY *out() { return &key_; }
    HKEY get() const { return key_; }

private:
    HKEY key_ = nullptr;
};

} // namespace

std::string RegistryStore::keyPath(const std::string &application, const std::string &section)
{
    return kSettingsRoot + application + '\\' + section;
}

std::string RegistryStore::read(const std::string &application, const std::string &section,
                                const std::string &key, const std::string &fallback)
{
    OpenKey open;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, keyPath(application, section).c_str(), 0, KEY_QUERY_VALUE,
                      open.out()) != ERROR_SUCCESS)
        return fallback;
    for (int attempt = 0; attempt < kReadAttempts; ++attempt) {
        DWORD type = REG_NONE;
        DWORD size = 0;
        if (RegQueryValueExA(open.get(), key.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS
            || type != REG_SZ)
            return fallback;
        // A REG_SZ need not end in a NUL; one is added after whatever was stored.
        std::vector<char> data(static_cast<size_t>(size) + 1, '\0');
        DWORD got = size;
        const LONG status = RegQueryValueExA(open.get(), key.c_str(), nullptr, &type,
                                             reinterpret_cast<BYTE *>(data.data()), &got);
        if (status == ERROR_MORE_DATA)
            continue; // written over in the meantime: ask again
        if (status != ERROR_SUCCESS || type != REG_SZ || got > size)
            return fallback;
        data[got] = '\0';
        return std::string(data.data());
    }
    return fallback;
}

bool RegistryStore::write(const std::string &application, const std::string &section,
                          const std::string &key, const std::string &value)
{
    // The registry keeps a text up to its first NUL, and counts its size in a DWORD.
    if (value.find('\0') != std::string::npos || value.size() >= std::numeric_limits<DWORD>::max())
        return false;
    OpenKey open;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, keyPath(application, section).c_str(), 0, nullptr,
                        REG_OPTION_NON_VOLATILE, KEY_SET_VALUE | KEY_QUERY_VALUE, nullptr, open.out(),
                        nullptr) != ERROR_SUCCESS)
        return false;
    const auto size = static_cast<DWORD>(value.size() + 1); // with the closing NUL
    if (RegSetValueExA(open.get(), key.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE *>(value.c_str()),
                       size) != ERROR_SUCCESS)
        return false;
    // Written only to memory so far; saved once the key is flushed.
    return RegFlushKey(open.get()) == ERROR_SUCCESS;
}

} // namespace bw
