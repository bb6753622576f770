#include <gtest/gtest.h>

#include <string>

#include "quillet/message/codec/codecs.h"

namespace {

TEST(MimeHelper, TableRowsInOrder) {
  ASSERT_EQ(TMimeHelper::RowCount(), 7);
  const TMimeHelperRow* rows = TMimeHelper::Rows();
  const char* expected[7][2] = {{"text/html", ".HTM"}, {"audio/aiff", ".AIF"}, {"audio/basic", ".AU"},
                                {"image/gif", ".GIF"}, {"image/jpeg", ".JPG"}, {"video/avi", ".AVI"},
                                {"text/rtf", ".RTF"}};
  for (int i = 0; i < 7; ++i) {
    EXPECT_STREQ(rows[i].contentType, expected[i][0]);
    EXPECT_STREQ(rows[i].extension, expected[i][1]);
  }
}

TEST(ContentTypeOfFile, ByExtensionInAnyCase) {
  EXPECT_EQ(ContentTypeOfFile("photo.jpg"), "image/jpeg");
  EXPECT_EQ(ContentTypeOfFile("C:\\My Pictures\\PHOTO.JPG"), "image/jpeg");
  EXPECT_EQ(ContentTypeOfFile("/home/me/Photo.JpG"), "image/jpeg");
  EXPECT_EQ(ContentTypeOfFile("表.gif"), "image/gif");
  EXPECT_EQ(ContentTypeOfFile("sound.au"), "audio/basic");
  EXPECT_EQ(ContentTypeOfFile("page.htm"), "text/html");
  EXPECT_EQ(ContentTypeOfFile("archive.tar.rtf"), "text/rtf");
}

TEST(ContentTypeOfFile, NoMatchIsOctetStream) {
  EXPECT_EQ(ContentTypeOfFile("page.html"), "application/octet-stream");  // ".HTML" is not ".HTM"
  EXPECT_EQ(ContentTypeOfFile("photo.jpeg"), "application/octet-stream");
  EXPECT_EQ(ContentTypeOfFile("README"), "application/octet-stream");
  EXPECT_EQ(ContentTypeOfFile(""), "application/octet-stream");
  EXPECT_EQ(ContentTypeOfFile("photo.jpg.txt"), "application/octet-stream");
  EXPECT_EQ(ContentTypeOfFile("folder.gif\\notes"), "application/octet-stream");  // the dot is the folder's
}

TEST(FileNameForType, TableTypesGetTheirExtension) {
  EXPECT_EQ(FileNameForType("", "image/gif"), "unknown.GIF");
  EXPECT_EQ(FileNameForType("", "IMAGE/GIF"), "unknown.GIF");
  EXPECT_EQ(FileNameForType(".gif", "image/gif"), "unknown.GIF");
  EXPECT_EQ(FileNameForType("C:\\temp\\photo.jpeg", "image/jpeg"), "photo.JPG");
  EXPECT_EQ(FileNameForType("a.b.c", "text/html"), "a.b.HTM");
  EXPECT_EQ(FileNameForType("报告", "text/rtf"), "报告.RTF");
}

TEST(FileNameForType, OtherTypesKeepTheFileNamePart) {
  EXPECT_EQ(FileNameForType("C:\\temp\\report.txt", "text/plain"), "report.txt");
  EXPECT_EQ(FileNameForType("/tmp/data.bin", "application/octet-stream"), "data.bin");
  EXPECT_EQ(FileNameForType("", "text/plain"), "");
}

TEST(ExtractFileName, AfterTheLastSeparator) {
  EXPECT_EQ(ExtractFileName("C:\\dir\\sub\\file.txt"), "file.txt");
  EXPECT_EQ(ExtractFileName("/usr/local/file"), "file");
  EXPECT_EQ(ExtractFileName("C:file.txt"), "file.txt");
  EXPECT_EQ(ExtractFileName("plain"), "plain");
  EXPECT_EQ(ExtractFileName("dir\\"), "");
  EXPECT_EQ(ExtractFileName(""), "");
}

// GBK trail bytes include 0x5C ("\") and 0x7C: they belong to their character.
TEST(ExtractFileName, StepsOverDoubleByteCharacters) {
  EXPECT_EQ(std::string("表"), "\xB1\xED");
  EXPECT_EQ(ExtractFileName("C:\\邮件\\表.doc"), "表.doc");
  const std::string trail5C = "\x95\x5C";  // lead 0x95, trail "\"
  EXPECT_EQ(ExtractFileName("C:\\dir\\" + trail5C + ".txt"), trail5C + ".txt");
  EXPECT_EQ(ExtractFileName("C:\\dir\\a" + trail5C + trail5C + "b"), "a" + trail5C + trail5C + "b");
  EXPECT_EQ(ExtractFileName(trail5C + "\\x"), "x");
  // "/" and ":" are no trail bytes (0x40-0xFE): a stray lead byte does not hide them.
  EXPECT_EQ(ExtractFileName("\x81/x"), "x");
  EXPECT_EQ(ExtractFileName("dir\xB1:x.gif"), "x.gif");
  EXPECT_EQ(ContentTypeOfFile("a.gif\x81/b"), "application/octet-stream");
  EXPECT_EQ(ExtractFileName("dir\\name\x81"), "name\x81");  // a lone lead byte at the end
  EXPECT_EQ(ContentTypeOfFile("C:\\" + trail5C + ".jpg"), "image/jpeg");
  EXPECT_EQ(FileNameForType("C:\\dir\\" + trail5C + ".bmp", "image/gif"), trail5C + ".GIF");
}

}  // namespace
