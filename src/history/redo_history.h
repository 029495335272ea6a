#pragma once

#include "bank/question_bank.h"
#include "history/settings_store.h"

#include <array>
#include <cstdint>
#include <string>

namespace bw {

// Where the incorrect-question history is stored.
inline constexpr const char *kHistoryApplication = "Lumbra";
inline constexpr const char *kHistorySection = "aaa";
inline constexpr const char *kHistoryKey = "redo";

// Which questions were last answered wrongly, kept across runs as one digit per question.
class RedoHistory {
public:
    RedoHistory(SettingsStore &store, const QuestionBank &bank);

    // 0: not in the history; above 0: in it. Always 0..9, indexed by question number.
    std::array<int16_t, kTableCapacity> redoFlags{};
    // At least one flag was above 0 at the last load, save or clear. The Redo and Clear
    // commands are enabled exactly when it is true.
    bool hasRedo = false;
    // The next Start Test builds its test from the flagged questions.
    bool redoMode = false;

    // Reads the stored text; missing positions and non-digits read as 0, extra text is ignored.
    void loadRedo();
    // Writes every flag. False when the store did not keep the value; the flags stay in memory.
    bool saveRedo();
    // Empties the store and the flags. False when the store did not keep the empty history;
    // the flags are emptied in memory all the same.
    bool clearRedo();

    // True when some flag in memory is above 0 right now (hasRedo may be older than that).
    bool anyFlagged() const;
    // The stored form of the flags in memory: questionCount digits, question 1 first.
    std::string storedText() const;

    // Reads a stored text into flags 1..count: character i (counting characters, not bytes,
    // of the UTF-8 text) gives flag i when it is a decimal digit, 0 otherwise.
    static void parse(const std::string &text, int count, std::array<int16_t, kTableCapacity> &flags);

private:
    bool write(const std::string &text);
    void updateHasRedo();

    SettingsStore &store_;
    const QuestionBank &bank_;
};

} // namespace bw
