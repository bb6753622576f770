#include "quillet/cli/mark_options.h"

namespace {

std::uint16_t ParseRanged(const std::string& text, const std::string& what, std::int64_t max) {
  const std::int64_t n = ParseNumber(text, what);
  if (n < 0 || n > max) throw ECliUsage(what + " must be 0.." + std::to_string(max));
  return static_cast<std::uint16_t>(n);
}

}  // namespace

TCliOptions MarkOptions(const std::vector<std::string>& args) {
  return TCliOptions(args, {"--read", "--unread", "--replied", "--unreplied"}, {"--label", "--state"});
}

TMarkChange ParseMarkChange(const TCliOptions& o, const std::string& usage) {
  const int given = o.Has("--read") + o.Has("--unread") + o.Has("--replied") + o.Has("--unreplied") +
                    o.HasValue("--label") + o.HasValue("--state");
  if (given != 1) throw ECliUsage(usage);
  if (o.Has("--read")) return {TMarkField::Unread, 0};
  if (o.Has("--unread")) return {TMarkField::Unread, 1};
  if (o.Has("--replied")) return {TMarkField::Replied, 1};
  if (o.Has("--unreplied")) return {TMarkField::Replied, 0};
  if (o.HasValue("--label")) return {TMarkField::Label, ParseRanged(o.Value("--label"), "label", 65535)};
  return {TMarkField::State, ParseRanged(o.Value("--state"), "state", 255)};
}
