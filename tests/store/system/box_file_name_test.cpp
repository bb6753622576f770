// File names of new user mailboxes.
#include "quillet/store/system/box_file_name.h"

#include <gtest/gtest.h>

#include <set>

namespace {

TEST(BoxFileName, KeepsPlainCharactersAndAvoidsTakenAndDeviceNames) {
  const std::set<std::string> taken{"Work", "box", "box1", "com"};
  const auto isTaken = [&](const std::string& name) { return taken.count(name) > 0; };
  const struct {
    std::string display;
    const char* file;
  } cases[] = {
      {"Work", "Work1"},
      {"My Box-2_b!", "MyBox-2_b"},
      {"朋友", "box2"},
      {"\xD5\x5C\x41", "A"},  // a trail byte 0x5C is no separator and no character of its own
      {"con", "con1"},
      {"com", "com10"},  // "com1" to "com9" name devices
      {"LPT", "LPT"},
      {"lpt1", "lpt11"},
      {std::string(40, 'x'), "xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx"},
  };
  for (const auto& c : cases) EXPECT_EQ(NewBoxFileName(c.display, isTaken), c.file) << c.display;

  const struct {
    const char* name;
    bool plain;
  } plain[] = {{"Work1", true}, {"a-b_c", true}, {"", false}, {"..", false}, {"a/b", false},
               {"a\\b", false}, {"nul", false}, {"Com3", false}, {"com10", true}};
  for (const auto& p : plain) EXPECT_EQ(IsPlainBoxFileName(p.name), p.plain) << p.name;
  EXPECT_FALSE(IsPlainBoxFileName(std::string(41, 'x')));
}

}  // namespace
