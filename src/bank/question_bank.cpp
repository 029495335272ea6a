#include "bank/question_bank.h"

namespace bw {

void QuestionBank::inlineread(Language in)
{
    language = in;
    for (int q = 1; q <= kBankRowCount; ++q) {
        const BankRow &row = kBankRows[static_cast<size_t>(q - 1)];
        const BankText &french = kBankRowsFr[static_cast<size_t>(q - 1)];
        const bool inFrench = in == Language::French;
        questionText[static_cast<size_t>(q)] = inFrench ? french.question : row.question;
        for (int c = 1; c <= 4; ++c) {
            const size_t k = static_cast<size_t>(c - 1);
            choiceText[static_cast<size_t>(q)][static_cast<size_t>(c)] = inFrench ? french.choices[k] : row.choices[k];
        }
    }
    questionCount = kBankRowCount;
    for (int q = 1; q <= kBankRowCount; ++q)
        answerKey[static_cast<size_t>(q)] = 1;
}

} // namespace bw
