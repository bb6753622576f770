// The glyphora-cli commands that make a page and print it.
#pragma once

#include "glyphora/cli/cli_args.h"
#include "glyphora/convert/page_to_text.h"
#include "glyphora/document/page/page.h"

namespace glyphora::cli {

// A core call failed with this system error number; main prints the system's message.
struct SystemFailure {
  int code;
};

// Throws SystemFailure for a nonzero error.
void Check(int error);
// Writes the page to stdout in the given form (copy form with the default notice).
void PrintPage(const Page& page, TextForm form);

int RunText(CliArgs& args);
int RunTable(CliArgs& args);
int RunOpen(CliArgs& args);
int RunCopy(CliArgs& args);
int RunEffect(CliArgs& args);

}  // namespace glyphora::cli
