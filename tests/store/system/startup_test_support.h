// The start-up tests run against the registry the platform gives: natively a registry file
// in the test's scratch folder, under Wine the prefix's own registry, where the keys the
// program writes are removed before and after each test.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "platform/console.h"
#include "platform/registry.h"
#include "tests/store/mailbox/store_test_support.h"

namespace startup_test {

inline const char* const k_programKey = "Software\\Halvard\\Quillet";
inline const char* const k_clientKey = "Software\\Clients\\Mail\\Quillet";
inline const char* const k_mailtoKey = "mailto";

class RegistryScratchTest : public store_test::ScratchTest {
 protected:
  void SetUp() override {
    store_test::ScratchTest::SetUp();
    ASSERT_TRUE(platform::SetEnvironment("QUILLET_REGISTRY", Base("registry")));
    RemoveProgramKeys();
  }
  void TearDown() override {
    RemoveProgramKeys();
    platform::SetEnvironment("QUILLET_REGISTRY", "");
    store_test::ScratchTest::TearDown();
  }

  static void RemoveProgramKeys() {
    ASSERT_TRUE(platform::RegistryDeleteKey(platform::RegistryRoot::LocalMachine, k_programKey));
    ASSERT_TRUE(platform::RegistryDeleteKey(platform::RegistryRoot::LocalMachine, k_clientKey));
    ASSERT_TRUE(platform::RegistryDeleteKey(platform::RegistryRoot::ClassesRoot, k_mailtoKey));
  }
};

// The value's text, "<key missing>" or "<value missing>".
inline std::string RegistryText(platform::RegistryRoot root, const std::string& key, const std::string& name) {
  std::string value;
  switch (platform::RegistryReadString(root, key, name, value)) {
    case platform::RegistryLookup::Found: return value;
    case platform::RegistryLookup::KeyMissing: return "<key missing>";
    case platform::RegistryLookup::ValueMissing: break;
  }
  return "<value missing>";
}

}  // namespace startup_test
