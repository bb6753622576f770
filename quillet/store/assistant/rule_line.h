// The text the rule list shows for one rule: "如果 <conditions>  转移到邮箱：<target>".
#pragma once

#include <string>

#include "quillet/store/assistant/one_action.h"

// The non-empty conditions in field order, each as its label and value ("发件人: a",
// "收件人: b", "抄送: c", "主题: d"), joined by "; ".
std::string RuleConditionsText(const TOneAction& rule);
// The whole line of the rule list.
std::string RuleListLine(const TOneAction& rule);
