// The glyphora-cli commands that measure the display font: picture and grays.
#pragma once

#include "glyphora/cli/cli_args.h"

namespace glyphora::cli {

// picture FILE --columns N --rows N [--mode direct|proportional|free]
int RunPicture(CliArgs& args, const GlobalOptions& options);
// grays: "fontWidth fontHeight", then "i charPixels charGrays grayChars" for each byte.
int RunGrays(CliArgs& args, const GlobalOptions& options);

}  // namespace glyphora::cli
