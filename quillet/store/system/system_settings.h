// The settings the system manager loads at creation, with their defaults, and their way
// back into the ini file. Booleans are integer text there, nonzero reading as true.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "quillet/store/system/setup_manager.h"

inline constexpr int k_labelCount = 7;

struct TMsgLabel {
  std::int32_t Color = 0;  // Windows colour 0x00BBGGRR
  std::string Name;
};

struct TSystemSettings {
  // [Receive]
  bool Wordwrap = false;
  bool AutoCheck = false;
  std::int32_t AutoCheckMinutes = 0;
  bool AutoPack = true;
  std::int32_t AutoPackRate = 20;  // percent of wasted space at which a mailbox is compacted
  bool AutoMarkRead = true;
  std::int32_t AutoReadSeconds = 5;
  bool PlaySoundWhenNewMsg = false;
  std::string SoundOnNew;
  bool ShowMailTitle = true;
  bool LargeButton = true;
  // [Network]
  std::int32_t TimeOut = 60;  // seconds
  bool HangupDUN = false;
  bool AskHangup = true;
  bool ShowProgress = true;
  // [Font]
  bool UseWEB = true;
  // [Window Position]
  std::int32_t SplitType = 0;
  std::int32_t HSplitPos = 140;
  std::int32_t VSplitPos = 140;  // a stored value below 20 reads as 100
  // [Send]
  bool MoveToSentbox = true;
  bool CheckOnSend = false;
  // [MsgLabel]
  bool LabelRow = false;
  std::array<TMsgLabel, k_labelCount> Labels = DefaultLabels();

  static std::array<TMsgLabel, k_labelCount> DefaultLabels();
};

// Every setting in table order, then the labels 1 to 7 (Color n, Label n); one read of the file.
TSystemSettings LoadSystemSettings(const TSetupManager& setup);
// Writes every setting back in one replacement of the file; EFileException when it cannot.
void SaveSystemSettings(const TSystemSettings& settings, const TSetupManager& setup);
