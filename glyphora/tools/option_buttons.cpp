#include "glyphora/tools/option_buttons.h"

namespace glyphora {

int ButtonHeight(ButtonKind kind) {
  return kind == ButtonKind::BigTextFont ? k_fontChooserHeight : k_optionButtonHeight;
}

int ButtonStack(const ButtonKind* kinds, int count, int top, int* tops) {
  for (int i = 0; i < count; ++i) {
    tops[i] = top;
    top += ButtonHeight(kinds[i]);
  }
  return top;
}

}  // namespace glyphora
