#include "quillet/store/assistant/assist_file.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <limits>

#include "quillet/store/assistant/assistant_texts.h"
#include "quillet/store/mailbox/detail/byte_order.h"

namespace {

constexpr std::size_t k_maxField = std::numeric_limits<std::uint16_t>::max();
static_assert(sizeof(k_assistSignature) - 1 == k_assistSignatureSize, "the signature fills 19 bytes");

// Reads little-endian fields from the bytes; a read past the end fails and leaves the
// position where the failing field starts.
class TFieldReader {
 public:
  TFieldReader(const std::string& bytes, std::size_t pos) : bytes_(bytes), pos_(pos) {}
  std::size_t Position() const { return pos_; }
  bool AtEnd() const { return pos_ == bytes_.size(); }
  bool UInt16(std::uint16_t& value) {
    if (bytes_.size() - pos_ < 2) return false;
    value = store_bytes::GetUInt16(reinterpret_cast<const std::uint8_t*>(bytes_.data() + pos_));
    pos_ += 2;
    return true;
  }
  bool String(std::string& value) {
    std::uint16_t length = 0;
    const std::size_t start = pos_;
    if (!UInt16(length)) return false;
    if (bytes_.size() - pos_ < length) {
      pos_ = start;
      return false;
    }
    value.assign(bytes_, pos_, length);
    pos_ += length;
    return true;
  }

 private:
  const std::string& bytes_;
  std::size_t pos_;
};

bool ReadRule(TFieldReader& reader, TOneAction& rule) {
  return reader.UInt16(rule.enabled) && reader.UInt16(rule.actionKind) && reader.String(rule.from) &&
         reader.String(rule.to) && reader.String(rule.cc) && reader.String(rule.subject) &&
         reader.String(rule.target) && reader.UInt16(rule.flag);
}

void PutUInt16(std::string& out, std::size_t value) {
  if (value > k_maxField) throw EAssistFileError(k_textStringTooLong);
  std::uint8_t bytes[2];
  store_bytes::PutUInt16(bytes, static_cast<std::uint16_t>(value));
  out.append(reinterpret_cast<const char*>(bytes), 2);
}

void PutString(std::string& out, const std::string& text) {
  PutUInt16(out, text.size());
  out += text;
}

}  // namespace

TAssistReadResult DecodeAssistFile(const std::string& bytes) {
  TAssistReadResult result;
  std::uint16_t count = 0;
  TFieldReader reader(bytes, std::min(bytes.size(), k_assistSignatureSize));
  if (bytes.size() < k_assistSignatureSize || !reader.UInt16(count)) {
    result.fault = TAssistFault::NoHeader;
    result.faultOffset = bytes.size();
    return result;
  }
  result.declaredCount = count;
  for (std::size_t i = 0; i < count; ++i) {
    if (reader.AtEnd()) {
      result.fault = TAssistFault::MissingRecords;
      result.faultOffset = reader.Position();
      return result;
    }
    const std::size_t start = reader.Position();
    TOneAction rule;
    if (!ReadRule(reader, rule)) {
      result.fault = TAssistFault::RecordCut;
      result.faultOffset = start;
      return result;
    }
    result.rules.push_back(std::move(rule));
  }
  if (!reader.AtEnd()) {
    result.fault = TAssistFault::TrailingBytes;
    result.faultOffset = reader.Position();
  }
  return result;
}

std::string EncodeAssistFile(const TActionList& rules) {
  if (rules.size() > k_maxField) throw EAssistFileError(k_textTooManyRules);
  std::string out(k_assistSignature, k_assistSignatureSize);
  PutUInt16(out, rules.size());
  for (const TOneAction& rule : rules) {
    PutUInt16(out, rule.enabled);
    PutUInt16(out, rule.actionKind);
    for (const std::string* text : {&rule.from, &rule.to, &rule.cc, &rule.subject, &rule.target})
      PutString(out, *text);
    PutUInt16(out, rule.flag);
  }
  return out;
}

std::string DescribeAssistFault(const std::string& fileName, const TAssistReadResult& result) {
  static constexpr std::array<const char*, 5> k_faultTexts{
      "", k_textFaultNoHeader, k_textFaultRecordCut, k_textFaultMissingRecords, k_textFaultTrailingBytes};
  if (result.fault == TAssistFault::None) return {};
  return k_textDamagedFile + fileName + k_faultTexts[static_cast<std::size_t>(result.fault)] + k_textRulesLoaded +
         std::to_string(result.rules.size());
}
