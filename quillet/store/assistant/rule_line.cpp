#include "quillet/store/assistant/rule_line.h"

#include "quillet/store/assistant/assistant_texts.h"

namespace {

void AddCondition(std::string& text, const std::string& label, const std::string& value) {
  if (value.empty()) return;
  if (!text.empty()) text += k_textConditionSeparator;
  text += label + value;
}

// k_textAssiViewLine with its two "%s" filled; the values are never read as formats.
std::string FillLine(const std::string& conditions, const std::string& target) {
  const std::string pattern = k_textAssiViewLine;
  const std::size_t first = pattern.find("%s");
  const std::size_t second = pattern.find("%s", first + 2);
  return pattern.substr(0, first) + conditions + pattern.substr(first + 2, second - first - 2) + target +
         pattern.substr(second + 2);
}

}  // namespace

std::string RuleConditionsText(const TOneAction& rule) {
  std::string text;
  AddCondition(text, k_textConditionFrom, rule.from);
  AddCondition(text, std::string(k_textConditionTo) + k_textConditionNameEnd, rule.to);
  AddCondition(text, std::string(k_textConditionCc) + k_textConditionNameEnd, rule.cc);
  AddCondition(text, std::string(k_textConditionSubject) + k_textConditionNameEnd, rule.subject);
  return text;
}

std::string RuleListLine(const TOneAction& rule) { return FillLine(RuleConditionsText(rule), rule.target); }
