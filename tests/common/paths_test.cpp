#include "quillet/common/paths.h"

#include <gtest/gtest.h>

#include "platform/file.h"

namespace {

const std::string k_trail5C = "\x95\x5C";  // lead 0x95, trail "\"
const std::string k_trail7C = "\xB1\x7C";  // trail "|"
const std::string k_trail40 = "\x81\x40";  // trail "@"

struct TPathCase {
  std::string path;
  std::string fileName, folder, extension, withoutExtension;
};

TEST(Paths, PartsOfAPath) {
  const TPathCase cases[] = {
      {"C:\\dir\\sub\\file.txt", "file.txt", "C:\\dir\\sub\\", ".txt", "C:\\dir\\sub\\file"},
      {"/usr/local/file", "file", "/usr/local/", "", "/usr/local/file"},
      {"C:file.txt", "file.txt", "C:", ".txt", "C:file"},        // ":" separates
      {"a.txt:stream", "stream", "a.txt:", "", "a.txt:stream"},  // no alternate data stream
      {"plain", "plain", "", "", "plain"},
      {"dir\\", "", "dir\\", "", "dir\\"},
      {"dir.d/name", "name", "dir.d/", "", "dir.d/name"},      // a dot in a folder is no extension
      {"a.tar.gz", "a.tar.gz", "", ".gz", "a.tar"},
      {"", "", "", "", ""},
      {"C:\\dir\\" + k_trail5C + ".txt", k_trail5C + ".txt", "C:\\dir\\", ".txt", "C:\\dir\\" + k_trail5C},
      {"d\\a" + k_trail5C + k_trail5C + "b", "a" + k_trail5C + k_trail5C + "b", "d\\", "", "d\\a" + k_trail5C + k_trail5C + "b"},
      {k_trail5C + "\\x", "x", k_trail5C + "\\", "", k_trail5C + "\\x"},
      {"d/" + k_trail7C + ".doc", k_trail7C + ".doc", "d/", ".doc", "d/" + k_trail7C},
      {"d/" + k_trail40 + ".doc", k_trail40 + ".doc", "d/", ".doc", "d/" + k_trail40},
      // "/" and ":" are no trail bytes: a stray lead byte does not hide them.
      {"\x81/x", "x", "\x81/", "", "\x81/x"},
      {"dir\xB1:x.gif", "x.gif", "dir\xB1:", ".gif", "dir\xB1:x"},
      {"dir\\name\x81", "name\x81", "dir\\", "", "dir\\name\x81"},  // a lone lead byte at the end
      {"C:\\\xD3\xCA\xBC\xFE\\\xB1\xED.doc", "\xB1\xED.doc", "C:\\\xD3\xCA\xBC\xFE\\", ".doc", "C:\\\xD3\xCA\xBC\xFE\\\xB1\xED"},
  };
  for (const TPathCase& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.path));
    EXPECT_EQ(paths::FileNamePart(c.path), c.fileName);
    EXPECT_EQ(paths::FolderPart(c.path), c.folder);
    EXPECT_EQ(paths::Extension(c.path), c.extension);
    EXPECT_EQ(paths::WithoutExtension(c.path), c.withoutExtension);
    EXPECT_EQ(paths::FileNameStart(c.path), c.folder.size());
  }
}

struct TFolderCase {
  std::string folder;
  bool endsWithSeparator;
};

TEST(Paths, TrailingSeparator) {
  const std::string separator(1, platform::PathSeparator());
  const TFolderCase cases[] = {
      {"C:\\Mail", false}, {"C:\\Mail\\", true}, {"/tmp/mail/", true},
      {"C:", false},  // a drive alone: its root needs the separator
      {"C:\\" + k_trail5C, false}, {"C:\\" + k_trail5C + "\\", true}, {"d\\" + k_trail7C, false},
      {"d\\" + k_trail40, false},  {"C:\\a\x81/", true}, {"d\\x\x81", false},
  };
  for (const TFolderCase& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.folder));
    EXPECT_EQ(paths::EndsWithSeparator(c.folder), c.endsWithSeparator);
    EXPECT_EQ(paths::WithTrailingSeparator(c.folder), c.endsWithSeparator ? c.folder : c.folder + separator);
  }
  EXPECT_EQ(paths::WithTrailingSeparator(""), "");
}

}  // namespace
