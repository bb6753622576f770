#include "quillet/message/composer/compose_settings.h"

#include "quillet/common/gbk.h"

TComposeSettings LoadComposeSettings(const TProfileFile& ini) {
  TComposeSettings s;
  s.CharSet = ini.ReadString("Send", "CharSet", k_defaultCharSet);
  s.Organization = ini.ReadString("Connection", "Organization", "");
  s.UseMIME = ini.ReadInteger("Send", "UseMIME", 1) != 0;
  s.Subject8bit = ini.ReadInteger("Send", "Subject8bit", 1) != 0;
  s.AutoTextEncode = ini.ReadInteger("Send", "AutoTextEncode", 1) != 0;
  return s;
}

std::string CharSetLabel(const std::string& configured, bool eightBit) {
  if (configured.empty()) return eightBit ? k_systemCharSet : k_defaultCharSet;
  if (eightBit && gbk::UpperCase(configured) == gbk::UpperCase(k_defaultCharSet)) return k_systemCharSet;
  return configured;
}
