// Byte-level checks of the index header, index records, message summaries and the data
// file, read back from the files themselves.
#include <cmath>

#include "quillet/common/datetime.h"
#include "tests/store/mailbox/store_test_support.h"

namespace store_test {
namespace {

using FileFormat = ScratchTest;

TEST_F(FileFormat, NewPairIsA64ByteIndexAndAnEmptyDataFile) {
  TDateTime before = Now();
  TMailBox box(Base("in"));
  TDateTime after = Now();
  std::string index = ReadFileBytes(Base("in.IND"));
  ASSERT_EQ(index.size(), 64u);
  EXPECT_EQ(FileSize(Base("in.BOX")), 0);
  EXPECT_EQ(index.substr(0, 4), std::string("KWB\0", 4));
  EXPECT_EQ(index[4], 6);
  EXPECT_EQ(Int32At(index, 5), 0);                       // LastId
  double created = DoubleAt(index, 9) - 693594.0;        // on-disk date form
  EXPECT_GE(created, before - 1e-6);
  EXPECT_LE(created, after + 1e-6);
  EXPECT_EQ(index[17], 0);                               // Encrypted
  EXPECT_EQ(index.substr(18, 17), std::string(17, '\0'));  // Title
  EXPECT_EQ(Int32At(index, 35), 0);                      // WastedBytes
  EXPECT_EQ(Int32At(index, 39), 64);                     // TotalBytes
  EXPECT_EQ(Int32At(index, 43), 0);
  EXPECT_EQ(Int32At(index, 47), 0);
  EXPECT_EQ(index.substr(51), std::string(13, '\0'));
}

TEST_F(FileFormat, SeparatorBytes) {
  EXPECT_EQ(Separator(), std::string("\x10\x10\x10\x10\x10\x10\x10\x11\x11\x11\x11\x11\x11S\r\n"));
}

TEST_F(FileFormat, FirstItemIsId1AtOffset16WithItsSummary) {
  TMailBox box(Base("in"));
  TMailHead head;
  head.State = 2;
  head.Unread = 1;
  head.HasAttachment = 1;
  head.Date = 36526.75;  // 2000-01-01 18:00
  head.Priority = 1;
  head.Size = 4321;
  head.Label = 0x0107;
  head.Replied = true;
  head.Partial = true;
  head.Correspondent = "Ann";
  head.Subject = "Hi";
  std::string text = MessageText("Hi");
  TMemoryStream stream(text);
  box.AddMessage(head, stream);
  EXPECT_EQ(head.Id, 1);

  std::string data = ReadFileBytes(Base("in.BOX"));
  EXPECT_EQ(data, Separator() + text);
  std::string index = ReadFileBytes(Base("in.IND"));
  ASSERT_EQ(index.size(), 64u + 176u);
  EXPECT_EQ(Int32At(index, 5), 1);  // LastId
  std::string r = index.substr(64);
  EXPECT_EQ(Int32At(r, 0), 1);
  EXPECT_EQ(r[4], 0);
  EXPECT_EQ(Int32At(r, 5), 16);
  EXPECT_EQ(Int32At(r, 9), static_cast<std::int32_t>(text.size()));
  std::string s = r.substr(13);
  ASSERT_EQ(s.size(), 163u);
  EXPECT_EQ(Int32At(s, 0), 1);  // id copy
  EXPECT_EQ(s[4], 2);
  EXPECT_EQ(s[5], 1);
  EXPECT_EQ(s[6], 1);
  EXPECT_EQ(DoubleAt(s, 7), 36526.75 + 693594.0);
  EXPECT_EQ(s[15], 1);
  EXPECT_EQ(Int32At(s, 16), 4321);
  EXPECT_EQ(s.substr(20, 7), std::string("Ann\0Hi\0", 7));
  EXPECT_EQ(s.substr(27, 121), std::string(121, '\0'));
  EXPECT_EQ(static_cast<unsigned char>(s[148]), 0x07);
  EXPECT_EQ(static_cast<unsigned char>(s[149]), 0x01);
  EXPECT_EQ(static_cast<unsigned char>(s[150]), 0x21);  // replied + partial
  EXPECT_EQ(s.substr(151), std::string(12, '\0'));
}

TEST_F(FileFormat, FlagsBitsReadBackAndOtherBitsAreNotWritten) {
  WritePair(Base("in"), {1}, {MessageText("a")});
  std::string index = ReadFileBytes(Base("in.IND"));
  index[64 + 13 + 150] = static_cast<char>(0xFF);
  WriteFileBytes(Base("in.IND"), index);
  TMailBox box(Base("in"));
  TMailHead head;
  ASSERT_TRUE(box.ReadHead(1, head));
  EXPECT_TRUE(head.Replied);
  EXPECT_TRUE(head.Flag2);
  EXPECT_TRUE(head.Partial);
  head.Replied = false;
  box.WriteHead(head);
  EXPECT_EQ(static_cast<unsigned char>(ReadFileBytes(Base("in.IND"))[64 + 13 + 150]), 0x22);
}

TEST_F(FileFormat, StoredDateBelow36500ReadsBack366DaysLater) {
  WritePair(Base("in"), {1}, {MessageText("old")});
  std::string index = ReadFileBytes(Base("in.IND"));
  PutDoubleAt(index, 64 + 13 + 7, 1000.25);
  PutDoubleAt(index, 9, 20000.0);  // the header's Created follows the same rule
  WriteFileBytes(Base("in.IND"), index);
  TMailBox box(Base("in"));
  TMailHead head;
  ASSERT_TRUE(box.ReadHead(1, head));
  EXPECT_EQ(head.Date, 1366.25);
  EXPECT_EQ(box.Header().Created, 20366.0);
  // Written back, the date takes the current form.
  box.WriteHead(head);
  EXPECT_EQ(DoubleAt(ReadFileBytes(Base("in.IND")), 64 + 13 + 7), 1366.25 + 693594.0);
}

TEST_F(FileFormat, DatesAtTheBoundaryOfTheOldForm) {
  EXPECT_EQ(DateFromDisk(36500.0), 36500.0 - 693594.0);
  EXPECT_EQ(DateFromDisk(36499.5), 36499.5 + 366.0);
  double now = 45123.123456789;
  EXPECT_NEAR(DateFromDisk(DateToDisk(now)), now, 1e-9);  // well under a millisecond
  double stored = DateToDisk(now);
  EXPECT_EQ(DateToDisk(DateFromDisk(stored)), stored);   // rewriting a record keeps its bytes
}

TEST_F(FileFormat, LongNamesArePackedIntoTheNameArea) {
  struct Case {
    size_t correspondent, subject, storedCorrespondent, storedSubject;
  } cases[] = {{100, 100, 63, 63}, {60, 65, 60, 65}, {10, 200, 10, 116}, {200, 0, 63, 0}, {63, 62, 63, 62}, {64, 62, 63, 62}};
  for (const Case& c : cases) {
    TMailHead head = Head(std::string(c.correspondent, 'c'), std::string(c.subject, 's'));
    TIdxSummary summary;
    EncodeSummary(head, summary);
    TIdxRecord record;
    record.Summary = summary;
    TMailHead back;
    DecodeHead(record, back);
    EXPECT_EQ(back.Correspondent.size(), c.storedCorrespondent) << c.correspondent << "+" << c.subject;
    EXPECT_EQ(back.Subject.size(), c.storedSubject) << c.correspondent << "+" << c.subject;
    EXPECT_EQ(summary[20 + c.storedCorrespondent], 0);
    EXPECT_LE(c.storedCorrespondent + c.storedSubject + 2, 128u);
  }
}

TEST_F(FileFormat, PackingNeverSplitsADoubleByteCharacter) {
  // "cc" then 50 two-byte characters: a cut at 63 bytes would fall inside one.
  std::string correspondent = "cc";
  for (int i = 0; i < 50; ++i) correspondent += "\xD6\xD0";
  std::string subject(100, 's');
  TIdxRecord record;
  EncodeSummary(Head(correspondent, subject), record.Summary);
  TMailHead back;
  DecodeHead(record, back);
  EXPECT_EQ(back.Correspondent, correspondent.substr(0, 62));  // 2 + 30 characters of 2 bytes
  EXPECT_EQ(back.Subject.size(), 126u - 62u);
}

TEST_F(FileFormat, SummarySizeZeroShowsDataSize) {
  WritePair(Base("in"), {1}, {MessageText("x", std::string(500, 'b'))});
  TMailBox box(Base("in"));
  TMailHead head;
  ASSERT_TRUE(box.ReadHead(1, head));
  EXPECT_EQ(head.Size, MessageText("x", std::string(500, 'b')).size());
  head.Size = 77;
  box.WriteHead(head);
  ASSERT_TRUE(box.ReadHead(1, head));
  EXPECT_EQ(head.Size, 77u);
}

TEST_F(FileFormat, HeaderEncodingRoundTrips) {
  TIdxHeader h;
  h.Version = 6;
  h.LastId = -5;
  h.Created = 44000.5;
  h.Encrypted = 1;
  h.Title[0] = 'T';
  h.WastedBytes = 123456789;
  h.TotalBytes = -2;
  h.UnreadCount = 7;
  h.ItemCount = 8;
  h.Reserved[12] = 9;
  std::string raw = RawHeader(h);
  TIdxHeader back;
  DecodeHeader(reinterpret_cast<const std::uint8_t*>(raw.data()), back);
  EXPECT_EQ(RawHeader(back), raw);
  EXPECT_EQ(back.LastId, -5);
  EXPECT_EQ(back.TotalBytes, -2);
  EXPECT_EQ(back.TitleText(), "T");
}

}  // namespace
}  // namespace store_test
