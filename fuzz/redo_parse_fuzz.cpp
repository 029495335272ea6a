// libFuzzer target for the reading and writing of the stored incorrect-question history.
// Any bytes are a stored text: parsing them must give flags 0..9 in 1..count and touch no
// other entry, loading and saving them through a store must write exactly 165 ASCII
// digits that read back as the same flags, and a store that refuses the write must be told.

#include "bank/question_bank.h"
#include "history/redo_history.h"
#include "history/settings_store.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

constexpr int kQuestions = 165;
constexpr int16_t kUntouched = -12345;

#define FUZZ_CHECK(condition)                                                                  \
    do {                                                                                       \
        if (!(condition)) {                                                                    \
            std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                                      \
        }                                                                                      \
    } while (false)

// One value in memory; it can be told to refuse writes.
class OneValueStore : public bw::SettingsStore {
public:
    std::string read(const std::string &, const std::string &, const std::string &,
                     const std::string &fallback) override
    {
        return present ? value : fallback;
    }
    bool write(const std::string &, const std::string &, const std::string &, const std::string &text) override
    {
        ++writes;
        if (refuse)
            return false;
        value = text;
        present = true;
        return true;
    }
    std::string value;
    bool present = false;
    bool refuse = false;
    int writes = 0;
};

const bw::QuestionBank &bank()
{
    static const bw::QuestionBank shaped = [] {
        bw::QuestionBank b;
        b.questionCount = kQuestions;
        return b;
    }();
    return shaped;
}

void checkParsed(const std::array<int16_t, bw::kTableCapacity> &flags, int count)
{
    for (int i = 0; i < bw::kTableCapacity; ++i) {
        const int16_t flag = flags[static_cast<size_t>(i)];
        if (i >= 1 && i <= count)
            FUZZ_CHECK(flag >= 0 && flag <= 9);
        else
            FUZZ_CHECK(flag == kUntouched);
    }
}

bool allDigits(const std::string &text)
{
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const std::string text(reinterpret_cast<const char *>(data), size);

    std::array<int16_t, bw::kTableCapacity> flags;
    flags.fill(kUntouched);
    bw::RedoHistory::parse(text, kQuestions, flags);
    checkParsed(flags, kQuestions);

    // Any count is clamped to the table: entries past it and entry 0 stay as they were.
    if (size >= 2) {
        const int count = static_cast<int>(static_cast<int8_t>(data[0])) * 2 + data[1] % 2;
        std::array<int16_t, bw::kTableCapacity> other;
        other.fill(kUntouched);
        bw::RedoHistory::parse(text.substr(2), count, other);
        checkParsed(other, std::clamp(count, 0, bw::kTableCapacity - 1));
    }

    OneValueStore store;
    store.value = text;
    store.present = true;
    bw::RedoHistory history(store, bank());
    history.redoFlags.fill(kUntouched);
    history.loadRedo();
    FUZZ_CHECK(store.writes == 0);
    checkParsed(history.redoFlags, kQuestions);
    FUZZ_CHECK(std::equal(flags.begin(), flags.end(), history.redoFlags.begin()));
    FUZZ_CHECK(history.hasRedo == history.anyFlagged());

    FUZZ_CHECK(history.saveRedo());
    FUZZ_CHECK(store.value.size() == static_cast<size_t>(kQuestions) && allDigits(store.value));
    FUZZ_CHECK(store.value == history.storedText());
    for (int q = 1; q <= kQuestions; ++q)
        FUZZ_CHECK(store.value[static_cast<size_t>(q - 1)] - '0' == history.redoFlags[static_cast<size_t>(q)]);

    // What was saved reads back as the same flags.
    bw::RedoHistory again(store, bank());
    again.redoFlags.fill(kUntouched);
    again.loadRedo();
    FUZZ_CHECK(std::equal(history.redoFlags.begin(), history.redoFlags.end(), again.redoFlags.begin()));

    // A refused write is reported, leaves the stored text alone and keeps the flags.
    store.refuse = true;
    const std::string kept = store.value;
    const auto before = again.redoFlags;
    FUZZ_CHECK(!again.saveRedo());
    FUZZ_CHECK(again.redoFlags == before && store.value == kept);
    // Clearing empties the flags in memory even when the store refuses.
    FUZZ_CHECK(!again.clearRedo());
    FUZZ_CHECK(store.value == kept);
    FUZZ_CHECK(!again.anyFlagged() && !again.hasRedo);
    return 0;
}
