// The reversible password scrambling of the ini file. Scrambled text is upper-case hex:
// two digits for the seed (mixed with the key's byte sum), then two per password byte.
#pragma once

#include <string>

// Encodes (with a random seed, so the result differs from run to run) or decodes the text
// with the key; an empty key is k_defaultScrambleKey. An empty text gives an empty result;
// decoding text that is not hex pairs gives an empty result. Encoding picks a seed whose
// result decodes back to the text, and throws Exception(k_textCannotScramble) if none does.
std::string Scramble(const std::string& text, const std::string& key, bool encode);

// Encoding with a given seed, as Scramble does it. For a text with NUL or 0xFF bytes the
// result may not decode back to the text; Scramble then tries the next seed.
std::string ScrambleWithSeed(const std::string& text, const std::string& key, unsigned char seed);
