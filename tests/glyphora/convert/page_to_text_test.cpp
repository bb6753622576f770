#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "glyphora/convert/convert_texts.h"
#include "glyphora/convert/page_to_clip.h"
#include "glyphora/convert/page_to_text.h"
#include "platform/system_error.h"
#include "tests/glyphora/page_rows.h"

namespace {

using namespace glyphora;
using glyphora_test::RowsOf;
using glyphora_test::ScopedPage;
using Rows = std::vector<std::string>;

std::string TextOf(const Page& page, TextForm form, const char* notice) {
  char* text = nullptr;
  std::int32_t length = -1;
  EXPECT_EQ(PageToText(&text, &length, page, form, notice), 0);
  std::string out(text, static_cast<std::size_t>(length));
  EXPECT_EQ(text[length], '\0');
  Destroy(text);
  return out;
}

TEST(GlyphoraPageToText, FileFormKeepsEverythingCopyFormTrims) {
  struct Case {
    const char* name;
    Rows page;
    TextForm form;
    const char* notice;
    std::string text;
  };
  const Case cases[] = {
      {"file form: the whole page", {"a..", "...", "..."}, TextForm::File, "", "a  \r\n   \r\n   \r\n"},
      {"copy form: trimmed, notice centred", {"ab..", ".c..", "...."}, TextForm::Copy, "N",
       "N \r\n  \r\nab\r\n c\r\n"},
      {"copy form: notice wraps", {"abc"}, TextForm::Copy, "Hi you", "Hi \r\nyou\r\n   \r\nabc\r\n"},
      {"copy form: all blank kept", {" .", ".."}, TextForm::Copy, "", "  \r\n  \r\n  \r\n"},
      {"empty page", {}, TextForm::File, "", ""},
  };
  for (const Case& c : cases) {
    ScopedPage p(c.page);
    EXPECT_EQ(TextOf(p.page, c.form, c.notice), c.text) << c.name;
  }
}

TEST(GlyphoraPageToText, DefaultNoticeOverAPageOfTheWholeWidth) {
  ScopedPage p({std::string(60, 'x')});
  std::string expected = "     " + std::string(k_defaultNotice) + "     \r\n" + std::string(60, ' ') +
                         "\r\n" + std::string(60, 'x') + "\r\n";
  EXPECT_EQ(TextOf(p.page, TextForm::Copy, k_defaultNotice), expected);
}

TEST(GlyphoraPageToClip, RoundTripsAndRefusesShortBlocks) {
  ScopedPage p({"ab.", " .c"});
  unsigned char* block = nullptr;
  std::int32_t length = 0;
  ASSERT_EQ(PageToClip(&block, &length, p.page), 0);
  ASSERT_EQ(length, 10);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(block), 4), std::string("\x03\x00\x02\x00", 4));
  ScopedPage back;
  ASSERT_EQ(ClipToPage(&back.page, block, length), 0);
  EXPECT_EQ(RowsOf(back.page), Rows({"ab.", " .c"}));
  struct Case {
    std::string bytes;
    int error;
  };
  const Case cases[] = {
      {std::string("\x01\x00\x01\x00x", 5), 0},
      {std::string("\x01\x00\x01\x00xyz", 7), 0},  // a rounded-up block
      {std::string("\x02\x00\x01\x00x", 5), platform::k_ERROR_INVALID_DATA},
      {std::string("\x01\x00", 2), platform::k_ERROR_INVALID_DATA},
      {std::string("\xff\xff\x01\x00x", 5), platform::k_ERROR_INVALID_DATA},
  };
  for (const Case& c : cases) {
    ScopedPage made;
    EXPECT_EQ(ClipToPage(&made.page, reinterpret_cast<const unsigned char*>(c.bytes.data()),
                         static_cast<std::int32_t>(c.bytes.size())), c.error) << c.bytes.size();
  }
  Destroy(block);
}

}  // namespace
