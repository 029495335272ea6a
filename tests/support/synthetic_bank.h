#pragma once

#include "bank/question_bank.h"

#include <string>

namespace bw::test {

// A bank shaped like the real one (165 questions, key 1) with texts that name their place,
// for engine tests that must not depend on the wording of the real questions.
inline QuestionBank syntheticBank(int count = 165)
{
    QuestionBank bank;
    for (int q = 1; q <= count; ++q) {
        const auto i = static_cast<size_t>(q);
        bank.questionText[i] = "Question " + std::to_string(q) + "?";
        for (int c = 1; c <= 4; ++c)
            bank.choiceText[i][static_cast<size_t>(c)] = "Choice " + std::to_string(q) + "." + std::to_string(c) + ".";
        bank.answerKey[i] = 1;
    }
    bank.questionCount = static_cast<int16_t>(count);
    return bank;
}

// The draw that makes randomPosition(n) answer position k.
inline float drawFor(int k, int n)
{
    return (static_cast<float>(k) - 0.5f) / static_cast<float>(n);
}

} // namespace bw::test
