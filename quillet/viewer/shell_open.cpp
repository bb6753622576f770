#include "quillet/viewer/shell_open.h"

#include "quillet/common/text_format.h"
#include "quillet/viewer/viewer_texts.h"

std::string ShellOpenErrorText(int result) {
  if (result >= 32) return {};
  if (result == k_shellNoAssociation) return viewer_texts::k_noAssociation;
  return FormatText(viewer_texts::k_fileOpenError, {std::to_string(result)});
}
