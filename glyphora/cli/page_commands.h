// The glyphora-cli commands that make a page and print it.
#pragma once

#include "glyphora/cli/cli_args.h"

namespace glyphora::cli {

// A core call failed with this system error number; main prints the system's message.
struct SystemFailure {
  int code;
};

int RunText(CliArgs& args);
int RunTable(CliArgs& args);
int RunOpen(CliArgs& args);
int RunCopy(CliArgs& args);
int RunEffect(CliArgs& args);

}  // namespace glyphora::cli
