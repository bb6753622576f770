// Temporary file names of attachments, shell results and the HTML page's links.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "platform/file.h"
#include "quillet/common/exceptions.h"
#include "quillet/viewer/html_page.h"
#include "quillet/viewer/shell_open.h"
#include "quillet/viewer/temp_file_for.h"
#include "quillet/viewer/viewer_texts.h"

namespace {

struct TempNameCase {
  std::string name;
  std::set<std::string> existing;  // names in the folder
  std::string expected;            // name in the folder
};

TEST(TempFileFor, NumbersTakenNamesAndNamesEmptyOrLong) {
  const std::string longName = std::string(140, 'x') + ".txt";
  std::string doubleByte = "a";
  for (int i = 0; i < 70; ++i) doubleByte += "\xD6\xD0";  // 141 bytes: the cut falls inside a character
  const std::vector<TempNameCase> cases = {
      {"a.txt", {}, "a.txt"},
      {"a.txt", {"a.txt"}, "a(1).txt"},
      {"a.txt", {"a.txt", "a(1).txt", "a(2).txt"}, "a(3).txt"},
      {"", {}, "jay"},
      {"", {"jay"}, "jay(1)"},
      {"noext", {"noext"}, "noext(1)"},
      {"x.tar.gz", {"x.tar.gz"}, "x.tar(1).gz"},
      {longName, {}, std::string(128, 'x')},
      {doubleByte, {}, doubleByte.substr(0, 127)},
      {"..\\..\\evil.exe", {}, "evil.exe"},
  };
  for (const TempNameCase& c : cases) {
    const auto exists = [&c](const std::string& path) { return c.existing.count(path.substr(4)) > 0; };
    EXPECT_EQ(TempFileFor(c.name, "tmp", exists), "tmp" + std::string(1, platform::PathSeparator()) + c.expected) << c.name;
    EXPECT_EQ(TempFileFor(c.name, "tmp/", exists), "tmp/" + c.expected) << c.name;
  }
}

TEST(TempFileFor, GivesUpWhenEveryNumberIsTaken) {
  EXPECT_THROW(TempFileFor("a.txt", "tmp/", [](const std::string&) { return true; }), Exception);
}

TEST(ShellOpenErrorText, ResultsBelow32AreReported) {
  const std::vector<std::pair<int, std::string>> cases = {
      {31, viewer_texts::k_noAssociation}, {2, "文件打开错误：2"}, {0, "文件打开错误：0"},
      {32, ""}, {42, ""}};
  for (const auto& [result, text] : cases) EXPECT_EQ(ShellOpenErrorText(result), text) << result;
}

struct PageCase {
  std::string page;
  std::vector<TCidFile> pictures;
  std::string expected;
};

TEST(PageWithPictures, FirstLinkReplacedAndBaseTagCommented) {
  const std::vector<PageCase> cases = {
      {"<img src=\"cid:p1\"><img src=\"cid:p1\">", {{"p1", "a.png"}}, "<img src=\"a.png\"><img src=\"cid:p1\">"},
      {"<img src=\"cid:p2\"> cid:p1", {{"p1", "a.png"}, {"p2", "b.gif"}}, "<img src=\"b.gif\"> a.png"},
      {"<BASE href=\"http://x/\"><img src=\"cid:p\">", {{"p", "a.png"}},
       "<!-- <BASE href=\"http://x/\"> --><img src=\"a.png\">"},
      {"<head><base href=x></head>", {{"none", "a.png"}}, "<head><!-- <base href=x> --></head>"},
      {"<BASE href=\"http://x/\">", {}, "<BASE href=\"http://x/\">"},
      {"<img src=cid:p><BASE href=", {{"p", "a.png"}}, "<img src=a.png><BASE href="},
  };
  for (const PageCase& c : cases) EXPECT_EQ(PageWithPictures(c.page, c.pictures), c.expected) << c.page;
}

}  // namespace
