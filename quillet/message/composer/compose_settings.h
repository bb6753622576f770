// The [Send] and [Connection] settings the composer reads when it is created.
#pragma once

#include <string>

#include "quillet/common/profile_file.h"

inline constexpr char k_defaultCharSet[] = "us-ascii";
// The label of 8-bit text in the system code page (GBK, which readers take it for).
inline constexpr char k_systemCharSet[] = "gb2312";

struct TComposeSettings {
  std::string CharSet = k_defaultCharSet;  // charset parameter of the text part
  std::string Organization;
  bool UseMIME = true;         // false: a plain message with uuencoded attachments
  bool Subject8bit = true;     // false: 8-bit subject, organization and names as encoded words
  bool AutoTextEncode = true;  // an 8-bit body goes quoted-printable
};

TComposeSettings LoadComposeSettings(const TProfileFile& ini);

// The charset label of a text: the configured one, except that 8-bit text under the
// default "us-ascii" label is labelled with the system code page's charset.
std::string CharSetLabel(const std::string& configured, bool eightBit);
