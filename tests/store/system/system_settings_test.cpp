// The settings the manager loads: defaults, stored values and the way back.
#include "quillet/store/system/system_settings.h"

#include <iterator>
#include <map>

#include "tests/store/system/system_test_support.h"

namespace system_test {
namespace {

class SystemSettingsTest : public SystemTest {};

// Every setting as text under "Section/Key", booleans as 0 or 1.
std::map<std::string, std::string> Flatten(const TSystemSettings& s) {
  auto b = [](bool value) { return std::string(value ? "1" : "0"); };
  auto n = [](std::int32_t value) { return std::to_string(value); };
  std::map<std::string, std::string> m{
      {"Receive/Wordwrap", b(s.Wordwrap)},
      {"Receive/AutoCheck", b(s.AutoCheck)},
      {"Receive/AutoCheckMinutes", n(s.AutoCheckMinutes)},
      {"Receive/AutoPack", b(s.AutoPack)},
      {"Receive/AutoPackRate", n(s.AutoPackRate)},
      {"Receive/AutoMarkRead", b(s.AutoMarkRead)},
      {"Receive/AutoReadSeconds", n(s.AutoReadSeconds)},
      {"Receive/PlaySoundWhenNewMsg", b(s.PlaySoundWhenNewMsg)},
      {"Receive/SoundOnNew", s.SoundOnNew},
      {"Receive/ShowMailTitle", b(s.ShowMailTitle)},
      {"Receive/LargeButton", b(s.LargeButton)},
      {"Network/TimeOut", n(s.TimeOut)},
      {"Network/HangupDUN", b(s.HangupDUN)},
      {"Network/AskHangup", b(s.AskHangup)},
      {"Network/ShowProgress", b(s.ShowProgress)},
      {"Font/UseWEB", b(s.UseWEB)},
      {"Window Position/SplitType", n(s.SplitType)},
      {"Window Position/HSplitPos", n(s.HSplitPos)},
      {"Window Position/VSplitPos", n(s.VSplitPos)},
      {"Send/MoveToSentbox", b(s.MoveToSentbox)},
      {"Send/CheckOnSend", b(s.CheckOnSend)},
      {"MsgLabel/LabelRow", b(s.LabelRow)},
  };
  for (int i = 0; i < k_labelCount; ++i) {
    m["MsgLabel/Color" + n(i + 1)] = n(s.Labels[static_cast<size_t>(i)].Color);
    m["MsgLabel/Label" + n(i + 1)] = s.Labels[static_cast<size_t>(i)].Name;
  }
  return m;
}

struct SettingCase {
  const char* section;
  const char* key;
  const char* defaultValue;
  const char* stored;      // the ini value written for the second reading
  const char* storedRead;  // what it reads as
};

const SettingCase k_cases[] = {
    {"Receive", "Wordwrap", "0", "1", "1"},
    {"Receive", "AutoCheck", "0", "7", "1"},
    {"Receive", "AutoCheckMinutes", "0", "15", "15"},
    {"Receive", "AutoPack", "1", "0", "0"},
    {"Receive", "AutoPackRate", "20", "35", "35"},
    {"Receive", "AutoMarkRead", "1", "0", "0"},
    {"Receive", "AutoReadSeconds", "5", "9", "9"},
    {"Receive", "PlaySoundWhenNewMsg", "0", "1", "1"},
    {"Receive", "SoundOnNew", "", "C:\\ding.wav", "C:\\ding.wav"},
    {"Receive", "ShowMailTitle", "1", "0", "0"},
    {"Receive", "LargeButton", "1", "0", "0"},
    {"Network", "TimeOut", "60", "120", "120"},
    {"Network", "HangupDUN", "0", "1", "1"},
    {"Network", "AskHangup", "1", "0", "0"},
    {"Network", "ShowProgress", "1", "0", "0"},
    {"Font", "UseWEB", "1", "0", "0"},
    {"Window Position", "SplitType", "0", "2", "2"},
    {"Window Position", "HSplitPos", "140", "7", "7"},
    {"Window Position", "VSplitPos", "140", "19", "100"},
    {"Send", "MoveToSentbox", "1", "0", "0"},
    {"Send", "CheckOnSend", "0", "1", "1"},
    {"MsgLabel", "LabelRow", "0", "1", "1"},
    {"MsgLabel", "Color1", "255", "16", "16"},
    {"MsgLabel", "Color2", "32768", "17", "17"},
    {"MsgLabel", "Color3", "16711680", "18", "18"},
    {"MsgLabel", "Color4", "8388608", "19", "19"},
    {"MsgLabel", "Color5", "65535", "20", "20"},
    {"MsgLabel", "Color6", "128", "21", "21"},
    {"MsgLabel", "Color7", "32896", "22", "22"},
    {"MsgLabel", "Label1", "标签1", "重要", "重要"},
    {"MsgLabel", "Label2", "标签2", "b", "b"},
    {"MsgLabel", "Label3", "标签3", "c", "c"},
    {"MsgLabel", "Label4", "标签4", "Home", "Home"},
    {"MsgLabel", "Label5", "标签5", "e", "e"},
    {"MsgLabel", "Label6", "标签6", "f", "f"},
    {"MsgLabel", "Label7", "标签7", "x", "x"},
};

TEST_F(SystemSettingsTest, EachSettingHasItsDefaultAndReadsItsStoredValue) {
  const TSetupManager setup(IniPath());
  const auto defaults = Flatten(LoadSystemSettings(setup));
  for (const SettingCase& c : k_cases) setup.WriteString(c.section, c.key, c.stored);
  const auto stored = Flatten(LoadSystemSettings(setup));
  ASSERT_EQ(defaults.size(), std::size(k_cases));
  for (const SettingCase& c : k_cases) {
    const std::string name = std::string(c.section) + "/" + c.key;
    EXPECT_EQ(defaults.at(name), c.defaultValue) << name;
    EXPECT_EQ(stored.at(name), c.storedRead) << name;
  }
}

TEST_F(SystemSettingsTest, VSplitPosFromTwentyUpIsKept) {
  const TSetupManager setup(IniPath());
  setup.WriteInteger("Window Position", "VSplitPos", 20);
  EXPECT_EQ(LoadSystemSettings(setup).VSplitPos, 20);
}

TEST_F(SystemSettingsTest, SavedSettingsReadBackAndOtherKeysStay) {
  const TSetupManager setup(IniPath());
  setup.WriteString("Connection", "POP3Host", "pop.example.org");
  TSystemSettings settings = LoadSystemSettings(setup);
  settings.AutoPackRate = 44;
  settings.UseWEB = false;
  settings.SoundOnNew = "新邮件.wav";
  settings.Labels[2] = {12345, "家庭"};
  SaveSystemSettings(settings, setup);

  const TSystemSettings back = LoadSystemSettings(setup);
  EXPECT_EQ(back.AutoPackRate, 44);
  EXPECT_FALSE(back.UseWEB);
  EXPECT_EQ(back.SoundOnNew, "新邮件.wav");
  EXPECT_EQ(back.Labels[2].Color, 12345);
  EXPECT_EQ(back.Labels[2].Name, "家庭");
  EXPECT_EQ(setup.ReadString("Connection", "POP3Host", ""), "pop.example.org");
  EXPECT_EQ(setup.ReadString("System", "mailroot", ""), Folder() + "mail");
}

}  // namespace
}  // namespace system_test
