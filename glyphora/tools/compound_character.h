// What a line leaves where it crosses a character already on the page.
#pragma once

namespace glyphora {

// The character written when line character line falls on a cell holding existing
// (pairs are unordered): "+" for two of "+ - |", "X" for two of "/ X \", "*" for "*"
// with any of those and for one of "+ - |" with one of "/ X \"; any other pair (a
// character twice, or one not named) keeps line.
unsigned char CompoundCharacter(unsigned char line, unsigned char existing);

}  // namespace glyphora
