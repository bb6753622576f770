#include "quillet/store/assistant/rule_line.h"

#include "quillet/common/text_format.h"
#include "quillet/store/assistant/assistant_texts.h"

namespace {

void AddCondition(std::string& text, const std::string& label, const std::string& value) {
  if (value.empty()) return;
  if (!text.empty()) text += k_textConditionSeparator;
  text += label + value;
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

std::string RuleListLine(const TOneAction& rule) {
  return FormatText(k_textAssiViewLine, {RuleConditionsText(rule), rule.target});
}
