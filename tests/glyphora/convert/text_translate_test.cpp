#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "glyphora/convert/text_translate.h"

namespace {

using namespace glyphora;

// The table written out row by row as the look-alikes are listed, '_' for a space.
struct Row {
  int first;
  const char* chars;
};
const Row k_rows[] = {
    {127, "___"},
    {130, ",f,.||^%S<O"},
    {141, "____"},
    {145, "''\"\"*--~ts>o"},
    {157, "__Y_"},
    {161, "!cE*Y|S\"ca<--R-"},
    {176, "o+23'uP.,1o>423?"},
    {192, "AAAAAAACEEEEIIII"},
    {208, "DNOOOOOx0UUUUYpB"},
    {224, "aaaaaaaceeeeiiii"},
    {240, "dnooooo-ouuuuypy"},
};

TEST(GlyphoraTextTranslate, EveryByteMapsAsTheTableSays) {
  std::string expected(256, '?');
  for (int c = 0; c < 32; ++c) expected[static_cast<std::size_t>(c)] = ' ';
  expected[3] = '\r';
  expected[9] = '\t';
  expected[10] = '\n';
  expected[13] = '\r';
  for (int c = 32; c < 127; ++c) expected[static_cast<std::size_t>(c)] = static_cast<char>(c);
  for (const Row& row : k_rows)
    for (int i = 0; row.chars[i] != '\0'; ++i)
      expected[static_cast<std::size_t>(row.first + i)] = row.chars[i] == '_' ? ' ' : row.chars[i];
  // Every entry set: the only '?' left are 63 itself and 191, whose look-alike it is.
  ASSERT_EQ(std::count(expected.begin(), expected.end(), '?'), 2);
  std::string text(256, '\0');
  for (int c = 0; c < 256; ++c) text[static_cast<std::size_t>(c)] = static_cast<char>(c);
  TextTranslate(&text[0], 256);
  for (int c = 0; c < 256; ++c) EXPECT_EQ(text[static_cast<std::size_t>(c)], expected[static_cast<std::size_t>(c)]) << c;
}

}  // namespace
