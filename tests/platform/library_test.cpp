#include "platform/library.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/console.h"
#include "platform/file.h"

namespace {

// The conversion library is copied beside this program by the build.
TEST(Library, LoadsByNameAndLooksUpExactNames) {
  std::unique_ptr<platform::TLibrary> library = platform::LoadLibraryByName("MCHSET.DLL");
  ASSERT_NE(library, nullptr);
  EXPECT_NE(library->Function("GBToBig5"), nullptr);
  EXPECT_NE(library->Function("Big5ToGB"), nullptr);
  EXPECT_EQ(library->Function("gbtobig5"), nullptr);
  EXPECT_EQ(library->Function("NoSuchFunction"), nullptr);
}

TEST(Library, UnknownOrEmptyNameLoadsNothing) {
  for (const char* name : {"NOSUCH.DLL", ""}) {
    EXPECT_EQ(platform::LoadLibraryByName(name), nullptr) << name;
  }
}

#ifdef QUILLET_TEST_LIBRARY
// A copy of MCHSET in the temporary folder, under a name of its own.
TEST(Library, PosixAlsoLooksInTheFoldersOfTheVariable) {
  constexpr char k_variable[] = "QUILLET_LIBRARY_PATH";
  const std::string saved = platform::GetEnvironment(k_variable);
  const std::string folder = platform::TempFolder();
  const std::string unique = platform::TempFileName(folder, "mchset");
  ASSERT_FALSE(unique.empty());
  const std::string copy = unique + ".so";
  ASSERT_TRUE(platform::FileCopy(QUILLET_TEST_LIBRARY, copy));
  const std::string name = unique.substr(folder.size()) + ".DLL";

  platform::SetEnvironment(k_variable, "");
  EXPECT_EQ(platform::LoadLibraryByName(name), nullptr);
  platform::SetEnvironment(k_variable, "/no/such/folder::" + folder);
  std::unique_ptr<platform::TLibrary> library = platform::LoadLibraryByName(name);
  ASSERT_NE(library, nullptr);
  EXPECT_NE(library->Function("GBToBig5"), nullptr);
  // A name with a folder would leave the searched folders.
  EXPECT_EQ(platform::LoadLibraryByName(copy), nullptr);

  platform::SetEnvironment(k_variable, saved);
  platform::FileDelete(copy);
  platform::FileDelete(unique);
}
#endif

}  // namespace
