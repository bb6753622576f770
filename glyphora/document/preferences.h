// The editor's preferences record: one binary value of 648 bytes, little-endian, kept
// whole by the platform (the registry on Windows). Loading applies the limits of each
// field; saving writes the record whole with version 4.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace glyphora {

constexpr std::size_t k_preferencesSize = 648;
constexpr std::uint32_t k_preferencesVersion = 4;
constexpr std::uint32_t k_firstLaterVersion = 5;

struct Preferences {
  std::uint32_t version = k_preferencesVersion;
  std::uint32_t selectionColour = 0x00FFFFC0;  // light cyan
  std::uint32_t paperColour = 0x00FFFFFF;      // white
  std::int32_t fontSize = 9;                   // display font, points: 6 ... 14
  std::int32_t bigTextSize = 12;               // 4 ... 127
  std::uint16_t defaultWidth = 74;             // columns of a new document: 0 ... 500
  std::uint16_t defaultHeight = 24;            // rows: 0 ... 16000
  std::uint16_t justification = 0;             // 0 left, 1 centre, 2 right, 3 full
  std::uint16_t transparent = 0;               // nonzero: selections laid down without blanks
  std::uint16_t pencilBrush = 0xC001;
  std::uint16_t rubberBrush = 0x8001;
  std::uint8_t bigTextStyle = 1;               // bits, masked with 15
  std::uint16_t optionWord = 1;
  std::uint16_t option50 = 0;                  // 0 ... 2
  std::uint8_t drawCharacter = '*';
  std::uint8_t optionFlags[5] = {0, 0, 1, 1, 1};
  std::uint8_t directionMode = 0;
  std::uint8_t optionFlag59 = 1;
  std::uint8_t scalingMode = 2;
  std::uint8_t optionFlag61 = 0;
  std::uint8_t compounds = 1;
  std::uint8_t verticalRules = 3;
  std::uint8_t horizontalRules = 2;
  std::string fontFace = "Courier New";        // at most 31 bytes
  std::string bigTextFace = "Arial";           // at most 31 bytes
  std::string notice = "Please view in a fixed-width font such as Courier.";  // at most 255
  std::string ramp = " `'~!:;=*&%j3$S84UAR#@HNM";  // at most 262
};

enum class PreferencesLoad {
  Loaded,
  LaterVersion,  // larger than the record or of version 5 or more: read as far as it goes
};

// What the preferences dialog refuses in a ramp of picture characters.
enum class RampProblem {
  None,
  NotOrdinaryAscii,  // a character outside 32 ... 127
  TooFewDifferent,   // fewer than two different characters
};
RampProblem RampCheck(const std::string& ramp);

// The two presets of the preferences dialog: the display font and its ramp.
struct FontPreset {
  const char* face;
  int size;
  const char* ramp;
};
constexpr FontPreset k_fontPresets[2] = {
    {"Courier New", 9, " `'~!:;=*&%j3$S84UAR#@HNM"},
    {"Courier", 10, " .`'^\"-!~=?+j%3$95&8SDX#NB@"},
};

// Reads a stored value over the defaults: the bytes present replace the fields they
// cover (a shorter value leaves the rest at their defaults, a longer one is cut at 648
// bytes), then every field is held to its limits and every text ends at its first zero
// byte or its field's end.
PreferencesLoad PreferencesDecode(const unsigned char* data, std::size_t size, Preferences* preferences);
// The 648 bytes of the record with the version set to 4; texts longer than their field
// are cut so that a zero byte still ends them.
std::vector<unsigned char> PreferencesEncode(const Preferences& preferences);

}  // namespace glyphora
