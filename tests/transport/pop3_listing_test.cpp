#include "quillet/transport/pop3_listing.h"

#include <gtest/gtest.h>

#include "quillet/transport/mail_base.h"

namespace {

TEST(Pop3Listing, StatReplies) {
  struct TStat {
    const char* line;
    bool read;
    std::int32_t count, size;
  };
  const TStat cases[] = {
      {"+OK 2 320\r\n", true, 2, 320},
      {"+OK 0 0\r\n", true, 0, 0},
      {"+OK 3 1200 octets\r\n", true, 3, 1200},  // trailing non-digits go
      {"+OK 3 12x4\r\n", true, 3, 0},           // a bad size is ignored
      {"+OK 5\r\n", true, 5, 0},
      {"+OK x 10\r\n", false, 0, 0},
      {"+OK\r\n", false, 0, 0},
      {"+OK  4 10\r\n", false, 0, 0},  // an empty count between the blanks
  };
  for (const TStat& c : cases) {
    std::int32_t count = -1, size = -1;
    EXPECT_EQ(ParseStatReply(c.line, count, size), c.read) << c.line;
    if (!c.read) continue;
    EXPECT_EQ(count, c.count) << c.line;
    EXPECT_EQ(size, c.size) << c.line;
  }
}

TEST(Pop3Listing, UidlNumbersAreLinePositions) {
  const TStringList lines = ListingLines("+OK\r\n1 aaa\r\n7 bbb ccc\r\n3\r\n.\r\n");
  ASSERT_EQ(lines, (TStringList{"1 aaa", "7 bbb ccc", "3"}));
  const TMessageIds ids = UidlEntries(lines);
  ASSERT_EQ(ids.size(), 3u);
  EXPECT_EQ(ids[0].Id, "aaa");
  EXPECT_EQ(ids[1].Id, "bbb ccc");
  EXPECT_EQ(ids[1].Number, 2);
  EXPECT_EQ(ids[2].Id, "");
  EXPECT_EQ(FindByNumber(ids, 2), &ids[1]);
  EXPECT_EQ(FindByNumber(ids, 7), nullptr);
  EXPECT_EQ(FindByNumber({{"x", 1}, {"y", 4}}, 3), nullptr);
  EXPECT_TRUE(ListingLines("+OK\r\n.\r\n").empty());
  EXPECT_EQ(ListingLines("-ERR no\r\n"), TStringList{"-ERR no"});  // one line stays
}

TEST(Pop3Listing, ListSizesAndTheirError) {
  EXPECT_EQ(ListSizes({"1 120", "2 16385 extra"}), (std::vector<std::int32_t>{120, 16385}));
  try {
    ListSizes({"1 120", "2 big"});
    FAIL() << "no error";
  } catch (const EMailError& e) {
    EXPECT_EQ(e.Message(), "List command error: 2 big");
  }
}

TEST(Pop3Listing, ApopTimestampAndStlsCapability) {
  const std::pair<const char*, const char*> stamps[] = {
      {"+OK POP3 server ready <1896.697170952@dbc.mtview.ca.us>\r\n", "<1896.697170952@dbc.mtview.ca.us>"},
      {"+OK <x> then <a.b@c>\r\n", "<a.b@c>"},  // the first one with an '@'
      {"+OK <a@b c>\r\n", ""},                 // no blank inside
      {"+OK <a@<b@c>\r\n", "<b@c>"},
      {"+OK <a@b\r\n", ""},
      {"+OK ready\r\n", ""},
  };
  for (const auto& s : stamps) EXPECT_EQ(ApopTimestamp(s.first), s.second) << s.first;
  EXPECT_TRUE(OffersStls({"USER", "Stls"}));
  EXPECT_TRUE(OffersStls({"STLS extra"}));
  EXPECT_FALSE(OffersStls({"XSTLS", "USER STLS", ""}));
  EXPECT_EQ(WithoutLineEnd("-ERR no\r\n"), "-ERR no");
  EXPECT_TRUE(IsPositive("+OK"));
  EXPECT_FALSE(IsPositive("-ERR"));
  EXPECT_FALSE(IsPositive(""));
}

}  // namespace
