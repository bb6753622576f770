// The marking options that `box mark` and `mark` share:
// --read|--unread|--replied|--unreplied|--label N|--state N, exactly one of them.
#pragma once

#include <string>
#include <vector>

#include "quillet/cli/cli_context.h"
#include "quillet/store/system/mark_change.h"

// The options over the arguments; the ids (and anything else) stay positional.
TCliOptions MarkOptions(const std::vector<std::string>& args);
// The change the options ask for; ECliUsage (with `usage`) unless exactly one is given.
TMarkChange ParseMarkChange(const TCliOptions& options, const std::string& usage);
