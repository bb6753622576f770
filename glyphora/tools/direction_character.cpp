#include "glyphora/tools/direction_character.h"

namespace glyphora {

char DirectionCharacter(int dx, int dy) {
  if (dx < 0) dy = -dy;  // a step to the left is read as the same diagonal to the right
  if (dx != 0) {
    if (dy == 0) return '-';
    return dy < 0 ? '/' : '\\';
  }
  return dy != 0 ? '|' : ' ';
}

}  // namespace glyphora
