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

// How long an update waits for another copy's turn at the value; a turn lasts milliseconds.
constexpr DWORD kTurnWaitMs = 5000;

// The system's words for an error code, on one line. Asked for in UTF-16: the ANSI call
// would give them in the code page, which is not the UTF-8 the messages are made of.
std::string describe(DWORD code)
{
    wchar_t *text = nullptr;
    const DWORD length = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM
                                            | FORMAT_MESSAGE_IGNORE_INSERTS,
                                        nullptr, code, 0, reinterpret_cast<wchar_t *>(&text), 0, nullptr);
    std::string words = length > 0 && text ? utf8(text) : std::string();
    if (text)
        LocalFree(text);
    while (!words.empty() && (words.back() == '\n' || words.back() == '\r' || words.back() == ' ' || words.back() == '.'))
        words.pop_back();
    return words.empty() ? "error " + std::to_string(code) : words;
}

// The value's place as regedit shows it, for the messages that name it.
std::string placeOf(const std::string &application, const std::string &section, const std::string &key)
{
    return "HKEY_CURRENT_USER\\" + RegistryStore::keyPath(application, section) + ", value " + key;
}

// Holds the mutex of a turn while it is in scope.
class Turn {
public:
    explicit Turn(const std::string &name)
        : mutex_(CreateMutexA(nullptr, FALSE, name.c_str())), error_(mutex_ ? ERROR_SUCCESS : GetLastError())
    {
        if (!mutex_)
            return;
        const DWORD waited = WaitForSingleObject(mutex_, kTurnWaitMs);
        // WAIT_ABANDONED: the copy that held it ended without giving it back. The value it was
        // writing is whole either way, since the registry replaces a value in one step.
        held_ = waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED;
        error_ = held_ ? ERROR_SUCCESS : waited == WAIT_TIMEOUT ? static_cast<DWORD>(WAIT_TIMEOUT) : GetLastError();
    }
    Turn(const Turn &) = delete;
    Turn &operator=(const Turn &) = delete;
    ~Turn()
    {
        if (held_)
            ReleaseMutex(mutex_);
        if (mutex_)
            CloseHandle(mutex_);
    }
    bool held() const { return held_; }
    DWORD error() const { return error_; }

private:
    HANDLE mutex_;
    DWORD error_;
    bool held_ = false;
};

} // namespace

std::string RegistryStore::turnName(const std::string &application, const std::string &section,
                                    const std::string &key)
{
    // A kernel object's name may not hold a backslash after its namespace.
    std::string name = "Local\\Brightwell settings " + keyPath(application, section) + '/' + key;
    for (size_t i = 6; i < name.size(); ++i)
        if (name[i] == '\\')
            name[i] = '/';
    return name;
}

bool RegistryStore::update(const std::string &application, const std::string &section, const std::string &key,
                           const std::string &fallback,
                           const std::function<std::string(const std::string &)> &change)
{
    const Turn turn(turnName(application, section, key));
    if (!turn.held()) {
        // Named by the value the user can find; the mutex that another copy holds is the
        // program's own affair.
        error_ = placeOf(application, section, key) + ": "
            + (turn.error() == WAIT_TIMEOUT ? std::string("Another program kept it locked")
                                            : describe(turn.error()));
        return false;
    }
    return write(application, section, key, change(read(application, section, key, fallback)));
}

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
    const std::string where = placeOf(application, section, key);
    // The registry keeps a text up to its first NUL, and counts its size in a DWORD.
    if (value.find('\0') != std::string::npos || value.size() >= std::numeric_limits<DWORD>::max() / 4) {
        error_ = where + ": " + describe(ERROR_INVALID_DATA);
        return false;
    }
    OpenKey open;
    // Stored as UTF-16, the registry's own form, as it is read back.
    LONG status = RegCreateKeyExW(HKEY_CURRENT_USER, wide(keyPath(application, section)).c_str(), 0, nullptr,
                                  REG_OPTION_NON_VOLATILE, KEY_SET_VALUE | KEY_QUERY_VALUE, nullptr, open.out(),
                                  nullptr);
    const std::wstring text = wide(value);
    const auto size = static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)); // with the closing NUL
    if (status == ERROR_SUCCESS)
        status = RegSetValueExW(open.get(), wide(key).c_str(), 0, REG_SZ,
                                reinterpret_cast<const BYTE *>(text.c_str()), size);
    // Written only to memory so far; saved once the key is flushed.
    if (status == ERROR_SUCCESS)
        status = RegFlushKey(open.get());
    if (status != ERROR_SUCCESS) {
        error_ = where + ": " + describe(static_cast<DWORD>(status));
        return false;
    }
    return true;
}

} // namespace bw
