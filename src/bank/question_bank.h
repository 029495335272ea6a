#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace bw {

// Every per-question and per-item table has indices 0..200; entry 0 is never used.
inline constexpr int kTableCapacity = 201;

// The chapter of the citizenship guide that a row belongs to. The program never shows it;
// it lets the tests and the maintainers of the bank see how the guide is covered.
enum class Topic {
    Rights,          // rights and responsibilities: the Charter, the oath, a citizen's duties
    WhoCanadiansAre, // Indigenous peoples, English and French, diversity, immigration, treaties
    History,         // history up to 1914
    ModernCanada,    // the world wars to today: Quebec, peacekeeping, arts, sport and science
    Government,      // federal state, parliamentary democracy, constitutional monarchy, levels
    Elections,       // federal elections and voting
    Justice,         // rule of law, courts, police, the right to a lawyer, juries
    Symbols,
    Economy,         // industries, trade, trading partners
    Regions,         // regions, provinces and territories
};

// One row of the compiled-in bank: its topic, the question and its four choices, the correct
// one first. Texts are UTF-8.
struct BankRow {
    Topic topic;
    const char *question;
    std::array<const char *, 4> choices;
};

inline constexpr int kBankRowCount = 165;

// The languages the bank is written in. Every row has both, with the correct answer first in
// each, so that a question's number and its stored result serve both languages.
enum class Language { English, French };

// The French wording of one row: the question and its four choices, the correct one first.
struct BankText {
    const char *question;
    std::array<const char *, 4> choices;
};

// The compiled-in rows, question 1 first. A question's number is its identity in the
// stored history, so a row never moves once released.
extern const std::array<BankRow, kBankRowCount> kBankRows;
// The same rows in French, in the same order.
extern const std::array<BankText, kBankRowCount> kBankRowsFr;

// The question bank, filled in memory by inlineread and read by question number.
class QuestionBank {
public:
    int16_t questionCount = 0;
    std::array<std::string, kTableCapacity> questionText;
    std::array<std::array<std::string, 5>, kTableCapacity> choiceText;
    std::array<int16_t, kTableCapacity> answerKey{};

    // The language the texts were last filled in.
    Language language = Language::English;

    // Fills the bank from the compiled-in rows in the given language; running it again writes
    // the same values. Question numbers and answer keys are the same in every language.
    void inlineread(Language in = Language::English);
};

} // namespace bw
