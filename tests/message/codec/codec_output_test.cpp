#include <gtest/gtest.h>

#include <string>

#include "quillet/message/codec/codec_output.h"

namespace {

TEST(CodecOutput, GathersWritesAndDropsAnUnfinishedLine) {
  TMemoryStream s;
  {
    TCodecOutput out(s);
    out.Append("kept ", 5);
    out.MarkLine();
    out.Append("dropped", 7);
    out.DropLine();
    EXPECT_EQ(s.Size(), 0);  // nothing reaches the stream before a flush
    out.Flush();
    EXPECT_EQ(s.Bytes(), "kept ");
    std::string big(200000, 'b');  // more than the buffer holds at once
    out.Append(big.data(), big.size());
    out.Append("!", 1);
  }
  EXPECT_EQ(s.Size(), 5 + 200000 + 1);
  EXPECT_EQ(s.Bytes().back(), '!');
}

}  // namespace
