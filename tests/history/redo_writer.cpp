// Saves the incorrect-question history into a store folder on request, for the tests that
// kill a writer at awkward moments. Every line it prints is flushed at once.
//
//   redo_writer <folder> read              prints "history <digits>" as a fresh run loads it
//   redo_writer <folder> save [q=d ...]    loads, sets flag q to d, saves, prints
//                                          "saved <digits>" (or "failed"), then waits for
//                                          its standard input to close
//   redo_writer <folder> loop <count>      saves two histories in turn, A then B, printing
//                                          "saved <n>" after each, up to count saves
//   redo_writer <folder> copy              loads as a run of the program does, prints
//                                          "loaded <digits>", then answers one line per
//                                          command read from its standard input:
//     judge q=d ...    sets flag q to d as a marking does           "judged"
//     save             saves, as Finish does                        "saved <digits>" or "failed"
//     clear            clears, as Clear does                        "cleared" or "failed"
//     redo             what a Redo pressed now would draw from      "redo <digits>"
//     activate         the window comes to the front: takes in what another copy saved or
//                      cleared                                      "history <digits>"
//     finish q=d ...   sits a test of those questions, each answered rightly (d=0) or
//                      wrongly (d=1), and finishes it                "saved <digits>" or "failed"
//     show q           shows question q of the finished test again  "right" or "wrong"
//     answer q=d       changes q's answer in the finished test to a right (0) or wrong (1)
//                      one and shows it again                       "right" or "wrong"
//     each <from> <to> for every question from..to in turn: flag it 1 and save, printing
//                      "saved <q>" after each save (or "failed" and stop), then "done"
//     language en|fr   stores the language, as the language item does  "language <code>" or "failed"

#include "app/language.h"
#include "bank/question_bank.h"
#include "engine/quiz.h"
#include "engine/random_source.h"
#include "history/qsettings_store.h"
#include "history/redo_history.h"

#include <QString>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

namespace {

void say(const std::string &line)
{
    std::fputs((line + '\n').c_str(), stdout);
    std::fflush(stdout);
}

int usage()
{
    std::fputs("usage: redo_writer <folder> read | save [q=d ...] | loop <count> | copy\n", stderr);
    return 2;
}

// Sets flags from "q=d" words as a marking sets them; false on a word that is not one.
bool judgeAll(bw::RedoHistory &history, const std::vector<std::string> &words, size_t from, int count)
{
    for (size_t i = from; i < words.size(); ++i) {
        int question = 0;
        int flag = 0;
        if (std::sscanf(words[i].c_str(), "%d=%d", &question, &flag) != 2 || question < 1 || question > count)
            return false;
        history.setFlag(static_cast<int16_t>(question), static_cast<int16_t>(flag));
    }
    return true;
}

// "q=d" as a question of the bank and a flag; false when the word is not one.
bool judgement(const std::string &word, int count, int &question, int &flag)
{
    return std::sscanf(word.c_str(), "%d=%d", &question, &flag) == 2 && question >= 1 && question <= count;
}

// The item of question q in the test, or nullptr.
bw::TestItem *itemOf(bw::Quiz &quiz, int question)
{
    for (int p = 1; p <= quiz.testSize; ++p)
        if (quiz.testItems[static_cast<size_t>(p)].question == question)
            return &quiz.testItems[static_cast<size_t>(p)];
    return nullptr;
}

void answer(bw::TestItem &item, bool right)
{
    item.chosen = static_cast<int16_t>(right ? item.correctPos - 1 : item.correctPos % 4);
}

// Shows the item of the question as the finished test shows it; false when it is not in the test.
bool show(bw::Quiz &quiz, int question)
{
    const bw::TestItem *item = itemOf(quiz, question);
    if (!item)
        return false;
    quiz.currentPos = item->position;
    say(quiz.checkAnswer().right ? "right" : "wrong");
    return true;
}

// One copy of the program, driven line by line.
int runCopy(bw::SettingsStore &store, bw::RedoHistory &history, const bw::QuestionBank &bank)
{
    const int count = bank.questionCount;
    bw::ClockRandomSource random;
    bw::Quiz quiz(bank, history, random);
    history.loadRedo();
    say("loaded " + history.storedText());
    char buffer[4096];
    while (std::fgets(buffer, sizeof buffer, stdin)) {
        std::istringstream line(buffer);
        std::vector<std::string> words{std::istream_iterator<std::string>(line), {}};
        if (words.empty())
            continue;
        const std::string &command = words[0];
        if (command == "judge") {
            if (!judgeAll(history, words, 1, count))
                return usage();
            say("judged");
        } else if (command == "save") {
            say(history.saveRedo() ? "saved " + history.storedText() : std::string("failed"));
        } else if (command == "clear") {
            say(history.clearRedo() ? "cleared" : "failed");
        } else if (command == "redo") {
            history.followStore();
            say("redo " + history.storedText());
        } else if (command == "activate") {
            history.followStore();
            say("history " + history.storedText());
        } else if (command == "finish" && words.size() >= 2) {
            quiz.testSize = 0;
            for (size_t i = 1; i < words.size(); ++i) {
                int question = 0;
                int flag = 0;
                if (!judgement(words[i], count, question, flag))
                    return usage();
                ++quiz.testSize;
                bw::TestItem &item = quiz.testItems[static_cast<size_t>(quiz.testSize)];
                quiz.makeItem(item, static_cast<int16_t>(question), quiz.testSize);
                answer(item, flag == 0);
            }
            quiz.testFinished = 0;
            quiz.finishTest(true);
            say(history.saveRedo() ? "saved " + history.storedText() : std::string("failed"));
            quiz.positionAfterFinish();
        } else if (command == "show" && words.size() == 2) {
            if (!show(quiz, std::atoi(words[1].c_str())))
                return usage();
        } else if (command == "answer" && words.size() == 2) {
            int question = 0;
            int flag = 0;
            bw::TestItem *item = judgement(words[1], count, question, flag) ? itemOf(quiz, question) : nullptr;
            if (!item)
                return usage();
            answer(*item, flag == 0);
            show(quiz, question);
        } else if (command == "language" && words.size() == 2) {
            const auto language = bw::languageFromCode(QString::fromStdString(words[1]));
            if (!language)
                return usage();
            say(bw::storeLanguage(store, *language) ? "language " + words[1] : std::string("failed"));
        } else if (command == "each" && words.size() == 3) {
            const int last = std::atoi(words[2].c_str());
            for (int q = std::atoi(words[1].c_str()); q <= last; ++q) {
                history.setFlag(static_cast<int16_t>(q), 1);
                if (!history.saveRedo()) {
                    say("failed");
                    break;
                }
                say("saved " + std::to_string(q));
            }
            say("done");
        } else {
            return usage();
        }
    }
    return 0;
}

// The two histories of the loop differ in every position, so any mix of them shows.
void fillAlternate(bw::RedoHistory &history, int count, bool second)
{
    for (int q = 1; q <= count; ++q)
        history.setFlag(static_cast<int16_t>(q), static_cast<int16_t>((q + (second ? 5 : 0)) % 10));
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
            history.setFlag(static_cast<int16_t>(question), static_cast<int16_t>(flag));
        }
        say(history.saveRedo() ? "saved " + history.storedText() : std::string("failed"));
        while (std::getchar() != EOF) {
        }
        return 0;
    }
    if (mode == "copy")
        return runCopy(store, history, bank);
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
