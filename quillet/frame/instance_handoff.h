// Start-up of a second copy of the program: what it hands to the running one (the
// copy-data message to its "TF_main" window, then message 2078), and how the running one
// reads it. Exit codes of the start.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

inline constexpr char k_instanceClass[] = "TApplication";  // with the title k_instanceTitle
inline constexpr char k_instanceTitle[] = "Quillet";
inline constexpr char k_mainWindowClass[] = "TF_main";
inline constexpr unsigned k_secondInstanceMessage = 2078;
// The word parameter of 2078: the second argument holds "-" (bit 0), "+" (bit 1).
inline constexpr std::uint32_t k_handOffMinus = 1;
inline constexpr std::uint32_t k_handOffPlus = 2;
// Arguments of this length or longer are not handed over.
inline constexpr std::size_t k_maxHandOffArgument = 512;

// The program ends with these when another copy runs, or when the ini and mail-root
// check fails.
inline constexpr int k_exitOtherInstance = 1;
inline constexpr int k_exitStartupCheck = 2;

struct TInstanceHandOff {
  std::optional<std::string> copyData;        // the first argument, when shorter than 512 bytes
  std::optional<std::uint32_t> flagsMessage;  // 2078's word parameter, when a second argument exists
};

// args without the program name.
TInstanceHandOff HandOffOf(const std::vector<std::string>& args);
// The running copy's side: the argument in a copy-data payload (the bytes up to a NUL);
// none when it is empty or not shorter than 512 bytes.
std::optional<std::string> HandOffArgument(const std::string& payload);
