// rules ...: the mail assistant's rule file in the mail root.
#include <string>

#include "quillet/cli/cli_context.h"
#include "quillet/cli/client_session.h"
#include "quillet/store/assistant/assistence.h"

namespace {

std::string Tab() { return "\t"; }

std::string RuleLine(std::size_t index, const TOneAction& rule) {
  return std::to_string(index) + Tab() + (rule.IsEnabled() ? "1" : "0") + Tab() + rule.from + Tab() + rule.to +
         Tab() + rule.cc + Tab() + rule.subject + Tab() + rule.target;
}

int List(const TAssistence& assistant) {
  std::size_t index = 0;
  for (const TOneAction& rule : assistant.Rules()) PrintLine(RuleLine(++index, rule));
  return 0;
}

int Add(TSystemManager& manager, const std::vector<std::string>& args) {
  TCliOptions o(args, {"--disabled"}, {"--from", "--to", "--cc", "--subject", "--target"});
  o.ExpectPositional(0, 0);
  TOneAction rule;
  rule.enabled = o.Has("--disabled") ? 0 : TOneAction::k_enabled;
  rule.from = ArgumentText(o.Value("--from"));
  rule.to = ArgumentText(o.Value("--to"));
  rule.cc = ArgumentText(o.Value("--cc"));
  rule.subject = ArgumentText(o.Value("--subject"));
  rule.target = ArgumentText(o.Value("--target"));
  // The rule editor accepts a rule only with a condition and a target mailbox.
  if (rule.from.empty() && rule.to.empty() && rule.cc.empty() && rule.subject.empty())
    throw ECliUsage("a rule needs at least one of --from, --to, --cc, --subject");
  if (rule.target.empty()) throw ECliUsage("a rule needs --target");
  // The rule editor offers the mailboxes of the set only.
  if (!manager.Boxes().FindByName(rule.target)) throw ECliUsage("no mailbox " + o.Value("--target"));
  TAssistence& assistant = manager.Assistant();
  TActionList rules = assistant.Rules();
  rules.push_back(rule);
  assistant.ReplaceRules(std::move(rules));
  assistant.Save();
  return 0;
}

int Remove(TAssistence& assistant, const std::vector<std::string>& args) {
  TCliOptions o(args, {}, {});
  o.ExpectPositional(1, 1);
  const std::int64_t index = ParseNumber(o.Positional()[0], "N");
  TActionList rules = assistant.Rules();
  if (index < 1 || index > static_cast<std::int64_t>(rules.size()))
    throw ECliUsage("no rule " + o.Positional()[0]);
  rules.erase(rules.begin() + (index - 1));
  assistant.ReplaceRules(std::move(rules));
  assistant.Save();
  return 0;
}

}  // namespace

int RunRulesCommand(TCliContext& ctx, TUserPrompts& prompts) {
  if (ctx.args.empty()) throw ECliUsage("rules needs list, add or remove");
  const std::string what = ctx.args[0];
  const std::vector<std::string> rest(ctx.args.begin() + 1, ctx.args.end());
  TClientSession session(ctx, prompts);
  TAssistence& assistant = session.Manager().Assistant();
  if (assistant.LoadResult().fault != TAssistFault::None)
    prompts.ShowMessage(DescribeAssistFault(assistant.FileName(), assistant.LoadResult()));
  if (what == "list") return List(assistant);
  if (what == "add") return Add(session.Manager(), rest);
  if (what == "remove") return Remove(assistant, rest);
  throw ECliUsage("unknown rules command " + what);
}
