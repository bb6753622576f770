#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "glyphora/convert/text_to_page.h"
#include "platform/system_error.h"
#include "tests/glyphora/page_rows.h"

namespace {

using namespace glyphora;
using glyphora_test::RowsOf;
using glyphora_test::ScopedPage;
using Rows = std::vector<std::string>;

TEST(GlyphoraTextToPage, LaysOutLinesByJustification) {
  struct Case {
    const char* name;
    std::string text;
    int width, limit;
    Justify justify;
    Rows rows;
  };
  const Case cases[] = {
      {"space dropped at the break", "a b", 1, 0, Justify::Left, {"a", "b"}},
      {"full spreads wrapped lines", "ab cd ef gh", 10, 0, Justify::Full, {"ab  cd  ef", "gh........"}},
      {"full uneven spread", "a b c dd", 6, 0, Justify::Full, {"a b  c", "dd...."}},
      {"single line never spread", "ab cd", 10, 0, Justify::Full, {"ab cd....."}},
      {"closed line not spread", "ab cd\r\nef", 10, 0, Justify::Full, {"ab cd.....", "ef........"}},
      {"wrapped word without spaces", "abcdefgh", 4, 0, Justify::Full, {"abcd", "efgh"}},
      {"centre", "ab\r\nabc", 6, 0, Justify::Centre, {"..ab..", ".abc.."}},
      {"right", "ab\r\n", 5, 0, Justify::Right, {"...ab"}},
      {"leading spaces kept", "  x", 4, 0, Justify::Left, {"  x."}},
      {"line limit", "a\rb\rc", 2, 2, Justify::Left, {"a.", "b."}},
      {"bytes as they are", "\x01\xfe", 3, 0, Justify::Left, {"\x01\xfe."}},
      {"nothing", "", 3, 0, Justify::Left, {}},
  };
  for (const Case& c : cases) {
    ScopedPage p;
    ASSERT_EQ(TextToPage(&p.page, c.width, c.limit, c.justify, c.text.data(),
                         static_cast<std::int32_t>(c.text.size())), 0) << c.name;
    EXPECT_EQ(p.page.width, c.width) << c.name;
    EXPECT_EQ(RowsOf(p.page), c.rows) << c.name;
  }
}

TEST(GlyphoraTextToPage, RefusesWidthsAndHeightsAPageCannotHave) {
  std::string many(40000, '\r');
  ScopedPage p;
  EXPECT_EQ(TextToPage(&p.page, 0, 0, Justify::Left, "a", 1), platform::k_ERROR_INVALID_PARAMETER);
  EXPECT_EQ(TextToPage(&p.page, 40000, 0, Justify::Left, "a", 1), platform::k_ERROR_INVALID_PARAMETER);
  EXPECT_EQ(TextToPage(&p.page, 2, 0, Justify::Left, many.data(), 40000), platform::k_ERROR_INVALID_DATA);
  EXPECT_EQ(p.page.cells, nullptr);
}

}  // namespace
