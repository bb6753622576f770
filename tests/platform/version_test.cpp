#include "platform/version.h"

#include <gtest/gtest.h>

namespace {

// Windows reads the test executable's own version resource, posix the configured version.
TEST(ProgramVersion, IsTheBuildsVersion) { EXPECT_EQ(platform::ProgramVersionText(), QUILLET_TEST_VERSION); }

}  // namespace
