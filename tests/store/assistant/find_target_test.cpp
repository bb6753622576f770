// Matching rules against a message's header lines.
#include "quillet/store/assistant/assistence.h"

#include "tests/store/mailbox/store_test_support.h"

namespace store_test {
namespace {

const TStringList k_header = {
    "From: Alice Example <alice@example.com>",
    "To: bob@example.com",
    "cc: Carol <carol@example.com>",
    "Subject: Weekly xxABCyy report",
};

struct MatchCase {
  const char* name;
  TOneAction rule;
  TStringList header;
  bool matches;
};

TOneAction Conditions(std::string from, std::string to, std::string cc, std::string subject) {
  TOneAction rule;
  rule.from = std::move(from);
  rule.to = std::move(to);
  rule.cc = std::move(cc);
  rule.subject = std::move(subject);
  rule.target = "box";
  return rule;
}

TOneAction Disabled(TOneAction rule, std::uint16_t enabled) {
  rule.enabled = enabled;
  return rule;
}

TEST(OneActionTest, MatchesAsTheConditionsSay) {
  const MatchCase cases[] = {
      {"subject inside a longer word, other case", Conditions("", "", "", "abc"), k_header, true},
      {"all conditions empty", Conditions("", "", "", ""), k_header, false},
      {"disabled", Disabled(Conditions("", "", "", "abc"), 0), k_header, false},
      {"enabled byte is the low byte", Disabled(Conditions("", "", "", "abc"), 0x0100), k_header, false},
      {"other nonzero enabled byte", Disabled(Conditions("", "", "", "abc"), 2), k_header, true},
      {"from display name", Conditions("ALICE EXAMPLE", "", "", ""), k_header, true},
      {"to address", Conditions("", "Bob@Example", "", ""), k_header, true},
      {"cc field name in any case", Conditions("", "", "carol", ""), k_header, true},
      {"condition on the wrong field", Conditions("bob", "", "", ""), k_header, false},
      {"every condition must hold", Conditions("alice", "", "", "nothing"), k_header, false},
      {"all four hold", Conditions("alice", "bob", "carol", "weekly"), k_header, true},
      {"absent field", Conditions("", "", "", "x"), {"From: a@b"}, false},
      {"continuation line joined", Conditions("", "", "", "first second"),
       {"Subject: first", " second"}, true},
      {"encoded word decoded", Conditions("", "", "", "中文"), {"Subject: =?GB2312?B?1tDOxA==?= news"}, true},
      {"encoded word not matched raw", Conditions("", "", "", "1tDO"), {"Subject: =?GB2312?B?1tDOxA==?="}, false},
      {"double-byte condition", Conditions("", "", "", "中文"), {"Subject: 关于中文邮件"}, true},
      // Trail bytes that look like letters neither fold nor start a match.
      {"trail byte is not the letter", Conditions("", "", "", "a"), {"Subject: \x81\x41\x81\x41"}, false},
      {"trail byte does not fold", Conditions("", "", "", "\x81\x61"), {"Subject: \x81\x41"}, false},
      {"same double-byte character", Conditions("", "", "", "\x81\x41"), {"Subject: x\x81\x41y"}, true},
      {"match across a trail byte", Conditions("", "", "", "xa"), {"Subject: \x81xa"}, false},
      {"letter after a character", Conditions("", "", "", "A"), {"Subject: \x81xa"}, true},
  };
  for (const MatchCase& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(c.rule.Matches(c.header), c.matches);
  }
}

class FindTargetTest : public ScratchTest {};

TEST_F(FindTargetTest, FirstMatchingRuleInListOrderWins) {
  TOneAction weekly = Conditions("", "", "", "weekly");
  weekly.target = "Reports";
  TOneAction alice = Conditions("alice", "", "", "");
  alice.target = "Alice";
  TOneAction nobody = Conditions("nobody", "", "", "");
  nobody.target = "Nobody";
  struct Case {
    const char* name;
    TActionList rules;
    std::string target;
  } cases[] = {
      {"earlier wins", {nobody, weekly, alice}, "Reports"},
      {"order reversed", {alice, weekly}, "Alice"},
      {"disabled skipped", {Disabled(weekly, 0), alice}, "Alice"},
      {"no match", {nobody}, ""},
      {"no rules", {}, ""},
  };
  TAssistence assistant(Folder() + "assist.dat");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    assistant.ReplaceRules(c.rules);
    EXPECT_EQ(assistant.FindTarget(k_header), c.target);
  }
}

}  // namespace
}  // namespace store_test
