#include "glyphora/cli/command_support.h"

#include <cstdio>

#include "glyphora/convert/convert_texts.h"
#include "glyphora/convert/font_grays.h"

namespace glyphora::cli {

void Check(int error) {
  if (error != 0) throw SystemFailure{error};
}

void PrintPage(const Page& page, TextForm form) {
  char* text = nullptr;
  std::int32_t length = 0;
  Check(PageToText(&text, &length, page, form, k_defaultNotice));
  std::fwrite(text, 1, static_cast<std::size_t>(length), stdout);
  Destroy(text);
}

GrayTable MeasuredGrays(const GlobalOptions& options) {
  GrayTable grays;
  Check(CalculateFontGrays(&grays, options.font, options.size));
  Check(CalculateGrayChars(&grays, options.ramp.c_str()));
  return grays;
}

}  // namespace glyphora::cli
