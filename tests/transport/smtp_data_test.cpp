// The bytes of DATA: dot transparency and line ends (whole and cut into pieces anywhere),
// and the pump that sends them as a slow socket takes them.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
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

TEST(SmtpDataEncoder, WireFormWholeAndCutAnywhere) {
  for (const TWireCase& c : k_wireCases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(EncodeInPieces(c.stored, {}), c.wire);
    for (std::size_t cut = 0; cut <= c.stored.size(); ++cut)
      EXPECT_EQ(EncodeInPieces(c.stored, {cut}), c.wire) << "cut at " << cut;
    std::vector<std::size_t> everyByte;
    for (std::size_t i = 1; i < c.stored.size(); ++i) everyByte.push_back(i);
    EXPECT_EQ(EncodeInPieces(c.stored, everyByte), c.wire);
  }
}

// A socket that takes a random share of what it is offered and would block now and then,
// recording every call.
class TSlowSocket {
 public:
  explicit TSlowSocket(unsigned seed) : random_(seed) {}
  int Send(const char* data, int size) {
    largest = std::max(largest, size);
    if (random_() % 4 == 0) return 0;
    int taken = 1 + static_cast<int>(random_() % static_cast<unsigned>(size));
    received.append(data, static_cast<std::size_t>(taken));
    return taken;
  }
  std::string received;
  int largest = 0;

 private:
  std::mt19937 random_;
};

// Lines of every length around the piece size, starting with dots or not, ended by
// CR LF, a bare LF or a bare CR.
std::string MixedBody(std::size_t size) {
  static const char* const k_ends[] = {"\r\n", "\n", "\r"};
  static const char* const k_starts[] = {"", ".", "..", "...", "x"};
  std::mt19937 random(7);
  std::string body;
  while (body.size() < size) {
    body += k_starts[random() % 5];
    body.append(random() % 3 == 0 ? 0 : random() % 5000, 'a' + static_cast<char>(random() % 26));
    body += k_ends[random() % 3];
  }
  return body;
}

struct TPumpRun {
  std::string received;
  int largestSend = 0;
  int events = 0;
  std::vector<std::int32_t> percents;
};

TPumpRun PumpAll(TStream& file, std::int64_t bodyStart, std::int64_t bodyLength, TMemoryStream& header, unsigned seed) {
  TDataPhase phase = TDataPhase::None;
  TDataPump pump(phase, file);
  pump.Begin(header, bodyStart, bodyLength);
  EXPECT_EQ(phase, TDataPhase::HeaderBlock);
  TSlowSocket socket(seed);
  TPumpRun run;
  TPumpResult result;
  do {
    ++run.events;
    result = pump.Pump([&](const char* data, int size) { return socket.Send(data, size); });
    run.percents.push_back(pump.Percent());
  } while (result == TPumpResult::WouldBlock);
  EXPECT_EQ(result, TPumpResult::Done);
  EXPECT_EQ(phase, TDataPhase::None);
  run.received = socket.received;
  run.largestSend = socket.largest;
  return run;
}

TEST(SmtpDataPump, SlowSocketGetsEveryByteOnceInOrder) {
  const std::string header = "Date: d\r\n.Odd: x\r\nSubject: s\r\n\r\n";
  const std::string body = MixedBody(3 * 1024 * 1024);
  const std::string before = "GARBAGE BEFORE";
  TMemoryStream file(before + body + "GARBAGE AFTER");
  TMemoryStream headerStream(header);
  TPumpRun run = PumpAll(file, static_cast<std::int64_t>(before.size()), static_cast<std::int64_t>(body.size()),
                         headerStream, 11);
  const std::string expected = EncodeInPieces(header + body, {}) + "\r\n.\r\n";
  ASSERT_EQ(run.received.size(), expected.size());
  EXPECT_TRUE(run.received == expected);
  EXPECT_LE(run.largestSend, TDataPump::k_pieceSize);
  EXPECT_GT(run.events, 100);  // it did have to resume
  EXPECT_TRUE(std::is_sorted(run.percents.begin(), run.percents.end()));
  EXPECT_EQ(run.percents.back(), 100);
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
  EXPECT_EQ(taken, "H: v\r\n\r\nbody\r\n\r\n.\r\n");
}

}  // namespace
