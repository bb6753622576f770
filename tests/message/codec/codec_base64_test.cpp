#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "codec_test_support.h"
#include "platform/file.h"
#include "quillet/common/range_stream.h"
#include "quillet/message/codec/codecs.h"

namespace {

using namespace codec_test;

std::string Lines(std::initializer_list<std::string> lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  return text;
}

// A plain decoder written from the line rules, for comparing with the fast one on lines
// that ReadLine returns whole: each group of four characters gives one byte less than its
// data characters before the first "=", and so does the partial group at a line's end.
std::string ReferenceDecode(const std::string& text) {
  static const std::string alphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  TMemoryStream in(text);
  std::string out, line;
  do {
    ReadLine(in, line);
    if (line.empty()) break;
    std::vector<int> values;
    auto flush = [&] {
      int data = 0;
      while (data < static_cast<int>(values.size()) && values[data] >= 0) ++data;
      std::uint32_t bits = 0;
      for (int i = 0; i < data; ++i) bits |= static_cast<std::uint32_t>(values[i]) << (18 - 6 * i);
      for (int i = 0; i + 1 < data; ++i) out += static_cast<char>(bits >> (16 - 8 * i));
      values.clear();
    };
    for (char c : line) {
      if (c == '\n' || c == ' ' || c == '\t') continue;
      size_t v = alphabet.find(c);
      if (c != '=' && v == std::string::npos) throw EUUInvalidCharacter();
      values.push_back(c == '=' ? -1 : static_cast<int>(v));
      if (values.size() == 4) flush();
    }
    if (!values.empty()) flush();
  } while (in.Position() < in.Size() - 1);
  return out;
}

TEST(Base64Encode, LineShapes) {
  EXPECT_EQ(Base64Encode(""), "\r\n");
  EXPECT_EQ(Base64Encode("a"), "YQ==\r\n");
  EXPECT_EQ(Base64Encode("ab"), "YWI=\r\n");
  EXPECT_EQ(Base64Encode("abc"), "YWJj\r\n");
  EXPECT_EQ(Base64Encode("foobar"), "Zm9vYmFy\r\n");
  EXPECT_EQ(Base64Encode(std::string("\xFF\xFE\x00", 3)), "//4A\r\n");

  std::string exact = Base64Encode(std::string(57, 'x'));
  ASSERT_EQ(exact.size(), 76u + 2 + 2);
  EXPECT_EQ(exact.substr(76), "\r\n\r\n");  // one full line, then the empty closing line
  EXPECT_EQ(exact.find('\r'), 76u);

  std::string longer = Base64Encode(std::string(58, 'x'));
  EXPECT_EQ(longer.substr(78), "eA==\r\n");
}

TEST(Base64Encode, StartsAtTheOffsetAndLeavesTheInputAfterIt) {
  TMemoryStream in("skipMe:abc"), out;
  TBase64 codec(&in, TCodecMode::Encode, &out, 3, 7);
  codec.Encode();
  EXPECT_EQ(out.Bytes(), "YWJj\r\n");
  EXPECT_EQ(in.Position(), 10);
}

TEST(Base64Encode, AppendsAtTheOutputPosition) {
  TMemoryStream in("a"), out("header\r\n");
  out.Seek(0, TSeekOrigin::End);
  TBase64 codec(&in, TCodecMode::Encode, &out, 1, 0);
  codec.Encode();
  EXPECT_EQ(out.Bytes(), "header\r\nYQ==\r\n");
}

TEST(Base64Decode, StandardLines) {
  EXPECT_EQ(Base64Decode("YQ==\r\n"), "a");
  EXPECT_EQ(Base64Decode(Lines({"Zm9v", "YmFy"})), "foobar");
  EXPECT_EQ(Base64Decode("Zm9vYmFy"), "foobar");  // no line break at the end
  EXPECT_EQ(Base64Decode(""), "");
}

TEST(Base64Decode, EmptyLineEndsDecoding) {
  TMemoryStream in(Lines({"YWJj", "", "ZGVm"}) + "rest"), out;
  TBase64 codec(&in, TCodecMode::Decode, &out, in.Size(), 0);
  codec.Decode();
  EXPECT_EQ(out.Bytes(), "abc");
  EXPECT_EQ(in.Position(), 8);  // after the empty line
}

TEST(Base64Decode, ReadsOnlyItsRange) {
  std::string text = "junk" + Lines({"YWJj", "ZGVm"}) + "!!!!";
  TMemoryStream in(text), out;
  TBase64 codec(&in, TCodecMode::Decode, &out, 12, 4);
  codec.Decode();
  EXPECT_EQ(out.Bytes(), "abcdef");
  // A last line cut by the range end is decoded as far as the range goes.
  TMemoryStream cut(text), out2;
  TBase64 partial(&cut, TCodecMode::Decode, &out2, 9, 4);  // "YWJj\r\nZGV"
  partial.Decode();
  EXPECT_EQ(out2.Bytes(), "abcde");
}

TEST(Base64Decode, StopsWhenOneByteOfTheRangeIsLeft) {
  // After the first line one byte ("!") remains: it is not read, so it raises nothing.
  EXPECT_EQ(Base64Decode("YWJj\r\n!"), "abc");
  EXPECT_THROW(Base64Decode("YWJj\r\n!!"), EUUInvalidCharacter);
}

TEST(Base64Decode, LinesOfOtherLengths) {
  EXPECT_EQ(Base64Decode(Lines({"YWJ"})), "ab");          // partial group: its whole bytes
  EXPECT_EQ(Base64Decode(Lines({"YQ"})), "a");
  EXPECT_EQ(Base64Decode(Lines({"Y"})), "");              // six bits make no byte
  EXPECT_EQ(Base64Decode(Lines({"YQ="})), "a");
  EXPECT_EQ(Base64Decode(Lines({"YWJjZ", "GVm"})), "abc\x19Y");  // every line stands alone
}

TEST(Base64Decode, PaddingInStrangePlacesGivesNoInventedBytes) {
  EXPECT_EQ(Base64Decode(Lines({"===="})), "");
  EXPECT_EQ(Base64Decode(Lines({"=AAA"})), "");
  EXPECT_EQ(Base64Decode(Lines({"A==="})), "");
  EXPECT_EQ(Base64Decode(Lines({"YQ=A"})), "a");
  EXPECT_EQ(Base64Decode(Lines({"YQ==YWJj"})), "aabc");  // joined encodings
  EXPECT_EQ(Base64Decode(Lines({"YQ==", "YWI="})), "aab");
}

// The last line of 55 or 56 bytes is 76 characters long with padding: it must give back
// exactly those bytes, not 57.
TEST(Base64Decode, PaddedFullLengthLastLine) {
  for (size_t size : {55u, 56u, 57u, 112u, 113u, 114u}) {
    std::string bytes = RandomBytes(size, static_cast<unsigned>(size));
    std::string encoded = Base64Encode(bytes);
    EXPECT_EQ(Base64Decode(encoded), bytes) << size;
  }
}

TEST(Base64Decode, LongLinesAreDecodedInFull) {
  std::string bytes = RandomBytes(3000, 3);
  std::string oneLine = Base64Encode(bytes);
  oneLine.erase(std::remove(oneLine.begin(), oneLine.end(), '\r'), oneLine.end());
  oneLine.erase(std::remove(oneLine.begin(), oneLine.end(), '\n'), oneLine.end());
  ASSERT_EQ(oneLine.size(), 4000u);  // far over 76 and over the 255 of ReadLine
  EXPECT_EQ(Base64Decode(oneLine + "\r\n"), bytes);
}

TEST(Base64Decode, LineLongerThanTheReadBufferComesInPieces) {
  std::string bytes = RandomBytes(600 * 1024 + 1, 4);
  std::string encoded = Base64Encode(bytes);
  std::string oneLine;
  for (char c : encoded) {
    if (c != '\r' && c != '\n') oneLine += c;
  }
  EXPECT_TRUE(Base64Decode(oneLine + "\r\n" + Lines({"YWJj"})) == bytes + "abc");
  // Without its last three characters ("x==") the final group has no whole byte left.
  EXPECT_TRUE(Base64Decode(oneLine.substr(0, oneLine.size() - 3)) == bytes.substr(0, bytes.size() - 1));
}

TEST(Base64Decode, LineFeedsInsideALineAreSkipped) {
  EXPECT_EQ(Base64Decode("YWJj\nZGVm\n"), "abcdef");  // LF-only text is one long line
  EXPECT_EQ(Base64Decode("YW\nJj\r\n"), "abc");
  std::string bytes = RandomBytes(5000, 5);
  std::string encoded = Base64Encode(bytes), lfOnly;
  for (char c : encoded) {
    if (c != '\r') lfOnly += c;
  }
  EXPECT_EQ(Base64Decode(lfOnly), bytes);
}

TEST(Base64Decode, InvalidCharacterRaisesAndKeepsTheLinesBefore) {
  TMemoryStream in(Lines({"YWJj", "ZG*m", "ZGVm"})), out;
  TBase64 codec(&in, TCodecMode::Decode, &out, in.Size(), 0);
  TEventLog log;
  log.Attach(codec, &codec);
  try {
    codec.Decode();
    FAIL() << "no exception";
  } catch (const EUUInvalidCharacter& e) {
    EXPECT_EQ(e.Message(), "Invalid character in the input file");
  }
  EXPECT_EQ(out.Bytes(), "abc");  // the bad line wrote nothing
  ASSERT_GE(log.events.size(), 3u);
  EXPECT_EQ(log.events.front(), "start");
  EXPECT_EQ(log.events[log.events.size() - 2], "100");
  EXPECT_EQ(log.events.back(), "end");
  EXPECT_EQ(codec.Percent(), 100);
  for (const char* bad : {"YWJ\xB1", "YWJj\r\nYW-j", "YW.j"}) {
    EXPECT_THROW(Base64Decode(std::string(bad) + "\r\n"), EUUInvalidCharacter) << bad;
  }
  EXPECT_THROW(Base64Decode(std::string("YW\0j\r\n", 6)), EUUInvalidCharacter);
}

TEST(Base64, WrongModeRaisesButStillEnds) {
  TMemoryStream in("abc"), out;
  TBase64 decoder(&in, TCodecMode::Decode, &out, 3, 0);
  TEventLog log;
  log.Attach(decoder, &decoder);
  try {
    decoder.Encode();
    FAIL() << "no exception";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), "Internal Error: TBase64.Encode");
  }
  EXPECT_EQ(log.events, (std::vector<std::string>{"100", "end"}));

  TBase64 encoder(&in, TCodecMode::Encode, &out, 3, 0);
  TEventLog log2;
  log2.Attach(encoder, &encoder);
  try {
    encoder.Decode();
    FAIL() << "no exception";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), "Internal Error: TBase64.Decode");
  }
  EXPECT_EQ(log2.events, (std::vector<std::string>{"100", "end"}));
  EXPECT_EQ(out.Size(), 0);
}

// Progress: every multiple of 5 once, in order, while the job runs; then 100 and the end.
void ExpectFullProgress(const TEventLog& log) {
  EXPECT_FALSE(log.wrongSender);
  ASSERT_GE(log.events.size(), 4u);
  EXPECT_EQ(log.events.front(), "start");
  EXPECT_EQ(log.events.back(), "end");
  std::vector<int> running(log.percents.begin(), log.percents.end() - 1);
  std::vector<int> steps;
  for (int p = 0; p <= 100; p += 5) steps.push_back(p);
  EXPECT_EQ(running, steps);
  EXPECT_EQ(log.percents.back(), 100);
}

TEST(Base64, ProgressReachesEveryStepOnce) {
  std::string bytes = RandomBytes(57 * 400, 6);
  TMemoryStream in(bytes), encoded;
  TBase64 encoder(&in, TCodecMode::Encode, &encoded, in.Size(), 0);
  TEventLog encodeLog;
  encodeLog.Attach(encoder, &encoder);
  encoder.Encode();
  ExpectFullProgress(encodeLog);

  encoded.SetPosition(0);
  TMemoryStream decoded;
  TBase64 decoder(&encoded, TCodecMode::Decode, &decoded, encoded.Size(), 0);
  TEventLog decodeLog;
  decodeLog.Attach(decoder, &decoder);
  decoder.Decode();
  ExpectFullProgress(decodeLog);
  EXPECT_TRUE(decoded.Bytes() == bytes);
}

TEST(Base64, AbortFromACallbackStopsAfterTheLine) {
  std::string bytes = RandomBytes(57 * 100, 7);
  std::string full = Base64Encode(bytes);
  {
    TMemoryStream in(full), out;
    TBase64 decoder(&in, TCodecMode::Decode, &out, in.Size(), 0);
    bool ended = false;
    decoder.OnProgress = [&](void*, int percent) {
      if (percent >= 50 && percent < 100) decoder.Abort = true;
    };
    decoder.OnEnd = [&](void*) { ended = true; };
    decoder.Decode();
    EXPECT_TRUE(ended);
    EXPECT_GT(out.Size(), 0);
    EXPECT_LT(out.Size(), static_cast<std::int64_t>(bytes.size()) * 3 / 4);
    EXPECT_EQ(out.Size() % 57, 0);
    EXPECT_TRUE(bytes.compare(0, out.Bytes().size(), out.Bytes()) == 0);
  }
  {
    TMemoryStream in(bytes), out;
    TBase64 encoder(&in, TCodecMode::Encode, &out, in.Size(), 0);
    encoder.Abort = true;  // a new encoding clears the flag
    encoder.OnProgress = [&](void*, int percent) {
      if (percent == 25) encoder.Abort = true;
    };
    encoder.Encode();
    EXPECT_GT(out.Size(), 0);
    EXPECT_LT(out.Size(), static_cast<std::int64_t>(full.size()) / 2);
    EXPECT_TRUE(full.compare(0, out.Bytes().size(), out.Bytes()) == 0);
  }
}

TEST(Base64, RoundTripsRandomData) {
  for (size_t size = 0; size < 400; ++size) {
    std::string bytes = RandomBytes(size, static_cast<unsigned>(size) + 100);
    ASSERT_EQ(Base64Decode(Base64Encode(bytes)), bytes) << size;
  }
  std::string big = RandomBytes(3 * 1024 * 1024 + 7, 8);
  EXPECT_TRUE(Base64Decode(Base64Encode(big)) == big);
}

TEST(Base64, SlowStreamsGiveTheSameResult) {
  std::string bytes = RandomBytes(20000, 9);
  std::string encoded = Base64Encode(bytes);
  TTrickleStream slowIn(bytes, 13);
  TMemoryStream out;
  TBase64 encoder(&slowIn, TCodecMode::Encode, &out, 20000, 0);
  encoder.Encode();
  EXPECT_EQ(out.Bytes(), encoded);

  TTrickleStream slowEncoded(encoded, 7);
  TMemoryStream decoded;
  TBase64 decoder(&slowEncoded, TCodecMode::Decode, &decoded, static_cast<std::int64_t>(encoded.size()), 0);
  decoder.Decode();
  EXPECT_EQ(decoded.Bytes(), bytes);
}

// Random lines of alphabet characters, "=" and LF, of every length ReadLine returns
// whole: the fast decoder must agree with the plain one.
TEST(Base64Decode, AgreesWithThePlainDecoderOnOddInput) {
  std::mt19937 random(10);
  const std::string chars = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/====\n";
  for (int round = 0; round < 300; ++round) {
    std::string text;
    int lines = 1 + static_cast<int>(random() % 8);
    for (int l = 0; l < lines; ++l) {
      size_t length = 1 + random() % 200;
      for (size_t i = 0; i < length; ++i) text += chars[random() % chars.size()];
      text += random() % 4 ? "\r\n" : "\r";
    }
    ASSERT_EQ(Base64Decode(text), ReferenceDecode(text)) << text;
  }
}

TEST(Base64Decode, ThroughAFileRange) {
  std::string path = platform::TempFolder() + "qcodec_b64.box";
  std::string bytes = RandomBytes(200000, 11);
  std::string encoded = Base64Encode(bytes);
  std::string file = "header\r\n\r\n" + encoded + "\r\n--boundary--\r\n";
  {
    TFileStream f(path, TFileStream::Mode::Create);
    f.WriteString(file);
  }
  {
    TRangeStream range(std::make_unique<TFileStream>(path, TFileStream::Mode::OpenRead), 10, static_cast<std::int64_t>(encoded.size()) + 2);
    TMemoryStream out;
    TBase64 decoder(&range, TCodecMode::Decode, &out, range.Size(), 0);
    decoder.Decode();
    EXPECT_TRUE(out.Bytes() == bytes);
  }
  platform::FileDelete(path);
}

}  // namespace

namespace {
// Trailing blanks left by mailers, and blanks inside a line, carry no data.
TEST(Base64Decode, BlanksAreSkipped) {
  EXPECT_EQ(Base64Decode("YWJj \r\nZGVm\t\r\n"), "abcdef");
  EXPECT_EQ(Base64Decode("YW Jj\r\n"), "abc");
  EXPECT_EQ(Base64Decode("  \r\nYWJj\r\n"), "abc");  // a blank line is no empty line
}
}  // namespace
