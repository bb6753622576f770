// The settings the manager loads: defaults, stored values and the way back.
#include "quillet/store/system/system_settings.h"

#include <functional>

#include "tests/store/system/system_test_support.h"

namespace system_test {
namespace {

class SystemSettingsTest : public SystemTest {};

struct SettingCase {
  const char* section;
  const char* key;
  const char* stored;                                      // the ini value written for the second run
  std::function<std::string(const TSystemSettings&)> get;  // the setting as text
  const char* defaultValue;
  const char* storedValue;  // what the stored text reads as
};

std::string B(bool b) { return b ? "1" : "0"; }

const SettingCase k_cases[] = {
    {"Receive", "Wordwrap", "1", [](const TSystemSettings& s) { return B(s.Wordwrap); }, "0", "1"},
    {"Receive", "AutoCheck", "7", [](const TSystemSettings& s) { return B(s.AutoCheck); }, "0", "1"},
    {"Receive", "AutoCheckMinutes", "15", [](const TSystemSettings& s) { return std::to_string(s.AutoCheckMinutes); }, "0", "15"},
    {"Receive", "AutoPack", "0", [](const TSystemSettings& s) { return B(s.AutoPack); }, "1", "0"},
    {"Receive", "AutoPackRate", "35", [](const TSystemSettings& s) { return std::to_string(s.AutoPackRate); }, "20", "35"},
    {"Receive", "AutoMarkRead", "0", [](const TSystemSettings& s) { return B(s.AutoMarkRead); }, "1", "0"},
    {"Receive", "AutoReadSeconds", "9", [](const TSystemSettings& s) { return std::to_string(s.AutoReadSeconds); }, "5", "9"},
    {"Receive", "PlaySoundWhenNewMsg", "1", [](const TSystemSettings& s) { return B(s.PlaySoundWhenNewMsg); }, "0", "1"},
    {"Receive", "SoundOnNew", "C:\\ding.wav", [](const TSystemSettings& s) { return s.SoundOnNew; }, "", "C:\\ding.wav"},
    {"Receive", "ShowMailTitle", "0", [](const TSystemSettings& s) { return B(s.ShowMailTitle); }, "1", "0"},
    {"Receive", "LargeButton", "0", [](const TSystemSettings& s) { return B(s.LargeButton); }, "1", "0"},
    {"Network", "TimeOut", "120", [](const TSystemSettings& s) { return std::to_string(s.TimeOut); }, "60", "120"},
    {"Network", "HangupDUN", "1", [](const TSystemSettings& s) { return B(s.HangupDUN); }, "0", "1"},
    {"Network", "AskHangup", "0", [](const TSystemSettings& s) { return B(s.AskHangup); }, "1", "0"},
    {"Network", "ShowProgress", "0", [](const TSystemSettings& s) { return B(s.ShowProgress); }, "1", "0"},
    {"Font", "UseWEB", "0", [](const TSystemSettings& s) { return B(s.UseWEB); }, "1", "0"},
    {"Window Position", "SplitType", "2", [](const TSystemSettings& s) { return std::to_string(s.SplitType); }, "0", "2"},
    {"Window Position", "HSplitPos", "7", [](const TSystemSettings& s) { return std::to_string(s.HSplitPos); }, "140", "7"},
    {"Window Position", "VSplitPos", "19", [](const TSystemSettings& s) { return std::to_string(s.VSplitPos); }, "140", "100"},
    {"Send", "MoveToSentbox", "0", [](const TSystemSettings& s) { return B(s.MoveToSentbox); }, "1", "0"},
    {"Send", "CheckOnSend", "1", [](const TSystemSettings& s) { return B(s.CheckOnSend); }, "0", "1"},
    {"MsgLabel", "LabelRow", "1", [](const TSystemSettings& s) { return B(s.LabelRow); }, "0", "1"},
    {"MsgLabel", "Color1", "16", [](const TSystemSettings& s) { return std::to_string(s.Labels[0].Color); }, "255", "16"},
    {"MsgLabel", "Color2", "17", [](const TSystemSettings& s) { return std::to_string(s.Labels[1].Color); }, "32768", "17"},
    {"MsgLabel", "Color3", "18", [](const TSystemSettings& s) { return std::to_string(s.Labels[2].Color); }, "16711680", "18"},
    {"MsgLabel", "Color4", "19", [](const TSystemSettings& s) { return std::to_string(s.Labels[3].Color); }, "8388608", "19"},
    {"MsgLabel", "Color5", "20", [](const TSystemSettings& s) { return std::to_string(s.Labels[4].Color); }, "65535", "20"},
    {"MsgLabel", "Color6", "21", [](const TSystemSettings& s) { return std::to_string(s.Labels[5].Color); }, "128", "21"},
    {"MsgLabel", "Color7", "22", [](const TSystemSettings& s) { return std::to_string(s.Labels[6].Color); }, "32896", "22"},
    {"MsgLabel", "Label1", "重要", [](const TSystemSettings& s) { return s.Labels[0].Name; }, "标签1", "重要"},
    {"MsgLabel", "Label4", "Home", [](const TSystemSettings& s) { return s.Labels[3].Name; }, "标签4", "Home"},
    {"MsgLabel", "Label7", "x", [](const TSystemSettings& s) { return s.Labels[6].Name; }, "标签7", "x"},
};

TEST_F(SystemSettingsTest, EachSettingHasItsDefaultAndReadsItsStoredValue) {
  const TSetupManager setup(IniPath());
  const TSystemSettings defaults = LoadSystemSettings(setup);
  for (const SettingCase& c : k_cases) setup.WriteString(c.section, c.key, c.stored);
  const TSystemSettings stored = LoadSystemSettings(setup);
  for (const SettingCase& c : k_cases) {
    SCOPED_TRACE(std::string(c.section) + "/" + c.key);
    EXPECT_EQ(c.get(defaults), c.defaultValue);
    EXPECT_EQ(c.get(stored), c.storedValue);
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
