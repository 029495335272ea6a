// Saves the incorrect-question history into a store folder on request, for the tests that
// kill a writer at awkward moments. Every line it prints is flushed at once.
//
//   redo_writer <folder> read              prints "history <digits>" as a fresh run loads it
//   redo_writer <folder> save [q=d ...]    loads, sets flag q to d, saves, prints
//                                          "saved <digits>" (or "failed"), then waits for
//                                          its standard input to close
//   redo_writer <folder> loop <count>      saves two histories in turn, A then B, printing
//                                          "saved <n>" after each, up to count saves

#include "bank/question_bank.h"
#include "history/qsettings_store.h"
#include "history/redo_history.h"

#include <QString>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

void say(const std::string &line)
{
    std::fputs((line + '\n').c_str(), stdout);
    std::fflush(stdout);
}

int usage()
{
    std::fputs("usage: redo_writer <folder> read | save [q=d ...] | loop <count>\n", stderr);
    return 2;
}

// The two histories of the loop differ in every position, so any mix of them shows.
void fillAlternate(bw::RedoHistory &history, int count, bool second)
{
    for (int q = 1; q <= count; ++q)
        history.redoFlags[static_cast<size_t>(q)] = static_cast<int16_t>((q + (second ? 5 : 0)) % 10);
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc < 3)
        return usage();
    bw::QSettingsStore store(QString::fromLocal8Bit(argv[1]));
    bw::QuestionBank bank;
    bank.inlineread();
    bw::RedoHistory history(store, bank);
    const std::string mode = argv[2];

    if (mode == "read") {
        history.loadRedo();
        say("history " + history.storedText());
        return 0;
    }
    if (mode == "save") {
        history.loadRedo();
        for (int i = 3; i < argc; ++i) {
            int question = 0;
            int flag = 0;
            if (std::sscanf(argv[i], "%d=%d", &question, &flag) != 2 || question < 1 || question > bank.questionCount)
                return usage();
            history.redoFlags[static_cast<size_t>(question)] = static_cast<int16_t>(flag);
        }
        say(history.saveRedo() ? "saved " + history.storedText() : std::string("failed"));
        while (std::getchar() != EOF) {
        }
        return 0;
    }
    if (mode == "loop" && argc == 4) {
        const long count = std::strtol(argv[3], nullptr, 10);
        for (long n = 1; n <= count; ++n) {
            fillAlternate(history, bank.questionCount, n % 2 == 0);
            if (!history.saveRedo()) {
                say("failed");
                return 1;
            }
            say("saved " + std::to_string(n));
        }
        return 0;
    }
    return usage();
}
