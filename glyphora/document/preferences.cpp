#include "glyphora/document/preferences.h"

#include <algorithm>
#include <cstring>
#include <type_traits>

namespace glyphora {

namespace {

// Offsets and widths of the record's fields.
constexpr std::size_t k_fontFaceAt = 65, k_bigTextFaceAt = 97, k_noticeAt = 129, k_rampAt = 385;
constexpr std::size_t k_faceWidth = 32, k_noticeWidth = 256, k_rampWidth = 263;
constexpr std::uint16_t k_brushMarker = 0x8000, k_brushMask = 0xC00F;

// Fields in and out of the little-endian record.
class RecordBytes {
 public:
  explicit RecordBytes(unsigned char* bytes) : bytes_(bytes) {}
  std::uint32_t Get(std::size_t at, int width) const {
    std::uint32_t value = 0;
    for (int i = width - 1; i >= 0; --i) value = value << 8 | bytes_[at + static_cast<std::size_t>(i)];
    return value;
  }
  void Put(std::size_t at, int width, std::uint32_t value) {
    for (int i = 0; i < width; ++i) bytes_[at + static_cast<std::size_t>(i)] = static_cast<unsigned char>(value >> (8 * i));
  }
  std::string Text(std::size_t at, std::size_t width) const {
    const char* start = reinterpret_cast<const char*>(bytes_ + at);
    return std::string(start, strnlen(start, width));
  }
  void PutText(std::size_t at, std::size_t width, const std::string& text) {
    std::size_t n = std::min(text.size(), width - 1);
    std::memcpy(bytes_ + at, text.data(), n);
    std::memset(bytes_ + at + n, 0, width - n);
  }

 private:
  unsigned char* bytes_;
};

// Every numeric field: its place, its width and where it lives in the struct.
template <class Visit>
void EachNumber(Preferences& p, Visit visit) {
  visit(0, 4, p.version);
  visit(4, 4, p.selectionColour);
  visit(8, 4, p.paperColour);
  visit(24, 4, p.fontSize);
  visit(28, 4, p.bigTextSize);
  visit(32, 2, p.defaultWidth);
  visit(34, 2, p.defaultHeight);
  visit(36, 2, p.justification);
  visit(38, 2, p.transparent);
  visit(40, 2, p.pencilBrush);
  visit(42, 2, p.rubberBrush);
  visit(44, 1, p.bigTextStyle);
  visit(46, 2, p.optionWord);
  visit(50, 2, p.option50);
  visit(52, 1, p.drawCharacter);
  for (int i = 0; i < 5; ++i) visit(53 + static_cast<std::size_t>(i), 1, p.optionFlags[i]);
  visit(58, 1, p.directionMode);
  visit(59, 1, p.optionFlag59);
  visit(60, 1, p.scalingMode);
  visit(61, 1, p.optionFlag61);
  visit(62, 1, p.compounds);
  visit(63, 1, p.verticalRules);
  visit(64, 1, p.horizontalRules);
}

template <class T>
void Hold(T& value, long low, long high) {
  value = static_cast<T>(std::clamp(static_cast<long>(value), low, high));
}

std::uint16_t LoadedBrush(std::uint16_t word) {
  std::uint16_t loaded = static_cast<std::uint16_t>((word | k_brushMarker) & k_brushMask);
  return loaded;
}

void ApplyLimits(Preferences* p) {
  Hold(p->fontSize, 6, 14);
  Hold(p->bigTextSize, 4, 127);
  Hold(p->defaultWidth, 0, 500);
  Hold(p->defaultHeight, 0, 16000);
  Hold(p->justification, 0, 3);
  Hold(p->option50, 0, 2);
  p->pencilBrush = LoadedBrush(p->pencilBrush);
  p->rubberBrush = LoadedBrush(p->rubberBrush);
  p->bigTextStyle &= 15;
}

}  // namespace

RampProblem RampCheck(const std::string& ramp) {
  for (char c : ramp) {
    auto byte = static_cast<unsigned char>(c);
    if (byte < 32 || byte > 127) return RampProblem::NotOrdinaryAscii;
  }
  bool different = ramp.find_first_not_of(ramp.empty() ? ' ' : ramp[0]) != std::string::npos;
  return different && !ramp.empty() ? RampProblem::None : RampProblem::TooFewDifferent;
}

PreferencesLoad PreferencesDecode(const unsigned char* data, std::size_t size, Preferences* preferences) {
  std::vector<unsigned char> record = PreferencesEncode(*preferences);
  std::memcpy(record.data(), data, std::min(size, k_preferencesSize));
  RecordBytes bytes(record.data());
  Preferences p = *preferences;
  EachNumber(p, [&](std::size_t at, int width, auto& field) {
    using Field = std::remove_reference_t<decltype(field)>;
    field = static_cast<Field>(bytes.Get(at, width));
  });
  p.fontFace = bytes.Text(k_fontFaceAt, k_faceWidth);
  p.bigTextFace = bytes.Text(k_bigTextFaceAt, k_faceWidth);
  p.notice = bytes.Text(k_noticeAt, k_noticeWidth);
  p.ramp = bytes.Text(k_rampAt, k_rampWidth);
  bool later = size > k_preferencesSize || (size >= 4 && p.version >= k_firstLaterVersion);
  ApplyLimits(&p);
  *preferences = p;
  return later ? PreferencesLoad::LaterVersion : PreferencesLoad::Loaded;
}

std::vector<unsigned char> PreferencesEncode(const Preferences& preferences) {
  std::vector<unsigned char> record(k_preferencesSize, 0);
  RecordBytes bytes(record.data());
  Preferences p = preferences;
  p.version = k_preferencesVersion;
  EachNumber(p, [&](std::size_t at, int width, auto& field) {
    bytes.Put(at, width, static_cast<std::uint32_t>(field));
  });
  bytes.PutText(k_fontFaceAt, k_faceWidth, p.fontFace);
  bytes.PutText(k_bigTextFaceAt, k_faceWidth, p.bigTextFace);
  bytes.PutText(k_noticeAt, k_noticeWidth, p.notice);
  bytes.PutText(k_rampAt, k_rampWidth, p.ramp);
  return record;
}

}  // namespace glyphora
