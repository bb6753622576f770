// Filling "%s" places of the system's message patterns.
#include "quillet/common/text_format.h"

#include <gtest/gtest.h>

namespace {

TEST(FormatText, FillsEachPlaceInTurn) {
  const struct {
    const char* pattern;
    std::initializer_list<std::string> values;
    const char* result;
  } cases[] = {
      {"压缩“%s”...", {"收件箱"}, "压缩“收件箱”..."},
      {"是否要清空%s?%s中", {"a", "b"}, "是否要清空a?b中"},
      {"%s%s", {"%s", "x"}, "%sx"},
      {"no place", {"x"}, "no place"},
      {"%s and %s", {"one"}, "one and "},
      {"100%", {}, "100%"},
      {"%d 封邮件保存到：%s", {"3", "收件箱"}, "3 封邮件保存到：收件箱"},
      {"50%x %d", {"7"}, "50%x 7"},
  };
  for (const auto& c : cases) EXPECT_EQ(FormatText(c.pattern, c.values), c.result) << c.pattern;
}

}  // namespace
