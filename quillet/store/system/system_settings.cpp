#include "quillet/store/system/system_settings.h"

#include "quillet/store/system/system_texts.h"

namespace {

// One setting of the table: exactly one of the three members is set. The default is the
// member's value in a default-constructed TSystemSettings.
struct TSettingField {
  const char* section;
  const char* key;
  bool TSystemSettings::*flag;
  std::int32_t TSystemSettings::*number;
  std::string TSystemSettings::*text;
};

constexpr TSettingField Flag(const char* section, const char* key, bool TSystemSettings::*member) {
  return {section, key, member, nullptr, nullptr};
}
constexpr TSettingField Number(const char* section, const char* key, std::int32_t TSystemSettings::*member) {
  return {section, key, nullptr, member, nullptr};
}
constexpr TSettingField Text(const char* section, const char* key, std::string TSystemSettings::*member) {
  return {section, key, nullptr, nullptr, member};
}

const TSettingField k_settingFields[] = {
    Flag("Receive", "Wordwrap", &TSystemSettings::Wordwrap),
    Flag("Receive", "AutoCheck", &TSystemSettings::AutoCheck),
    Number("Receive", "AutoCheckMinutes", &TSystemSettings::AutoCheckMinutes),
    Flag("Receive", "AutoPack", &TSystemSettings::AutoPack),
    Number("Receive", "AutoPackRate", &TSystemSettings::AutoPackRate),
    Flag("Receive", "AutoMarkRead", &TSystemSettings::AutoMarkRead),
    Number("Receive", "AutoReadSeconds", &TSystemSettings::AutoReadSeconds),
    Flag("Receive", "PlaySoundWhenNewMsg", &TSystemSettings::PlaySoundWhenNewMsg),
    Text("Receive", "SoundOnNew", &TSystemSettings::SoundOnNew),
    Flag("Receive", "ShowMailTitle", &TSystemSettings::ShowMailTitle),
    Flag("Receive", "LargeButton", &TSystemSettings::LargeButton),
    Number("Network", "TimeOut", &TSystemSettings::TimeOut),
    Flag("Network", "HangupDUN", &TSystemSettings::HangupDUN),
    Flag("Network", "AskHangup", &TSystemSettings::AskHangup),
    Flag("Network", "ShowProgress", &TSystemSettings::ShowProgress),
    Flag("Font", "UseWEB", &TSystemSettings::UseWEB),
    Number("Window Position", "SplitType", &TSystemSettings::SplitType),
    Number("Window Position", "HSplitPos", &TSystemSettings::HSplitPos),
    Number("Window Position", "VSplitPos", &TSystemSettings::VSplitPos),
    Flag("Send", "MoveToSentbox", &TSystemSettings::MoveToSentbox),
    Flag("Send", "CheckOnSend", &TSystemSettings::CheckOnSend),
    Flag("MsgLabel", "LabelRow", &TSystemSettings::LabelRow),
};

constexpr char k_sectionMsgLabel[] = "MsgLabel";
// A splitter closer than this to the edge could not be grabbed again.
constexpr std::int32_t k_minSplitPos = 20;
constexpr std::int32_t k_resetSplitPos = 100;
constexpr std::int32_t k_defaultLabelColors[k_labelCount] = {255, 32768, 16711680, 8388608, 65535, 128, 32896};

std::string ColorKey(int index) { return "Color" + std::to_string(index + 1); }
std::string LabelKey(int index) { return "Label" + std::to_string(index + 1); }

}  // namespace

std::array<TMsgLabel, k_labelCount> TSystemSettings::DefaultLabels() {
  std::array<TMsgLabel, k_labelCount> labels;
  for (int i = 0; i < k_labelCount; ++i)
    labels[static_cast<size_t>(i)] = {k_defaultLabelColors[i], k_textLabelPrefix + std::to_string(i + 1)};
  return labels;
}

TSystemSettings LoadSystemSettings(const TSetupManager& setup) {
  const TProfileText file = setup.File().Load();
  const TSystemSettings defaults;
  TSystemSettings settings;
  for (const TSettingField& f : k_settingFields) {
    if (f.flag) settings.*f.flag = file.ReadInteger(f.section, f.key, defaults.*f.flag ? 1 : 0) != 0;
    if (f.number) settings.*f.number = file.ReadInteger(f.section, f.key, defaults.*f.number);
    if (f.text) settings.*f.text = file.ReadString(f.section, f.key, defaults.*f.text);
  }
  if (settings.VSplitPos < k_minSplitPos) settings.VSplitPos = k_resetSplitPos;
  for (int i = 0; i < k_labelCount; ++i) {
    TMsgLabel& label = settings.Labels[static_cast<size_t>(i)];
    label.Color = file.ReadInteger(k_sectionMsgLabel, ColorKey(i), label.Color);
    label.Name = file.ReadString(k_sectionMsgLabel, LabelKey(i), label.Name);
  }
  return settings;
}

void SaveSystemSettings(const TSystemSettings& settings, const TSetupManager& setup) {
  TProfileText file = setup.File().Load();
  for (const TSettingField& f : k_settingFields) {
    if (f.flag) file.WriteInteger(f.section, f.key, settings.*f.flag ? 1 : 0);
    if (f.number) file.WriteInteger(f.section, f.key, settings.*f.number);
    if (f.text) file.WriteString(f.section, f.key, settings.*f.text);
  }
  for (int i = 0; i < k_labelCount; ++i) {
    const TMsgLabel& label = settings.Labels[static_cast<size_t>(i)];
    file.WriteInteger(k_sectionMsgLabel, ColorKey(i), label.Color);
    file.WriteString(k_sectionMsgLabel, LabelKey(i), label.Name);
  }
  setup.File().Store(file);
}
