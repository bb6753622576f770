#include "glyphora/tools/compound_character.h"

namespace glyphora {

namespace {

struct Compound {
  char a;
  char b;
  char result;
};

constexpr Compound k_compounds[] = {
    {'+', '-', '+'},  {'+', '|', '+'},  {'-', '|', '+'},  {'/', 'X', 'X'},  {'/', '\\', 'X'},
    {'X', '\\', 'X'}, {'*', '+', '*'},  {'*', '-', '*'},  {'*', '/', '*'},  {'*', 'X', '*'},
    {'*', '\\', '*'}, {'*', '|', '*'},  {'+', '/', '*'},  {'+', 'X', '*'},  {'+', '\\', '*'},
    {'-', 'X', '*'},  {'X', '|', '*'},
    // A straight line across a diagonal one is a star too, as "+" across either is.
    {'-', '/', '*'},  {'-', '\\', '*'}, {'|', '/', '*'},  {'|', '\\', '*'},
};

}  // namespace

unsigned char CompoundCharacter(unsigned char line, unsigned char existing) {
  for (const Compound& c : k_compounds) {
    unsigned char a = static_cast<unsigned char>(c.a);
    unsigned char b = static_cast<unsigned char>(c.b);
    if ((line == a && existing == b) || (line == b && existing == a))
      return static_cast<unsigned char>(c.result);
  }
  return line;
}

}  // namespace glyphora
