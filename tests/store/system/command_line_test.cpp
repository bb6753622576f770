#include "quillet/store/system/command_line.h"

#include <gtest/gtest.h>

#include "platform/file.h"

#include <string>
#include <vector>

namespace {

struct Case {
  std::vector<std::string> args;
  std::string directory;
  std::string address;
  bool hasZ;
  std::string z;
};

TEST(CommandLine, ThreeSelectors) {
  const Case cases[] = {
      {{}, "", "", false, ""},
      {{"C:\\mail"}, "C:\\mail", "", false, ""},
      {{"-x", "/y", "C:\\first", "D:\\second"}, "C:\\first", "", false, ""},
      {{"mailto:a@b.c", "C:\\dir"}, "C:\\dir", "a@b.c", false, ""},
      {{"MailTo:First@x", "MAILTO:second@x"}, "", "First@x", false, ""},
      {{"MAILTO:"}, "", "", false, ""},
      {{"MAILT", "mailto"}, "MAILT", "", false, ""},
      {{"", "C:\\after-empty"}, "C:\\after-empty", "", false, ""},
      {{"-Zone", "/ztwo", "-q"}, "", "", true, "two"},
      {{"-Z"}, "", "", true, ""},
      {{"-z\xD3\xCA\x5C", "dir"}, "dir", "", true, "\xD3\xCA\x5C"},
      {{"Z", "-", "/"}, "Z", "", false, ""},
  };
  for (const Case& c : cases) {
    const std::string shown = c.args.empty() ? "<none>" : c.args[0];
    EXPECT_EQ(CommandLineDirectory(c.args), c.directory) << shown;
    EXPECT_EQ(CommandLineMailAddress(c.args), c.address) << shown;
    const std::optional<std::string> z = CommandLineZSwitch(c.args);
    EXPECT_EQ(z.has_value(), c.hasZ) << shown;
    if (z) {
      EXPECT_EQ(*z, c.z) << shown;
    }
  }
}

TEST(CommandLine, IniFileIsNamedAfterTheExecutable) {
  const std::string sep(1, platform::PathSeparator());
  const struct {
    const char* directory;
    const char* executable;
    std::string ini;
  } cases[] = {
      {"", "C:\\prog\\quillet.exe", "C:\\prog\\quillet.INI"},
      {"", "C:\\a.b\\quillet", "C:\\a.b\\quillet.INI"},
      {"", "/usr/bin/quillet-cli", "/usr/bin/quillet-cli.INI"},
      {"D:\\data", "C:\\prog\\quillet.exe", "D:\\data" + sep + "quillet.INI"},
      {"D:\\data\\", "C:\\prog\\quillet.exe", "D:\\data\\quillet.INI"},
      {"D:\\\xB1\x5C", "C:\\prog\\quillet.exe", "D:\\\xB1\x5C" + sep + "quillet.INI"},  // trail byte "\\"
  };
  for (const auto& c : cases) EXPECT_EQ(IniFilePath(c.directory, c.executable), c.ini) << c.directory << c.executable;
}

}  // namespace
