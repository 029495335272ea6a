#include "history/redo_history.h"

#include <algorithm>

namespace bw {

RedoHistory::RedoHistory(SettingsStore &store, const QuestionBank &bank) : store_(store), bank_(bank) {}

void RedoHistory::parse(const std::string &text, int count, std::array<int16_t, kTableCapacity> &flags)
{
    count = std::clamp(count, 0, kTableCapacity - 1);
    int position = 0;
    for (const char byte : text) {
        const auto b = static_cast<unsigned char>(byte);
        if ((b & 0xC0u) == 0x80u)
            continue; // continuation byte: part of the character before it
        if (++position > count)
            break;
        flags[static_cast<size_t>(position)] = (b >= '0' && b <= '9') ? static_cast<int16_t>(b - '0') : int16_t{0};
    }
    for (int i = position + 1; i <= count; ++i)
        flags[static_cast<size_t>(i)] = 0;
}

void RedoHistory::loadRedo()
{
    const std::string fallback(static_cast<size_t>(bank_.questionCount), '0');
    lastStored_ = store_.read(kHistoryApplication, kHistorySection, kHistoryKey, fallback);
    parse(lastStored_, bank_.questionCount, redoFlags);
    judged_.fill(false);
    updateHasRedo();
}

void RedoHistory::setFlag(int16_t question, int16_t flag)
{
    if (question < 1 || question > bank_.questionCount)
        return;
    redoFlags[static_cast<size_t>(question)] = flag;
    judged_[static_cast<size_t>(question)] = true;
}

RedoHistory::Flags RedoHistory::judgedOver(const std::string &stored) const
{
    // Entries outside the bank's questions stay as they are in memory.
    Flags flags = redoFlags;
    parse(stored, bank_.questionCount, flags);
    for (int q = 1; q <= bank_.questionCount; ++q)
        if (judged_[static_cast<size_t>(q)])
            flags[static_cast<size_t>(q)] = redoFlags[static_cast<size_t>(q)];
    return flags;
}

bool RedoHistory::saveRedo()
{
    Flags merged = redoFlags;
    std::string written;
    // A value that is missing reads as memory, so that the first save of a history, and one
    // after the value was taken away, writes everything that is known.
    const bool saved = store_.update(kHistoryApplication, kHistorySection, kHistoryKey, storedText(),
                                     [this, &merged, &written](const std::string &stored) {
                                         merged = judgedOver(stored);
                                         written = textOf(merged, bank_.questionCount);
                                         return written;
                                     });
    if (saved) {
        redoFlags = merged;
        judged_.fill(false);
        lastStored_ = written;
    }
    updateHasRedo();
    return saved;
}

bool RedoHistory::clearRedo()
{
    hasRedo = false;
    const std::string empty(static_cast<size_t>(bank_.questionCount), '0');
    // Taken like a save, so that it never falls between another copy's read and its write.
    const bool saved = store_.update(kHistoryApplication, kHistorySection, kHistoryKey, empty,
                                     [&empty](const std::string &) { return empty; });
    for (int q = 1; q <= bank_.questionCount; ++q) {
        redoFlags[static_cast<size_t>(q)] = 0;
        // A clear that was not kept is written, with what is judged after it, by the next save.
        judged_[static_cast<size_t>(q)] = !saved;
    }
    if (saved)
        lastStored_ = empty;
    return saved;
}

bool RedoHistory::followStore()
{
    // A value that is missing or cannot be read is taken for the one last seen. An unchanged
    // value changes nothing: memory is already that value with the judged flags over it.
    const std::string stored = store_.read(kHistoryApplication, kHistorySection, kHistoryKey, lastStored_);
    if (stored == lastStored_)
        return false;
    lastStored_ = stored;
    redoFlags = judgedOver(stored);
    updateHasRedo();
    return true;
}

bool RedoHistory::anyFlagged() const
{
    for (int q = 1; q <= bank_.questionCount; ++q)
        if (redoFlags[static_cast<size_t>(q)] > 0)
            return true;
    return false;
}

std::string RedoHistory::storedText() const
{
    return textOf(redoFlags, bank_.questionCount);
}

std::string RedoHistory::textOf(const Flags &flags, int count)
{
    std::string text;
    text.reserve(static_cast<size_t>(count));
    for (int q = 1; q <= count; ++q) {
        // A flag is a single digit; anything else could not be read back as itself.
        const int flag = std::clamp<int>(flags[static_cast<size_t>(q)], 0, 9);
        text.push_back(static_cast<char>('0' + flag));
    }
    return text;
}

void RedoHistory::updateHasRedo()
{
    hasRedo = anyFlagged();
}

} // namespace bw
