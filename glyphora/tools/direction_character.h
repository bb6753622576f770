// The line character that follows a movement on the page.
#pragma once

namespace glyphora {

// The character for a step of (dx, dy) cells, rows growing downwards: "-" across, "|" up
// or down, "/" rising to the right (or falling to the left), "\" the other diagonal, and
// a space for no movement. Only the signs matter.
char DirectionCharacter(int dx, int dy);

}  // namespace glyphora
