#include <gtest/gtest.h>

#include <string>

#include "quillet/message/codec/codecs.h"

namespace {

TEST(HZToGBText, RunBytesGetBit7AndMarkersGo) {
  EXPECT_EQ(HZToGBText("GB: ~{<:Ky2;S{#,NpJ)l6HK!#~} Bye."), "GB: 己所不欲，勿施於人。 Bye.");
  EXPECT_EQ(HZToGBText("~{<:~}~{Ky~}"), "己所");
  EXPECT_EQ(HZToGBText("~{~}"), "");
  EXPECT_EQ(HZToGBText("plain text"), "plain text");
  EXPECT_EQ(HZToGBText(""), "");
}

TEST(HZToGBText, UnclosedRunEndsTheScan) {
  EXPECT_EQ(HZToGBText("a~{bc"), "a~{bc");
  EXPECT_EQ(HZToGBText("x~{<:~}y~{Ky"), "x己y~{Ky");
  EXPECT_EQ(HZToGBText("close~}only"), "close~}only");
}

TEST(HZToGBText, TildesHaveNoOtherMeaning) {
  EXPECT_EQ(HZToGBText("a~~b"), "a~~b");
  EXPECT_EQ(HZToGBText("a~\r\nb"), "a~\r\nb");
}

// A run left open to the end of a line must not turn the line break into GB bytes.
TEST(HZToGBText, ControlBytesAndSpacesInARunKeepTheirValue) {
  EXPECT_EQ(HZToGBText("~{<:\r\nKy~}"), "己\r\n所");
  EXPECT_EQ(HZToGBText("~{<: Ky~}"), "己 所");
  EXPECT_EQ(HZToGBText("~{\xB1\xED~}"), "\xB1\xED");
}

// GBK 0x817E ends in "~": followed by "{" it opens no run, and followed by "}" it closes
// none.
TEST(HZToGBText, ATrailByteTildeIsNoMarker) {
  const std::string trailTilde = "\x81\x7E";
  EXPECT_EQ(HZToGBText(trailTilde + "{x" + trailTilde + "}"), trailTilde + "{x" + trailTilde + "}");
  EXPECT_EQ(HZToGBText("~{<:" + std::string("~}") + trailTilde + "}"), "己" + trailTilde + "}");
  EXPECT_EQ(HZToGBText("a" + trailTilde + "~{<:~}"), "a" + trailTilde + "己");
}

TEST(HZToGB, ConvertsAStreamRangeAtTheOutputPosition) {
  TMemoryStream in("skip~{<:~}|~{Ky~}tail"), out("out:");
  out.Seek(0, TSeekOrigin::End);
  HZToGB(in, 4, 13, out);  // "~{<:~}|~{Ky~}"
  EXPECT_EQ(out.Bytes(), "out:己|所");
  TMemoryStream out2;
  HZToGB(in, 17, 100, out2);  // a length past the end stops at the end
  EXPECT_EQ(out2.Bytes(), "tail");
  TMemoryStream out3;
  HZToGB(in, 50, 10, out3);
  EXPECT_EQ(out3.Bytes(), "");
}

}  // namespace
