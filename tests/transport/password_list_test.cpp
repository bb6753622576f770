#include "quillet/transport/password_list.h"

#include <gtest/gtest.h>

namespace {

TEST(PasswordList, SetReplacesAndLookupsAreExact) {
  TPasswordList list;
  list.Set("pop.a", "ann", "one");
  list.Set("pop.b", "ann", "two");
  list.Set("pop.a", "ann", "three");  // replaces, moves to the end
  EXPECT_EQ(list.Count(), 2u);
  struct Case { const char* server; const char* account; bool found; const char* password; };
  const Case cases[] = {{"pop.a", "ann", true, "three"}, {"pop.b", "ann", true, "two"},
                        {"POP.A", "ann", false, ""},     {"pop.a", "Ann", false, ""},
                        {"pop.a", "", false, ""}};
  for (const Case& c : cases) {
    std::string password;
    EXPECT_EQ(list.Get(c.server, c.account, password), c.found) << c.server << "/" << c.account;
    EXPECT_EQ(password, c.password);
    EXPECT_EQ(list.Find(c.server, c.account) != nullptr, c.found);
  }
  list.Remove("pop.a", "ann");
  std::string password;
  EXPECT_FALSE(list.Get("pop.a", "ann", password));
  EXPECT_TRUE(list.Get("pop.b", "ann", password));
  list.Clear();
  EXPECT_EQ(list.Count(), 0u);
}

}  // namespace
