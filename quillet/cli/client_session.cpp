#include "quillet/cli/client_session.h"

#include "quillet/common/paths.h"

TClientSession::TClientSession(const TCliContext& ctx, TUserPrompts& prompts) {
  const std::string ini = paths::WithTrailingSeparator(ctx.home) + k_clientIniName;
  // The command line has no version resource of its own to show.
  manager_ = std::make_unique<TSystemManager>(ini, TSystemContext{std::string(), prompts, events_});
}
