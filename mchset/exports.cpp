// The two exported functions of MCHSET.
#include "mchset/convert.h"
#include "mchset/mchset.h"
#include "mchset/tables.h"

namespace {

constexpr std::uint16_t k_big5QuestionMark = 0xA148;  // "？" in Big5
constexpr std::uint16_t k_gbQuestionMark = 0xA3BF;    // "？" in GB

}  // namespace

extern "C" std::int32_t MCHSET_CALL GBToBig5(char* text) {
  if (!text) return -1;
  return mchset::ConvertInPlace(text, mchset::k_gbToBig5, k_big5QuestionMark);
}

extern "C" std::int32_t MCHSET_CALL Big5ToGB(char* text) {
  if (!text) return -1;
  return mchset::ConvertInPlace(text, mchset::k_big5ToGb, k_gbQuestionMark);
}
