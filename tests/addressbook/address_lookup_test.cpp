// Lookups by name, group expansion, the question before an address is replaced, the list
// of books and the expansion of a typed recipient list.
#include <string>
#include <vector>

#include "platform/file.h"
#include "quillet/addressbook/address_books.h"
#include "quillet/addressbook/address_box.h"
#include "quillet/addressbook/address_texts.h"
#include "quillet/addressbook/book_service.h"
#include "quillet/addressbook/recipients.h"
#include "quillet/common/paths.h"
#include "tests/store/mailbox/store_test_support.h"

namespace store_test {
namespace {

// A book of: Tom, tom (the same name in another case), "Lee, Ann", Bob, Friends (a group
// of Tom, "Lee, Ann" and Bob, where Bob was deleted afterwards), and Empty (a group).
class AddressLookup : public ScratchTest {
 protected:
  void SetUp() override {
    ScratchTest::SetUp();
    book_ = std::make_unique<TAddressBox>(Base("book"));
    tom_ = Add("Tom", "tom@example.com");
    Add("tom", "second@example.com");
    ann_ = Add("Lee, Ann", "ann@example.com");
    const std::int32_t bob = Add("Bob", "bob@example.com");
    AddGroup(*book_, "Friends", {"TOM", "Lee, Ann", "bob"});
    AddGroup(*book_, "Empty", {});
    book_->DeleteRecord(bob);
  }
  std::int32_t Add(const std::string& name, const std::string& address) {
    TAddressNote note;
    note.Head.Name = name;
    note.Head.Address = address;
    AddNote(*book_, note);
    return note.Head.Id;
  }
  std::unique_ptr<TAddressBox> book_;
  std::int32_t tom_ = -1;
  std::int32_t ann_ = -1;
};

TEST_F(AddressLookup, NamesAreFoundWithoutRegardToCaseAndTheFirstWins) {
  const struct {
    std::string name;
    std::int32_t id;  // 0: any id, just found
    std::string address;
  } cases[] = {
      {"TOM", 1, "tom@example.com"},       {"tom", 1, "tom@example.com"},
      {"lee, ann", 3, "ann@example.com"},  {"friends", 0, k_textGroupMarker},
      {"Bob", -1, ""},                     {"Nobody", -1, ""},
      {"", -1, ""},
  };
  for (const auto& c : cases) {
    const std::int32_t id = FindId(*book_, c.name);
    if (c.id == 0) EXPECT_NE(id, -1) << c.name;
    else EXPECT_EQ(id, c.id) << c.name;
    EXPECT_EQ(LookupAddress(*book_, c.name), c.address) << c.name;
    TAddressNote note;
    EXPECT_EQ(LoadNoteByName(*book_, c.name, note), c.id != -1) << c.name;
  }
  EXPECT_TRUE(IsGroupMarker(std::string("x") + k_textGroupMarker + "y"));
  EXPECT_FALSE(IsGroupMarker("?~LIST~"));
}

TEST_F(AddressLookup, GroupsExpandToTheCardsThatStillExist) {
  const struct {
    std::string name;
    bool known;
    TStringList list;
  } cases[] = {
      {"friends", true, {"Tom <tom@example.com>", "\"Lee, Ann\" <ann@example.com>"}},
      {"Empty", true, {}},
      {"Nobody", false, {}},
  };
  for (const auto& c : cases) {
    TStringList list;
    EXPECT_EQ(ExpandGroup(*book_, c.name, list), c.known) << c.name;
    EXPECT_EQ(list, c.list) << c.name;
  }
}

TEST_F(AddressLookup, GroupsOfUnknownTakenOrGroupNamesAreRefused) {
  const std::string index = ReadFileBytes(Base("book.IND"));
  const struct {
    std::string name;
    TStringList members;
  } cases[] = {
      {"New", {"Tom", "Bob"}},  // Bob was deleted
      {"New", {"Friends"}},     // a group is no card
      {"FRIENDS", {"Tom"}},     // the name is taken
      {std::string(33, 'g'), {"Tom"}},
  };
  for (const auto& c : cases) EXPECT_THROW(AddGroup(*book_, c.name, c.members), EAddressBookError) << c.name;
  EXPECT_EQ(ReadFileBytes(Base("book.IND")), index);
}

TEST_F(AddressLookup, KnownNamesAreUpdatedOnlyWhenTheUserSaysYes) {
  const struct {
    std::string name;
    std::string address;
    bool answer;
    bool asked;
    bool changed;
    std::string storedName;
    std::string storedAddress;
  } cases[] = {
      {"TOM", "new@example.com", false, true, false, "Tom", "tom@example.com"},
      {"TOM", "new@example.com", true, true, true, "Tom", "new@example.com"},
      {"Carol", "carol@example.com", true, false, true, "Carol", "carol@example.com"},
      // A long name is cut to 32 characters, and found again cut.
      {std::string(40, 'z'), "z@example.com", false, false, true, std::string(32, 'z'), "z@example.com"},
      {std::string(41, 'z'), "z2@example.com", true, true, true, std::string(32, 'z'), "z2@example.com"},
      {"Long", std::string(70, 'a'), true, false, true, "Long", std::string(64, 'a')},
  };
  for (const auto& c : cases) {
    RecordingPrompts prompts(c.answer);
    std::vector<TAddressChange> changes;
    const bool changed = AddOrUpdateAddress(*book_, c.name, c.address, prompts,
                                            [&](const TAddressNote& card, TAddressChange change) {
                                              EXPECT_EQ(card.Head.Address, c.storedAddress);
                                              changes.push_back(change);
                                            });
    EXPECT_EQ(changed, c.changed) << c.name;
    EXPECT_EQ(prompts.asked.size(), c.asked ? 1u : 0u) << c.name;
    std::vector<TAddressChange> expected;
    if (c.changed) expected.push_back(c.asked ? TAddressChange::Updated : TAddressChange::Added);
    EXPECT_EQ(changes, expected) << c.name;
    TAddressNote stored;
    ASSERT_TRUE(LoadNoteByName(*book_, c.storedName, stored)) << c.name;
    EXPECT_EQ(stored.Head.Name, c.storedName);
    EXPECT_EQ(stored.Head.Address, c.storedAddress);
  }
  RecordingPrompts prompts(true);
  AddOrUpdateAddress(*book_, "Tom", "again@example.com", prompts, nullptr);
  EXPECT_EQ(prompts.asked.at(0),
            "地址簿中已经存在名为“Tom”的项，邮件地址为<new@example.com>。\r\n\r\n要更新这个地址吗？");
  EXPECT_THROW(AddOrUpdateAddress(*book_, "Friends", "f@example.com", prompts, nullptr), EAddressBookError);
}

TEST_F(AddressLookup, RecipientListsBecomeAddressesOnce) {
  const struct {
    std::string list;
    TStringList addresses;
    TStringList unknown;
  } cases[] = {
      {"tom, x@example.com", {"tom <tom@example.com>", "x@example.com"}, {}},
      {"Friends, TOM@example.com, \"Lee, Ann\"",
       {"Tom <tom@example.com>", "\"Lee, Ann\" <ann@example.com>"}, {}},
      {"Nobody, Bob <bob@example.com>, Bob", {"Bob <bob@example.com>"}, {"Nobody", "Bob"}},
      {"", {}, {}},
  };
  for (const auto& c : cases) {
    TStringList addresses;
    TStringList unknown;
    ExpandRecipients(*book_, c.list, addresses, unknown);
    EXPECT_EQ(addresses, c.addresses) << c.list;
    EXPECT_EQ(unknown, c.unknown) << c.list;
  }
}

// The manager's service: names of an address in any case; a missing book is neither
// created nor an error, and every name is then unknown.
TEST_F(AddressLookup, TheBookServiceNamesAddressesAndLeavesAMissingBookAlone) {
  TBookAddressService service(Base("book"));
  EXPECT_EQ(service.NameOf("ANN@example.com"), "Lee, Ann");
  EXPECT_EQ(service.NameOf("nobody@example.com"), "");
  TBookAddressService missing(Base("none"));
  TStringList addresses, unknown;
  missing.ExpandRecipients("Tom, x@example.com", addresses, unknown);
  EXPECT_EQ(addresses, TStringList{"x@example.com"});
  EXPECT_EQ(unknown, TStringList{"Tom"});
  EXPECT_EQ(missing.NameOf("tom@example.com"), "");
  EXPECT_FALSE(platform::FileExists(Base("none") + ".IND"));
}

TEST_F(AddressLookup, BooksAreTheDefaultOneAndEveryOtherIndexOfTheFolder) {
  platform::MakeDirectory(Base("Address"));
  const std::string folder = Base("Address") + platform::PathSeparator();
  TIdxFile(folder + "address");  // the default book, listed once
  TIdxFile(folder + "work").SetTitle("同事们");
  TIdxFile(folder + "plain");      // no title: its file name
  WriteFileBytes(folder + "notes.txt", "not a book");
  const std::vector<TAddressBookEntry> books = ListAddressBooks(folder + "address", folder);
  std::vector<std::string> listed;
  for (const TAddressBookEntry& book : books) listed.push_back(book.Title + "=" + paths::FileNamePart(book.BasePath));
  EXPECT_EQ(listed, (std::vector<std::string>{"<默认地址簿>=address", "plain=plain", "同事们=work"}));
}

}  // namespace
}  // namespace store_test
