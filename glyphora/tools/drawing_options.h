// The drawing preferences the tools read (kept in the editor's preferences record).
#pragma once

#include <cstdint>

#include "glyphora/tools/brush.h"

namespace glyphora {

constexpr unsigned char k_defaultDrawCharacter = '*';

struct DrawingOptions {
  std::uint16_t pencilBrush = k_defaultPencilBrush;
  std::uint16_t rubberBrush = k_defaultRubberBrush;
  unsigned char character = k_defaultDrawCharacter;  // 0: the shape tools choose
  bool directionMode = false;  // the pencil draws the line character of its movement
  bool compounds = true;       // lines combine with the characters they cross
};

}  // namespace glyphora
