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

    // Another copy of the program may save or clear the same stored value while this one
    // runs. So that neither loses what the other kept, this copy writes only the flags it has
    // judged since it last read or wrote the store, over the value as stored at that moment.

    // Reads the stored text; missing positions and non-digits read as 0, extra text is ignored.
    void loadRedo();
    // Records a judgement of a question (1: answered wrongly, 0: rightly): the flag in memory,
    // and that this copy's next save writes it.
    void setFlag(int16_t question, int16_t flag);
    // Writes the flags judged since the last read or write over the stored value, which keeps
    // every other flag as stored; memory then holds what was written. False when the store did
    // not keep it: memory stays as it is, and the next save writes those judgements again.
    bool saveRedo();
    // Empties the store and the flags. False when the store did not keep the empty history;
    // the flags are emptied in memory all the same, and the next save writes every one.
    bool clearRedo();
    // Brings memory up to the stored value as it stands now, keeping the judgements not yet
    // saved, so that a Redo draws from what every copy has kept. A value that is missing or
    // cannot be read leaves memory as it is.
    void reloadRedo();
    // When another copy has saved or cleared since this copy last read or wrote the store,
    // takes the stored value in as reloadRedo does and recomputes hasRedo, as a load does.
    // True when it did. With one copy running it never does.
    bool followStore();

    // True when some flag in memory is above 0 right now (hasRedo may be older than that).
    bool anyFlagged() const;
    // The stored form of the flags in memory: questionCount digits, question 1 first.
    std::string storedText() const;

    // Reads a stored text into flags 1..count: character i (counting characters, not bytes,
    // of the UTF-8 text) gives flag i when it is a decimal digit, 0 otherwise.
    static void parse(const std::string &text, int count, std::array<int16_t, kTableCapacity> &flags);

private:
    using Flags = std::array<int16_t, kTableCapacity>;
    // The stored text with every flag this copy has judged written over it.
    Flags judgedOver(const std::string &stored) const;
    static std::string textOf(const Flags &flags, int count);
    void updateHasRedo();

    // judged_[q]: question q was judged since the store was last read or written.
    std::array<bool, kTableCapacity> judged_{};
    // The stored text as this copy last read or wrote it.
    std::string lastStored_;

    SettingsStore &store_;
    const QuestionBank &bank_;
};

} // namespace bw
