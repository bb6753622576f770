// convert gb2big5|big52gb: stdin to stdout through the conversion library.
#include <string>

#include "quillet/cli/cli_context.h"
#include "quillet/message/charset/charset_library.h"

int RunConvertCommand(TCliContext& ctx, TUserPrompts& prompts) {
  if (ctx.args.size() != 1) throw ECliUsage("convert needs gb2big5 or big52gb");
  const std::string& direction = ctx.args[0];
  if (direction != "gb2big5" && direction != "big52gb") {
    throw ECliUsage("unknown conversion " + direction);
  }
  std::string text = ReadInputFile("-");
  TCharsetLibrary library(prompts);
  // The library stops at a NUL byte, so each stretch between NULs goes on its own.
  for (size_t start = 0; start <= text.size();) {
    size_t end = text.find('\0', start);
    if (end == std::string::npos) end = text.size();
    std::string piece = text.substr(start, end - start);
    if (library.ConvertText(piece, direction == "gb2big5") < 0) return 1;
    text.replace(start, piece.size(), piece);
    start = end + 1;
  }
  WriteRaw(text);
  return 0;
}
