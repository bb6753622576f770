// The glyphora-cli commands that make a page and print it.
#pragma once

#include "glyphora/cli/cli_args.h"
#include "glyphora/convert/page_to_text.h"
#include "glyphora/document/page/page.h"

namespace glyphora::cli {

int RunText(CliArgs& args);
int RunTable(CliArgs& args);
int RunOpen(CliArgs& args);
int RunCopy(CliArgs& args);
int RunEffect(CliArgs& args, const GlobalOptions& options);

}  // namespace glyphora::cli
