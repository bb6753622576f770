// MCHSET: converts NUL-terminated GB (simplified, GBK code page) and Big5 (traditional)
// byte strings into each other in place. Built as MCHSET.DLL on Windows and MCHSET.so on
// Linux; the program loads it by name and looks the two functions up.
//
// Each call keeps the byte length: ASCII bytes pass unchanged, a double-byte character
// becomes its counterpart (simplified <-> traditional form, not merely re-encoded), and a
// character without one becomes the full-width question mark of the target code page
// ("？": A1 48 in Big5, A3 BF in GB). A byte that starts no valid pair (a lead byte before
// the NUL or before a byte that cannot trail) is left as it is. The result is the number of
// characters replaced by the question mark; a null pointer gives -1.
//
// Windows: __stdcall (the convention of exported Windows DLL functions), exported
// undecorated through mchset.def; on 64-bit Windows and Linux the platform's only
// convention.
#pragma once

#include <cstdint>

#if defined(_WIN32)
#define MCHSET_CALL __stdcall
#else
#define MCHSET_CALL
#endif

extern "C" {
std::int32_t MCHSET_CALL GBToBig5(char* text);
std::int32_t MCHSET_CALL Big5ToGB(char* text);
}

// The type of both exports, for a program that looks them up.
using TMchsetConvert = std::int32_t(MCHSET_CALL*)(char* text);
