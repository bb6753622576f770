// What the glyphora-cli commands share: failures as exceptions, owned pages, printing.
#pragma once

#include <stdexcept>

#include "glyphora/cli/cli_args.h"
#include "glyphora/convert/gray_table.h"
#include "glyphora/convert/page_to_text.h"
#include "glyphora/document/page/page.h"

namespace glyphora::cli {

// A core call failed with this system error number; main prints the system's message.
struct SystemFailure {
  int code;
};

// A command this build cannot carry out; main prints the reason.
class Refusal : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Throws SystemFailure for a non-zero error number.
void Check(int error);

// A page freed when the command ends.
struct OwnedPage {
  Page page;
  OwnedPage() = default;
  OwnedPage(const OwnedPage&) = delete;
  OwnedPage& operator=(const OwnedPage&) = delete;
  ~OwnedPage() { PageKill(&page); }
};

// Writes the page to stdout in the given form.
void PrintPage(const Page& page, TextForm form);

// The grey table of the display font and ramp the options name.
GrayTable MeasuredGrays(const GlobalOptions& options);

}  // namespace glyphora::cli
