#include "history/registry_store.h"

#include <windows.h>

#include <algorithm>
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

std::wstring wide(const std::string &text)
{
    if (text.empty())
        return {};
    const int length = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring out(static_cast<size_t>(std::max(length, 0)), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), length);
    return out;
}

// The text up to its first NUL, as UTF-8; a lone surrogate becomes U+FFFD, one character still.
std::string utf8(const wchar_t *text)
{
    const int length = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (length <= 1)
        return {};
    std::string out(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, -1, out.data(), length, nullptr, nullptr);
    out.resize(static_cast<size_t>(length - 1)); // without the NUL
    return out;
}

} // namespace

std::string RegistryStore::keyPath(const std::string &application, const std::string &section)
{
    return kSettingsRoot + application + '\\' + section;
}

std::string RegistryStore::read(const std::string &application, const std::string &section,
                                const std::string &key, const std::string &fallback)
{
    OpenKey open;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, wide(keyPath(application, section)).c_str(), 0, KEY_QUERY_VALUE,
                      open.out()) != ERROR_SUCCESS)
        return fallback;
    // Read as UTF-16, as the registry keeps it: the ANSI call would hand over the text in the
    // code page, whose bytes the history would count as UTF-8.
    const std::wstring name = wide(key);
    for (int attempt = 0; attempt < kReadAttempts; ++attempt) {
        DWORD type = REG_NONE;
        DWORD size = 0;
        if (RegQueryValueExW(open.get(), name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS
            || type != REG_SZ)
            return fallback;
        // A REG_SZ need not end in a NUL, nor fill whole characters; one is added after
        // whatever was stored.
        std::vector<wchar_t> data(static_cast<size_t>(size) / sizeof(wchar_t) + 2, L'\0');
        DWORD got = size;
        const LONG status = RegQueryValueExW(open.get(), name.c_str(), nullptr, &type,
                                             reinterpret_cast<BYTE *>(data.data()), &got);
        if (status == ERROR_MORE_DATA)
            continue; // written over in the meantime: ask again
        if (status != ERROR_SUCCESS || type != REG_SZ || got > size)
            return fallback;
        data[got / sizeof(wchar_t)] = L'\0';
        return utf8(data.data());
    }
    return fallback;
}

bool RegistryStore::write(const std::string &application, const std::string &section,
                          const std::string &key, const std::string &value)
{
    // The registry keeps a text up to its first NUL, and counts its size in a DWORD.
    if (value.find('\0') != std::string::npos || value.size() >= std::numeric_limits<DWORD>::max() / 4)
        return false;
    OpenKey open;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, wide(keyPath(application, section)).c_str(), 0, nullptr,
                        REG_OPTION_NON_VOLATILE, KEY_SET_VALUE | KEY_QUERY_VALUE, nullptr, open.out(),
                        nullptr) != ERROR_SUCCESS)
        return false;
    // Stored as UTF-16, the registry's own form, as it is read back.
    const std::wstring text = wide(value);
    const auto size = static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)); // with the closing NUL
    if (RegSetValueExW(open.get(), wide(key).c_str(), 0, REG_SZ, reinterpret_cast<const BYTE *>(text.c_str()),
                       size) != ERROR_SUCCESS)
        return false;
    // Written only to memory so far; saved once the key is flushed.
    return RegFlushKey(open.get()) == ERROR_SUCCESS;
}

} // namespace bw
