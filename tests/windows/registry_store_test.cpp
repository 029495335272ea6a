// The registry store and the history on it, against Wine's registry. The key is the real one
// the program uses, so this must only run in the build's own Wine prefix: it refuses to run
// anywhere else, where it would touch the user's own history.
#include "history/redo_history.h"
#include "history/registry_store.h"
#include "tally.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>

using bw::RegistryStore;
using bw::test::Tally;

namespace {

const std::string kApplicationKey = "Software\\VB and VBA Program Settings\\Lumbra";
const std::string kSectionKey = RegistryStore::keyPath("Lumbra", "aaa");

bool underWine()
{
    const HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

// The registry as other programs leave it, through the API directly.
bool removeKey(const std::string &path)
{
    const LONG status = RegDeleteTreeA(HKEY_CURRENT_USER, path.c_str());
    return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
}

// Stores the first count bytes (all by default). RegSetValueExA counts in a NUL that follows
// a text's bytes, as Windows does, so a text without one is stored with other bytes after it.
bool setValue(DWORD type, const std::string &bytes, size_t count = std::string::npos)
{
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, kSectionKey.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        return false;
    const LONG status = RegSetValueExA(key, "redo", 0, type, reinterpret_cast<const BYTE *>(bytes.data()),
                                       static_cast<DWORD>(std::min(count, bytes.size())));
    RegCloseKey(key);
    return status == ERROR_SUCCESS;
}

// Stores a text as UTF-16, the registry's own form, with its closing NUL.
bool setWideValue(const std::wstring &text)
{
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, std::wstring(kSectionKey.begin(), kSectionKey.end()).c_str(), 0,
                        nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) != ERROR_SUCCESS)
        return false;
    const LONG status = RegSetValueExW(key, L"redo", 0, REG_SZ, reinterpret_cast<const BYTE *>(text.c_str()),
                                       static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
    return status == ERROR_SUCCESS;
}

bool removeValue()
{
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, kSectionKey.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        return false;
    const LONG status = RegDeleteValueA(key, "redo");
    RegCloseKey(key);
    return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
}

// The stored value's type and bytes, as other programs see them.
bool rawValue(DWORD &type, std::string &bytes)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kSectionKey.c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return false;
    DWORD size = 0;
    LONG status = RegQueryValueExA(key, "redo", nullptr, &type, nullptr, &size);
    if (status == ERROR_SUCCESS) {
        bytes.assign(size, '\0');
        status = RegQueryValueExA(key, "redo", nullptr, &type, reinterpret_cast<BYTE *>(bytes.data()), &size);
        bytes.resize(size);
    }
    RegCloseKey(key);
    return status == ERROR_SUCCESS;
}

// A text of that many digits, position i (from 1) holding (7 i + 3) mod 10.
std::string digits(size_t count)
{
    std::string text;
    for (size_t i = 1; i <= count; ++i)
        text.push_back(static_cast<char>('0' + (7 * i + 3) % 10));
    return text;
}

const std::string kFallback = "fallback";

struct ReadRow {
    const char *name;
    std::function<bool()> arrange;
    std::string expected;
};

// What a read gives for every state another program or a damaged registry can leave.
void reads(Tally &tally)
{
    const std::string stored = digits(165);
    const std::string huge = digits(10000);
    const ReadRow rows[] = {
        {"no application key", [] { return removeKey(kApplicationKey); }, kFallback},
        // The application key stays.
        {"no section key", [] { return removeValue() && removeKey(kSectionKey); }, kFallback},
        {"no value", [] { return removeValue(); }, kFallback},
        {"REG_SZ written by another program", [&] { return setValue(REG_SZ, stored + '\0'); }, stored},
        {"REG_SZ without its closing NUL", [&] { return setValue(REG_SZ, stored + "99", stored.size()); }, stored},
        {"empty REG_SZ", [] { return setValue(REG_SZ, std::string(1, '\0')); }, ""},
        {"REG_SZ of 10,000 characters", [&] { return setValue(REG_SZ, huge + '\0'); }, huge},
        {"REG_DWORD", [] { return setValue(REG_DWORD, std::string("\1\0\0\0", 4)); }, kFallback},
        {"REG_BINARY of digits", [] { return setValue(REG_BINARY, "101"); }, kFallback},
        {"REG_EXPAND_SZ", [&] { return setValue(REG_EXPAND_SZ, stored + '\0'); }, kFallback},
        {"REG_MULTI_SZ", [&] { return setValue(REG_MULTI_SZ, stored + '\0' + '\0'); }, kFallback},
        // Read in UTF-16 and handed over as UTF-8, whatever the ANSI code page is.
        {"REG_SZ with a character outside ASCII", [] { return setWideValue(L"1\u00A91"); }, "1\xC2\xA9" "1"},
        {"REG_SZ with a character outside the BMP", [] { return setWideValue(L"0\U0001F600" L"1"); },
         "0\xF0\x9F\x98\x80" "1"},
    };
    for (const ReadRow &row : rows) {
        tally.check(row.arrange(), std::string(row.name) + ": arranged");
        RegistryStore store;
        tally.equal(store.read("Lumbra", "aaa", "redo", kFallback), row.expected, row.name);
    }
}

struct WriteRow {
    const char *name;
    std::function<bool()> arrange;
    std::string application;
    std::string value;
    bool saved;
};

// A write replaces whatever was there with a REG_SZ, or fails and leaves it as it was.
void writes(Tally &tally)
{
    const std::string stored = digits(165);
    const WriteRow rows[] = {
        {"creates the application and section", [] { return removeKey(kApplicationKey); }, "Lumbra", stored, true},
        {"replaces a value of another type", [] { return setValue(REG_DWORD, std::string(4, '\1')); }, "Lumbra",
         stored, true},
        {"replaces a longer text", [] { return setValue(REG_SZ, digits(10000) + '\0'); }, "Lumbra", "01", true},
        {"a name too long for a key", [] { return setValue(REG_SZ, "kept"); }, std::string(300, 'L'), stored, false},
        {"a text the registry would cut at its NUL", [] { return setValue(REG_SZ, "kept"); }, "Lumbra",
         std::string("10\0" "1", 4), false},
    };
    for (const WriteRow &row : rows) {
        const std::string name = row.name;
        tally.check(row.arrange(), name + ": arranged");
        DWORD typeBefore = REG_NONE;
        std::string before;
        rawValue(typeBefore, before);
        RegistryStore store;
        tally.check(store.write(row.application, "aaa", "redo", row.value) == row.saved,
                    name + (row.saved ? ": reported saved" : ": reported failed"));
        // A failure names the value's place and the system's reason after it.
        const std::string error = store.lastError();
        const std::string place = "HKEY_CURRENT_USER\\" + RegistryStore::keyPath(row.application, "aaa") + ", value redo: ";
        tally.check(row.saved || (error.rfind(place, 0) == 0 && error.size() > place.size()),
                    name + ": the failure is described as \"" + error + '"');
        DWORD type = REG_NONE;
        std::string after;
        tally.check(rawValue(type, after), name + ": a value is there");
        tally.check(type == (row.saved ? REG_SZ : typeBefore), name + ": type " + std::to_string(type));
        tally.equal(after, row.saved ? row.value + '\0' : before, name + ": stored bytes");
    }
}

// Holds the value's turn, as another copy in the middle of a save does, until released.
struct TurnHolder {
    std::string name;
    HANDLE taken = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    HANDLE release = CreateEventA(nullptr, TRUE, FALSE, nullptr);

    static DWORD WINAPI hold(void *self)
    {
        auto *holder = static_cast<TurnHolder *>(self);
        const HANDLE mutex = CreateMutexA(nullptr, FALSE, holder->name.c_str());
        if (mutex)
            WaitForSingleObject(mutex, INFINITE);
        SetEvent(holder->taken);
        WaitForSingleObject(holder->release, INFINITE);
        if (mutex) {
            ReleaseMutex(mutex);
            CloseHandle(mutex);
        }
        return 0;
    }
};

// A save that cannot have its turn gives up, leaves the value alone and names the value, not
// the mutex, in words a user can look up.
void heldTurn(Tally &tally)
{
    tally.check(setValue(REG_SZ, std::string("kept") + '\0'), "a value stored before the held turn");
    TurnHolder holder{RegistryStore::turnName("Lumbra", "aaa", "redo")};
    // Another thread: a mutex is taken again at once by the thread that holds it.
    const HANDLE thread = CreateThread(nullptr, 0, &TurnHolder::hold, &holder, 0, nullptr);
    tally.check(thread && WaitForSingleObject(holder.taken, 30000) == WAIT_OBJECT_0, "the turn is held");
    RegistryStore store;
    tally.check(!store.update("Lumbra", "aaa", "redo", "", [](const std::string &) { return std::string("1"); }),
                "a save while the turn is held is reported failed");
    tally.equal(store.lastError(),
                "HKEY_CURRENT_USER\\Software\\VB and VBA Program Settings\\Lumbra\\aaa, value redo: "
                "Another program kept it locked",
                "the held turn's failure");
    SetEvent(holder.release);
    if (thread) {
        WaitForSingleObject(thread, 30000);
        CloseHandle(thread);
    }
    CloseHandle(holder.taken);
    CloseHandle(holder.release);
    DWORD type = REG_NONE;
    std::string after;
    tally.check(rawValue(type, after) && after == std::string("kept") + '\0', "the value is left as it was");
    tally.check(store.update("Lumbra", "aaa", "redo", "", [](const std::string &) { return std::string("1"); }),
                "the next save, with the turn free again, is kept");
}

// The history on the registry: a full round trip, and a stored text far too long.
void history(Tally &tally)
{
    bw::QuestionBank bank;
    bank.questionCount = 165;
    RegistryStore store;

    tally.check(setValue(REG_SZ, digits(10000) + '\0'), "10,000 characters stored");
    bw::RedoHistory longText(store, bank);
    longText.loadRedo();
    const std::string first = digits(165);
    bool same = true;
    for (int q = 1; q <= 165; ++q)
        same = same && longText.redoFlags[static_cast<size_t>(q)] == first[static_cast<size_t>(q - 1)] - '0';
    tally.check(same && longText.hasRedo, "a 10,000-character text gives its first 165 digits");

    // One character per question, whatever its encoding: the 1 after the sign is question 3's.
    tally.check(setWideValue(L"1\u00A91"), "a text with a sign stored");
    bw::RedoHistory withSign(store, bank);
    withSign.loadRedo();
    tally.check(withSign.redoFlags[1] == 1 && withSign.redoFlags[2] == 0 && withSign.redoFlags[3] == 1
                    && withSign.redoFlags[4] == 0,
                "\"1\u00A91\" gives the flags 1, 0, 1");

    // Two copies that loaded the same history each keep the other's results when they save.
    tally.check(setValue(REG_SZ, std::string(165, '0') + '\0'), "an empty history stored");
    bw::RedoHistory copyA(store, bank);
    bw::RedoHistory copyB(store, bank);
    copyA.loadRedo();
    copyB.loadRedo();
    copyA.setFlag(3, 1);
    copyB.setFlag(17, 1);
    tally.check(copyA.saveRedo() && copyB.saveRedo(), "two copies' histories are reported saved");
    bw::RedoHistory both(store, bank);
    both.loadRedo();
    tally.check(both.redoFlags[3] == 1 && both.redoFlags[17] == 1, "both copies' results are kept");

    bw::RedoHistory saved(store, bank);
    for (int q = 1; q <= 165; ++q)
        saved.setFlag(static_cast<int16_t>(q), static_cast<int16_t>(q % 4 == 0 ? 1 : q == 5 ? 7 : 0));
    tally.check(saved.saveRedo(), "the history is reported saved");
    bw::RedoHistory nextRun(store, bank);
    nextRun.loadRedo();
    tally.check(nextRun.redoFlags == saved.redoFlags && nextRun.hasRedo, "the next run reads the same 165 flags");
    DWORD type = REG_NONE;
    std::string bytes;
    tally.check(rawValue(type, bytes) && type == REG_SZ && bytes == saved.storedText() + '\0',
                "kept as a REG_SZ of 165 digits");
}

} // namespace

int main()
{
    if (!underWine()) {
        std::printf("not under Wine: this test would change the user's own history; nothing done\n");
        return 1;
    }
    Tally tally;
    reads(tally);
    writes(tally);
    heldTurn(tally);
    // Last, so that the history's value stays in the registry for a look afterwards.
    history(tally);
    return tally.finish();
}
