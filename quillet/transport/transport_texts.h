// The texts of the mail transport: the scrambling key and its exception text (GBK bytes
// once compiled).
#pragma once

// The key Scramble uses when it is given an empty one.
inline constexpr char k_defaultScrambleKey[] = "~kelPor~";
// Scramble, encoding: no seed gives a text that descrambles back to the password (only
// possible for passwords with NUL or 0xFF bytes).
inline constexpr char k_textCannotScramble[] = "Password can not be scrambled";
