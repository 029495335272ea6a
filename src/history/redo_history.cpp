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
    parse(store_.read(kHistoryApplication, kHistorySection, kHistoryKey, fallback), bank_.questionCount, redoFlags);
    updateHasRedo();
}

bool RedoHistory::saveRedo()
{
    updateHasRedo();
    return write(storedText());
}

bool RedoHistory::clearRedo()
{
    hasRedo = false;
    const bool saved = write(std::string(static_cast<size_t>(bank_.questionCount), '0'));
    for (int q = 1; q <= bank_.questionCount; ++q)
        redoFlags[static_cast<size_t>(q)] = 0;
    return saved;
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
    std::string text;
    text.reserve(static_cast<size_t>(bank_.questionCount));
    for (int q = 1; q <= bank_.questionCount; ++q) {
        // A flag is a single digit; anything else could not be read back as itself.
        const int flag = std::clamp<int>(redoFlags[static_cast<size_t>(q)], 0, 9);
        text.push_back(static_cast<char>('0' + flag));
    }
    return text;
}

bool RedoHistory::write(const std::string &text)
{
    return store_.write(kHistoryApplication, kHistorySection, kHistoryKey, text);
}

void RedoHistory::updateHasRedo()
{
    hasRedo = anyFlagged();
}

} // namespace bw
