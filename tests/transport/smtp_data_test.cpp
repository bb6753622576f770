// The bytes of DATA: dot transparency and line ends, whole and cut into pieces anywhere
// (the resumption at the exact byte is tested against a slow server in smtp_session_test).
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "quillet/transport/smtp_data_encoder.h"
#include "quillet/transport/smtp_data_pump.h"
#include "quillet/transport/smtp_errors.h"
#include "quillet/transport/transport_texts.h"

namespace {

std::string EncodeInPieces(const std::string& text, const std::vector<std::size_t>& cuts) {
  TDataEncoder encoder;
  std::string out;
  std::size_t from = 0;
  for (std::size_t cut : cuts) {
    encoder.Encode(text.data() + from, cut - from, out);
    from = cut;
  }
  encoder.Encode(text.data() + from, text.size() - from, out);
  encoder.Finish(out);
  return out;
}

struct TWireCase {
  const char* name;
  std::string stored;
  std::string wire;
};

const TWireCase k_wireCases[] = {
    {"plain lines stay", "a\r\nb\r\n", "a\r\nb\r\n"},
    {"leading dot doubled", ".x\r\n", "..x\r\n"},
    {"lone dot doubled", "a\r\n.\r\nb\r\n", "a\r\n..\r\nb\r\n"},
    {"exactly two dots kept", "..\r\n", "..\r\n"},
    {"three dots become four", "...\r\n", "....\r\n"},
    {"two dots and text doubled", "..x\r\n", "...x\r\n"},
    {"dot inside a line stays", "a.b\r\n. \r\n", "a.b\r\n.. \r\n"},
    {"bare LF becomes CR LF", "a\nb\n", "a\r\nb\r\n"},
    {"bare CR becomes CR LF", "a\rb\r", "a\r\nb\r\n"},
    {"CR CR LF is two line ends", "a\r\r\nb", "a\r\n\r\nb"},
    {"LF CR is two line ends", "a\n\rb", "a\r\n\r\nb"},
    {"dot after a bare LF", "a\n.\nb", "a\r\n..\r\nb"},
    {"dot after a bare CR", "a\r.\rb", "a\r\n..\r\nb"},
    {"two dots after a bare LF", "a\n..\n", "a\r\n..\r\n"},
    {"dot at the very end", "a\r\n.", "a\r\n.."},
    {"two dots at the very end", "a\r\n..", "a\r\n.."},
    {"dot then CR at the end", ".\r", "..\r\n"},
    {"empty text", "", ""},
    {"NUL and 8-bit bytes pass", std::string("\0\xB0\xA1\r\n", 5), std::string("\0\xB0\xA1\r\n", 5)},
};

bool EndsWithCrLf(const std::string& text) { return text.size() >= 2 && text.compare(text.size() - 2, 2, "\r\n") == 0; }

TEST(SmtpDataEncoder, WireFormWholeAndCutAnywhere) {
  for (const TWireCase& c : k_wireCases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(EncodeInPieces(c.stored, {}), c.wire);
    // The "." line follows the text's own last line end; a text without one gets it.
    TDataEncoder ended;
    std::string out;
    ended.Encode(c.stored.data(), c.stored.size(), out);
    ended.EndData(out);
    EXPECT_EQ(out, c.wire + (EndsWithCrLf(c.wire) ? ".\r\n" : "\r\n.\r\n"));
    for (std::size_t cut = 0; cut <= c.stored.size(); ++cut)
      EXPECT_EQ(EncodeInPieces(c.stored, {cut}), c.wire) << "cut at " << cut;
    std::vector<std::size_t> everyByte;
    for (std::size_t i = 1; i < c.stored.size(); ++i) everyByte.push_back(i);
    EXPECT_EQ(EncodeInPieces(c.stored, everyByte), c.wire);
  }
}

TEST(SmtpDataPump, ShortFileAndFailedSend) {
  TMemoryStream header("H: v\r\n\r\n");
  TMemoryStream shortFile("body");
  TDataPhase phase = TDataPhase::None;
  TDataPump pump(phase, shortFile);
  pump.Begin(header, 0, 100);  // the record promises more than the file holds
  try {
    pump.Pump([](const char*, int size) { return size; });
    FAIL() << "no error";
  } catch (const ERawSmtpError& e) {
    EXPECT_EQ(e.Message(), k_textCannotReadMail);
  }

  TMemoryStream file("body\r\n");
  TDataPump failing(phase, file);
  failing.Begin(header, 0, 6);
  std::string taken;
  int calls = 0;
  auto send = [&](const char* data, int size) {
    if (++calls == 2) return -1;
    taken.append(data, static_cast<std::size_t>(std::min(size, 3)));
    return std::min(size, 3);
  };
  EXPECT_EQ(failing.Pump(send), TPumpResult::Failed);
  EXPECT_EQ(taken, "H: ");
  EXPECT_EQ(failing.Pump(send), TPumpResult::Done);  // a later event resumes where it stopped
  EXPECT_EQ(taken, "H: v\r\n\r\nbody\r\n.\r\n");
}

}  // namespace
