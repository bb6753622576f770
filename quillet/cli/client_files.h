// Where the mail client's files are for the client commands: the ini file in the home
// folder and the mail root it names.
#pragma once

#include <string>

#include "quillet/cli/cli_context.h"

// [System] "mailroot" of the ini file; throws when it names no existing folder.
std::string ClientMailRoot(const TCliContext& ctx);
