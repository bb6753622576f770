// The rule list's line for one rule.
#include "quillet/store/assistant/rule_line.h"

#include <gtest/gtest.h>

namespace {

TOneAction Rule(std::string from, std::string to, std::string cc, std::string subject, std::string target) {
  TOneAction rule;
  rule.from = std::move(from);
  rule.to = std::move(to);
  rule.cc = std::move(cc);
  rule.subject = std::move(subject);
  rule.target = std::move(target);
  return rule;
}

TEST(RuleLineTest, ShowsTheNonEmptyConditionsInFieldOrder) {
  const struct {
    TOneAction rule;
    const char* line;
  } cases[] = {
      {Rule("alice", "", "", "", "工作"), "如果 发件人: alice  转移到邮箱：工作"},
      {Rule("a", "b", "", "周报", "x"), "如果 发件人: a; 收件人: b; 主题: 周报  转移到邮箱：x"},
      {Rule("", "", "carol", "", "x"), "如果 抄送: carol  转移到邮箱：x"},
      // A value holding "%s" is text, not a format.
      {Rule("", "", "", "100%s", "%s"), "如果 主题: 100%s  转移到邮箱：%s"},
  };
  for (const auto& c : cases) EXPECT_EQ(c.line, RuleListLine(c.rule)) << c.line;
}

}  // namespace
