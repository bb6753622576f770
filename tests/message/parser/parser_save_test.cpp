// Saving attachments: every kind, the error texts, files.
#include <gtest/gtest.h>

#include <string>

#include "parser_test_util.h"
#include "platform/file.h"

namespace {

using parser_test::Crlf;
using parser_test::ErrorOf;
using parser_test::TDecoded;

// One part after the given part header lines ("\n"-separated); body as it stands.
std::string WithPart(const std::string& partHeader, const std::string& body) {
  return Crlf("Mime-Version: 1.0\nContent-Type: multipart/mixed; boundary=b\n\n--b\n" + partHeader + "\n") + body +
         Crlf("\n--b--\n");
}

// A plain encoder, to write test input independently of the codec under test.
std::string Base64Of(const std::string& data) {
  static const char* alphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string out;
  for (size_t i = 0; i < data.size(); i += 3) {
    unsigned v = static_cast<unsigned char>(data[i]) << 16;
    if (i + 1 < data.size()) v |= static_cast<unsigned char>(data[i + 1]) << 8;
    if (i + 2 < data.size()) v |= static_cast<unsigned char>(data[i + 2]);
    out += alphabet[(v >> 18) & 63];
    out += alphabet[(v >> 12) & 63];
    out += i + 1 < data.size() ? alphabet[(v >> 6) & 63] : '=';
    out += i + 2 < data.size() ? alphabet[v & 63] : '=';
  }
  return out;
}

TEST(SaveAttachment, Base64WithLongLines) {
  std::string data;
  for (int i = 0; i < 300; ++i) data += static_cast<char>(i * 7);
  std::string encoded = Base64Of(data);  // 400 characters: one line of 200, the rest on two
  encoded.insert(300, "\r\n");
  encoded.insert(200, "\r\n");
  TDecoded d(WithPart("Content-Type: application/octet-stream; name=a.bin\nContent-Transfer-Encoding: base64\n",
                      encoded));
  ASSERT_EQ(d.msg.Attachments().size(), 1u);
  EXPECT_EQ(d.Attachment(0), data);
}

TEST(SaveAttachment, QuotedPrintableDropsEmptyLinesAtBothEnds) {
  TDecoded d(WithPart("Content-Type: text/plain; name=q.txt\nContent-Transfer-Encoding: Quoted-Printable\n",
                      Crlf("\n\nsum =3D 1=\n+2\nnext\n\n")));
  EXPECT_EQ(d.Attachment(0), "sum = 1+2\r\nnext\r\n");
}

TEST(SaveAttachment, QuotedPrintableLongLinesAreNotCut) {
  std::string line(600, 'x');
  line.replace(254, 3, "=41");  // an escape across the old 255-byte line limit
  TDecoded d(WithPart("Content-Type: text/plain; name=q.txt\nContent-Transfer-Encoding: quoted-printable\n",
                      line));
  std::string expected(600, 'x');
  expected.replace(254, 3, "A");
  EXPECT_EQ(d.Attachment(0), expected + "\r\n");
}

TEST(SaveAttachment, PlainPartsAreCopiedWholeWithLineEnds) {
  std::string longLine(1000, 'L');
  std::string withNul("nul\0inside", 10);
  TDecoded d(WithPart("Content-Type: text/plain; name=p.txt\n", longLine + "\r\n" + withNul));
  EXPECT_EQ(d.Attachment(0), longLine + "\r\n" + withNul + "\r\n");
  // The last part without a closing delimiter nor a final line end still ends its line.
  TDecoded open(Crlf("Mime-Version: 1.0\nContent-Type: multipart/mixed; boundary=b\n\n--b\n"
                     "Content-Type: text/csv; name=t.csv\n\na;b\n1;2"));
  EXPECT_EQ(open.Attachment(0), "a;b\r\n1;2\r\n");
  TDecoded cr(Crlf("Mime-Version: 1.0\nContent-Type: multipart/mixed; boundary=b\n\n--b\n"
                   "Content-Type: text/csv; name=t.csv\n\n") + "x\r");
  EXPECT_EQ(cr.Attachment(0), "x\r\n");
}

TEST(SaveAttachment, PlainPartsWithAnHzCharsetAreHzDecoded) {
  TDecoded d(WithPart("Content-Type: text/plain; charset=x-hz; name=h.txt\n", "~{<R~}"));
  EXPECT_EQ(d.Attachment(0), "家\r\n");
}

TEST(SaveAttachment, UnknownKindsAreRefused) {
  TMemoryStream source("abc");
  TMemoryStream out;
  TMsgSection section;
  section.Length = 3;
  for (int kind : {static_cast<int>(TTransferKind::XXEncode), 5, -1}) {
    section.Kind = static_cast<TTransferKind>(kind);
    EXPECT_EQ(ErrorOf([&] { SaveSectionToStream(source, section, out); }), "Unknown encode method");
  }
  try {
    SaveSectionToStream(source, section, out);
  } catch (const EMsgDecodeError&) {
    return;
  }
  ADD_FAILURE() << "not an EMsgDecodeError";
}

TEST(SaveAttachment, IndexOutOfRange) {
  TDecoded d(WithPart("Content-Type: application/x; name=a\n", "x"));
  TMemoryStream out;
  for (int index : {-1, 1, 1000})
    EXPECT_EQ(ErrorOf([&] { d.msg.SaveAttachFileToStream(index, out); }), "Error in TmsgDecode.SaveAttachFileToStream");
  std::string file = platform::TempFolder() + "quillet_parser_no_file.bin";
  platform::FileDelete(file);
  EXPECT_EQ(ErrorOf([&] { d.msg.SaveAttachFile(1, file); }), "Error in TmsgDecode.SaveAttachFileToStream");
  EXPECT_FALSE(platform::FileExists(file));
}

TEST(SaveAttachment, SaveAttachFileWritesTheDecodedBytes) {
  TDecoded d(WithPart("Content-Type: application/x; name=a.bin\nContent-Transfer-Encoding: base64\n",
                      "AAECAwQ="));
  std::string file = platform::TempFileName(platform::TempFolder(), "qpt");
  ASSERT_FALSE(file.empty());
  d.msg.SaveAttachFile(0, file);
  TFileStream in(file, TFileStream::Mode::OpenRead);
  std::string bytes(static_cast<size_t>(in.Size()), '\0');
  in.ReadBuffer(&bytes[0], static_cast<std::int32_t>(bytes.size()));
  EXPECT_EQ(bytes, std::string("\x00\x01\x02\x03\x04", 5));
  // Saving again replaces the file.
  d.msg.SaveAttachFile(0, file);
  EXPECT_EQ(platform::FileSizeByName(file), 5);
  platform::FileDelete(file);
}

TEST(SaveAttachment, ErrorsOfTheCodecsPassThrough) {
  TDecoded d(WithPart("Content-Type: application/x; name=a.bin\nContent-Transfer-Encoding: base64\n",
                      "AA!!"));
  TMemoryStream out;
  EXPECT_EQ(ErrorOf([&] { d.msg.SaveAttachFileToStream(0, out); }), "Invalid character in the input file");
}

TEST(SectionKind, DisplayNames) {
  EXPECT_STREQ(TMsgSection::KindName(static_cast<TTransferKind>(0)), "None");
  EXPECT_STREQ(TMsgSection::KindName(static_cast<TTransferKind>(1)), "Base64");
  EXPECT_STREQ(TMsgSection::KindName(static_cast<TTransferKind>(2)), "Quoted-Printable");
  EXPECT_STREQ(TMsgSection::KindName(static_cast<TTransferKind>(3)), "UUEncode");
  EXPECT_STREQ(TMsgSection::KindName(static_cast<TTransferKind>(4)), "XXEncode");
  EXPECT_STREQ(TMsgSection::KindName(static_cast<TTransferKind>(5)), "Unknown");
  EXPECT_STREQ(TMsgSection::KindName(static_cast<TTransferKind>(-1)), "Unknown");
}

}  // namespace
