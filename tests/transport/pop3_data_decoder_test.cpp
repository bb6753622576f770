#include "quillet/transport/pop3_data_decoder.h"

#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <vector>

namespace {

struct TDecoded {
  TDataResult result = TDataResult::NeedMore;
  std::string text;
  std::size_t fedWhenEnded = 0;  // bytes fed when Ended came (0: never)
};

// Feeds the reply in pieces that end at the given positions (and at its end).
TDecoded Decode(const std::string& reply, const std::vector<std::size_t>& cuts) {
  TPop3DataDecoder decoder;
  TDecoded decoded;
  std::size_t from = 0;
  std::vector<std::size_t> ends = cuts;
  ends.push_back(reply.size());
  for (std::size_t end : ends) {
    decoded.result = decoder.Feed(reply.data() + from, end - from, decoded.text);
    from = end;
    if (decoded.result == TDataResult::Ended && decoded.fedWhenEnded == 0) decoded.fedWhenEnded = end;
  }
  return decoded;
}

struct TCase {
  const char* name;
  std::string reply;
  std::string stored;
};

// What a data reply stores: the "." line never, the line end before it always, a doubled
// leading "." once, a bare LF as CR LF.
const TCase k_cases[] = {
    {"plain", "+OK 12 octets\r\nSubject: a\r\n\r\nbody\r\n.\r\n", "Subject: a\r\n\r\nbody\r\n"},
    {"empty message", "+OK\r\n.\r\n", ""},
    {"stuffed dot lines", "+OK\r\n..\r\n...x\r\n..\r\n.\r\n", ".\r\n..x\r\n.\r\n"},
    {"dot then text kept", "+OK\r\n.x\r\n.\r\n", ".x\r\n"},
    {"dot CR then text kept", "+OK\r\n.\rx\r\n.\r\n", ".\rx\r\n"},
    {"dot then bare LF is a line", "+OK\r\n.\nz\r\n.\r\n", ".\r\nz\r\n"},
    {"bare LF ends become CR LF", "+OK\r\na\nb\r\n\nc\r\n.\r\n", "a\r\nb\r\n\r\nc\r\n"},
    {"first line a bare LF", "+OK\r\n\nx\r\n.\r\n", "\r\nx\r\n"},
    {"terminator after a bare LF", "+OK\r\nlast\n.\r\n", "last\r\n"},
    {"dot inside a line stays", "+OK\r\na.\r\nb..\r\n.\r\n", "a.\r\nb..\r\n"},
    {"status line with bare LF", "+OK\nx\r\n.\r\n", "x\r\n"},
    {"bytes after the end ignored", "+OK\r\nx\r\n.\r\n+OK next\r\n", "x\r\n"},
};

class Pop3DataDecoder : public ::testing::TestWithParam<TCase> {};

// Every split of the reply into two reads (the terminator and the "." lines at every
// point among them) and a read per byte store the same text, end at the same byte and
// hold back no byte of the "." line.
TEST_P(Pop3DataDecoder, StoresTheSameTextWhereverTheReadsSplit) {
  const TCase& c = GetParam();
  const std::size_t end = c.reply.find("\n.\r\n") + 4;
  for (std::size_t cut = 0; cut <= c.reply.size(); ++cut) {
    const TDecoded decoded = Decode(c.reply, {cut});
    EXPECT_EQ(decoded.result, TDataResult::Ended) << "cut " << cut;
    EXPECT_EQ(decoded.text, c.stored) << "cut " << cut;
    EXPECT_EQ(decoded.fedWhenEnded, cut >= end ? cut : c.reply.size()) << "cut " << cut;
  }
  std::vector<std::size_t> everyByte;
  for (std::size_t i = 1; i < c.reply.size(); ++i) everyByte.push_back(i);
  EXPECT_EQ(Decode(c.reply, everyByte).text, c.stored);

  // Before the last byte of the "." line nothing ends, and no byte of it is out yet.
  const TDecoded early = Decode(c.reply.substr(0, end - 1), {});
  EXPECT_EQ(early.result, TDataResult::NeedMore);
  EXPECT_EQ(early.text, c.stored);
}

INSTANTIATE_TEST_SUITE_P(Cases, Pop3DataDecoder, ::testing::ValuesIn(k_cases),
                         [](const ::testing::TestParamInfo<TCase>& info) {
                           std::string name;
                           for (const char* p = info.param.name; *p; ++p) name += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
                           return name;
                         });

TEST(Pop3DataDecoderStatus, RefusalEndsAtItsLineAndKeepsItWhereverSplit) {
  const std::string reply = "-ERR no such message\r\n";
  for (std::size_t cut = 0; cut <= reply.size(); ++cut) {
    TPop3DataDecoder decoder;
    std::string out;
    TDataResult first = decoder.Feed(reply.data(), cut, out);
    TDataResult second = decoder.Feed(reply.data() + cut, reply.size() - cut, out);
    EXPECT_EQ(cut == reply.size() ? first : second, TDataResult::Refused) << cut;
    EXPECT_EQ(decoder.StatusLine(), "-ERR no such message");
    EXPECT_EQ(out, "");
  }
  // Reset readies it for the next reply.
  TPop3DataDecoder decoder;
  std::string out;
  EXPECT_EQ(decoder.Feed("-ERR\r\n", 6, out), TDataResult::Refused);
  decoder.Reset();
  EXPECT_EQ(decoder.Feed("+OK\r\n\nx\r\n.\r\n", 12, out), TDataResult::Ended);
  EXPECT_EQ(out, "\r\nx\r\n");
}

}  // namespace
