#include "glyphora/document/preferences.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using glyphora::Preferences;
using glyphora::PreferencesDecode;
using glyphora::PreferencesEncode;
using glyphora::PreferencesLoad;

TEST(Preferences, DefaultRecordHasItsFieldsAtTheirOffsets) {
  std::vector<unsigned char> record = PreferencesEncode(Preferences());
  ASSERT_EQ(record.size(), 648u);
  const std::pair<std::size_t, unsigned> bytes[] = {
      {0, 4},     {4, 0xC0},  {5, 0xFF}, {6, 0xFF}, {7, 0},  {24, 9},   {28, 12},  {32, 74}, {34, 24},
      {40, 0x01}, {41, 0xC0}, {42, 0x01}, {43, 0x80}, {44, 1}, {46, 1},  {52, '*'}, {55, 1},  {56, 1},
      {57, 1},    {59, 1},    {60, 2},   {62, 1},   {63, 3}, {64, 2},   {96, 0},   {647, 0}};
  for (const auto& [at, value] : bytes) EXPECT_EQ(record[at], value) << "offset " << at;
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&record[65])), "Courier New");
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&record[97])), "Arial");
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&record[129])), "Please view in a fixed-width font such as Courier.");
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&record[385])), " `'~!:;=*&%j3$S84UAR#@HNM");
  Preferences back;
  back.fontSize = 7;
  EXPECT_EQ(PreferencesDecode(record.data(), record.size(), &back), PreferencesLoad::Loaded);
  EXPECT_EQ(PreferencesEncode(back), record);
}

TEST(Preferences, LoadHoldsFieldsToTheirLimitsAndWarnsOfLaterRecords) {
  Preferences stored;
  stored.fontSize = 20;
  stored.bigTextSize = 2;
  stored.defaultWidth = 600;
  stored.defaultHeight = 20000;
  stored.justification = 7;
  stored.option50 = 9;
  stored.pencilBrush = 0x7FF3;  // bit 15 set, then only the size bits and the round flag kept
  stored.rubberBrush = 0x0002;
  stored.bigTextStyle = 0xFF;
  stored.fontFace = std::string(40, 'F');  // cut so that a zero still ends it
  std::vector<unsigned char> record = PreferencesEncode(stored);
  struct Case {
    std::vector<unsigned char> bytes;
    PreferencesLoad expected;
  };
  std::vector<unsigned char> version5 = record, oversized = record;
  version5[0] = 5;
  oversized.resize(700, 'x');
  for (const Case& c : {Case{record, PreferencesLoad::Loaded}, Case{version5, PreferencesLoad::LaterVersion},
                        Case{oversized, PreferencesLoad::LaterVersion}}) {
    Preferences p;
    EXPECT_EQ(PreferencesDecode(c.bytes.data(), c.bytes.size(), &p), c.expected);
    EXPECT_EQ(p.fontSize, 14);
    EXPECT_EQ(p.bigTextSize, 4);
    EXPECT_EQ(p.defaultWidth, 500);
    EXPECT_EQ(p.defaultHeight, 16000);
    EXPECT_EQ(p.justification, 3);
    EXPECT_EQ(p.option50, 2);
    EXPECT_EQ(p.pencilBrush, 0xC003);
    EXPECT_EQ(p.rubberBrush, 0x8002);
    EXPECT_EQ(p.bigTextStyle, 15);
    EXPECT_EQ(p.fontFace, std::string(31, 'F'));
  }
  Preferences shortRead;  // a value shorter than the record: the rest stays as it was
  shortRead.ramp = "ab";
  EXPECT_EQ(PreferencesDecode(record.data(), 30, &shortRead), PreferencesLoad::Loaded);
  EXPECT_EQ(shortRead.fontSize, 14);
  EXPECT_EQ(shortRead.defaultWidth, 74);
  EXPECT_EQ(shortRead.ramp, "ab");
}

TEST(Preferences, RampsNeedTwoDifferentOrdinaryCharacters) {
  const std::pair<std::string, glyphora::RampProblem> cases[] = {
      {" #", glyphora::RampProblem::None},
      {"", glyphora::RampProblem::TooFewDifferent},
      {"####", glyphora::RampProblem::TooFewDifferent},
      {" \x7F", glyphora::RampProblem::None},
      {" #\x80", glyphora::RampProblem::NotOrdinaryAscii},
      {"\t#", glyphora::RampProblem::NotOrdinaryAscii},
  };
  for (const auto& [ramp, expected] : cases) EXPECT_EQ(glyphora::RampCheck(ramp), expected) << ramp;
  EXPECT_EQ(std::string(glyphora::k_fontPresets[1].ramp).size(), 27u);
}

}  // namespace
