#include "bank/question_bank.h"

namespace bw {

void QuestionBank::inlineread()
{
    for (int q = 1; q <= kBankRowCount; ++q) {
        const BankRow &row = kBankRows[static_cast<size_t>(q - 1)];
        questionText[static_cast<size_t>(q)] = row.question;
        for (int c = 1; c <= 4; ++c)
            choiceText[static_cast<size_t>(q)][static_cast<size_t>(c)] = row.choices[static_cast<size_t>(c - 1)];
    }
    questionCount = kBankRowCount;
    for (int q = 1; q <= kBankRowCount; ++q)
        answerKey[static_cast<size_t>(q)] = 1;
}

} // namespace bw
