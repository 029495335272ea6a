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
    // runs. So that neither loses what the other kept, a save writes, over the value as
    // stored at that moment, only the questions this copy has judged since its last save or
    // clear that was kept (or since it loaded the history), and keeps every other question
    // as stored. A judgement is the marking of a question at Finish, or a changed answer
    // after Finish that changes its verdict; showing an item again is none (Quiz::checkAnswer).

    // Reads the stored text; missing positions and non-digits read as 0, extra text is ignored.
    void loadRedo();
    // Records a judgement of a question (1: answered wrongly, 0: rightly): the flag in memory,
    // and that this copy's next save writes it.
    void setFlag(int16_t question, int16_t flag);
    // Writes the flags judged since the last kept save or clear over the stored value, which
    // keeps every other flag as stored; memory then holds what was written. False when the
    // store did not keep it: memory stays as it is, and the next save writes those judgements again.
    bool saveRedo();
    // Empties the store and the flags. False when the store did not keep the empty history;
    // the flags are emptied in memory all the same, and the next save writes every one.
    bool clearRedo();
    // Takes in what another copy has saved or cleared since this copy last read or wrote the
    // store: memory becomes the stored value with this copy's judgements not yet saved over
    // it, and hasRedo is recomputed, as a load does. Run when the window comes to the front
    // and when Redo is pressed, so that a Redo draws from what every copy has kept. True when
    // the stored value had changed. A value that is missing or cannot be read leaves memory
    // as it is; with one copy running it never changes anything.
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

    // judged_[q]: question q was judged since the last kept save or clear, or the load.
    std::array<bool, kTableCapacity> judged_{};
    // The stored text as this copy last read or wrote it. Memory always holds it, with the
    // judged flags over it.
    std::string lastStored_;

    SettingsStore &store_;
    const QuestionBank &bank_;
};

} // namespace bw
