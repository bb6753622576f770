// Stored messages under tests/data/messages, with their expected display text
// (NAME.text), attachment table (NAME.attachments: index, kind, content type, file name,
// content id, TAB-separated) and decoded attachments (NAME.att<index>).
#include <gtest/gtest.h>

#include <string>

#include "parser_test_util.h"

namespace {

using parser_test::ReadDataFile;

class ParserData : public testing::TestWithParam<const char*> {};

TEST_P(ParserData, MatchesTheExpectedResults) {
  const std::string name = std::string("messages/") + GetParam();
  parser_test::TDecoded d(ReadDataFile(name + ".eml"));
  EXPECT_EQ(d.Text(), ReadDataFile(name + ".text"));
  std::string table;
  for (size_t i = 0; i < d.msg.Attachments().size(); ++i) {
    const TMsgAttachment& a = d.msg.Attachments()[i];
    table += std::to_string(i) + "\t" + TMsgSection::KindName(a.Section.Kind) + "\t" + a.Section.ContentType + "\t" +
             a.FileName + "\t" + a.Section.ContentId + "\n";
    EXPECT_EQ(d.Attachment(static_cast<int>(i)), ReadDataFile(name + ".att" + std::to_string(i))) << "attachment " << i;
  }
  EXPECT_EQ(table, ReadDataFile(name + ".attachments"));
  EXPECT_TRUE(d.prompts.shown.empty());
}

INSTANTIATE_TEST_SUITE_P(Messages, ParserData,
                         testing::Values("outlook_mixed", "forwarded", "uuencoded", "hz_plain"));

}  // namespace
