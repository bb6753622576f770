// The GB/Big5 conversion's texts.
#pragma once

// The outside library that converts, as the program asks the system for it.
constexpr const char* k_charsetLibraryName = "MCHSET.DLL";
constexpr const char* k_missingCharsetLibrary = "Missing DLL: MCHSET.DLL";
constexpr const char* k_incorrectCharsetFunction = "Incorrect function in MCHSET.DLL";
