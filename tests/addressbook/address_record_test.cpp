// Cards and groups written and read back: the record summary and the item text byte for
// byte, the fields read from hand-made texts, and values that do not fit.
#include <string>
#include <vector>

#include "quillet/addressbook/address_box.h"
#include "tests/store/mailbox/store_test_support.h"

namespace store_test {
namespace {

TAddressNote Card(const std::string& name, const std::string& address) {
  TAddressNote note;
  note.Head.Name = name;
  note.Head.Address = address;
  return note;
}

TAddressNote Group(const std::string& name, std::vector<std::int32_t> members, TStringList notes = {}) {
  TAddressNote note;
  note.Head.IsGroup = true;
  note.Head.Name = name;
  note.Members = std::move(members);
  note.Notes = std::move(notes);
  return note;
}

TAddressNote FullCard() {
  TAddressNote note = Card("Tom Lee", "tom@example.com");
  note.HomeTel = "010-1234";
  note.OfficeTel = "010-5678";
  note.Company = std::string(100, 'C');  // any length
  note.HomeAddress = "北京市海淀区";
  note.PostCode = "100080";
  note.Fax = "010-9999";
  note.HomePage = "http://example.com/tom";
  note.Notes = {"Fax: not a field", "", "last line"};  // after the empty line: notes
  return note;
}

void ExpectSameNote(const TAddressNote& a, const TAddressNote& b) {
  EXPECT_EQ(a.Head.Id, b.Head.Id);
  EXPECT_EQ(a.Head.IsGroup, b.Head.IsGroup);
  EXPECT_EQ(a.Head.Name, b.Head.Name);
  EXPECT_EQ(a.Head.Address, b.Head.Address);
  EXPECT_EQ(NoteRecordText(a), NoteRecordText(b));
  EXPECT_EQ(a.Members, b.Members);
  EXPECT_EQ(a.Notes, b.Notes);
}

class AddressRecord : public ScratchTest {};

TEST_F(AddressRecord, NotesAreWrittenAndReadBackByteForByte) {
  const std::string sixteenHanzi = "一二三四五六七八九十甲乙丙丁戊己";  // 32 bytes
  const struct {
    TAddressNote note;
    std::string text;
  } cases[] = {
      {FullCard(),
       "HomeTel: 010-1234\r\nOfficeTel: 010-5678\r\nCompany: " + std::string(100, 'C') +
           "\r\nHomeAddress: 北京市海淀区\r\nPostCode: 100080\r\nFax: 010-9999\r\n"
           "HomePage: http://example.com/tom\r\n\r\nFax: not a field\r\n\r\nlast line\r\n"},
      {Card(sixteenHanzi, std::string(64, 'a')),
       "HomeTel: \r\nOfficeTel: \r\nCompany: \r\nHomeAddress: \r\nPostCode: \r\nFax: \r\nHomePage: \r\n\r\n"},
      {Group("Friends", {1, 2, 30}, {"old classmates"}), "Members: 1\r\n 2\r\n 30\r\n\r\nold classmates\r\n"},
      {Group("Nobody", {}), "Members: \r\n\r\n"},
  };
  TAddressBox book(Base("book"));
  std::string data;
  for (const auto& c : cases) {
    TAddressNote note = c.note;
    AddNote(book, note);
    data += Separator() + c.text;
    EXPECT_EQ(ReadFileBytes(Base("book.BOX")), data) << c.note.Head.Name;

    const std::string index = ReadFileBytes(Base("book.IND"));
    const std::string summary = index.substr(index.size() - 163);
    std::string expected(163, '\0');
    PutInt32At(expected, 0, note.Head.Id);
    expected[4] = note.Head.IsGroup ? 1 : 0;
    expected[5] = static_cast<char>(note.Head.Name.size());
    expected.replace(6, note.Head.Name.size(), note.Head.Name);
    expected[38] = static_cast<char>(note.Head.Address.size());
    expected.replace(39, note.Head.Address.size(), note.Head.Address);
    EXPECT_EQ(summary, expected) << c.note.Head.Name;

    TAddressNote loaded;
    ASSERT_TRUE(LoadNote(book, note.Head.Id, loaded));
    ExpectSameNote(loaded, note);
  }
}

TEST_F(AddressRecord, FieldsAreReadFromHandMadeTexts) {
  const struct {
    bool group;
    std::string text;
    std::string homeTel;
    std::string company;
    std::vector<std::int32_t> members;
    TStringList notes;
  } cases[] = {
      // Fields in any order and case, cut to their widths (24 for HomeTel; Company has none).
      {false, "company: Big\r\nHOMETEL: " + std::string(30, '1') + "\r\n\r\nnote\r\n", std::string(24, '1'), "Big",
       {}, {"note"}},
      // A cut never splits a double-byte character: 23 bytes + one that would end at 25.
      {false, "HomeTel: " + std::string(23, '1') + "中\r\n", std::string(23, '1'), "", {}, {}},
      // Members separated by commas or blanks, continued on further lines; words that are
      // not numbers are skipped.
      {true, "Members: 1, x, 3\r\n 4 5\r\n\r\n", "", "", {1, 3, 4, 5}, {}},
      // No empty line: no notes.
      {false, "Company: Small", "", "Small", {}, {}},
  };
  for (const auto& c : cases) {
    TAddressNote note;
    note.Head.IsGroup = c.group;
    ReadNoteRecordText(c.text, note);
    EXPECT_EQ(note.HomeTel, c.homeTel) << c.text;
    EXPECT_EQ(note.Company, c.company) << c.text;
    EXPECT_EQ(note.Members, c.members) << c.text;
    EXPECT_EQ(note.Notes, c.notes) << c.text;
  }
}

TEST_F(AddressRecord, ValuesThatDoNotFitAreRefusedAndNothingIsWritten) {
  TAddressNote longPostCode = Card("Ann", "ann@example.com");
  longPostCode.PostCode = std::string(17, '1');
  TAddressNote brokenFax = Card("Ann", "ann@example.com");
  brokenFax.Fax = "1\r\nCompany: injected";
  const TAddressNote cases[] = {
      Card(std::string(33, 'n'), "a@example.com"),
      Card("一二三四五六七八九十甲乙丙丁戊己庚", "a@example.com"),  // 34 bytes
      Card("Ann", std::string(65, 'a')),
      Card("", "a@example.com"),
      Card("Line\nbreak", "a@example.com"),
      longPostCode,
      brokenFax,
  };
  TAddressBox book(Base("book"));
  TAddressNote kept = Card("Kept", "kept@example.com");
  AddNote(book, kept);
  const std::string index = ReadFileBytes(Base("book.IND"));
  const std::string data = ReadFileBytes(Base("book.BOX"));
  for (const TAddressNote& c : cases) {
    TAddressNote note = c;
    EXPECT_THROW(AddNote(book, note), EAddressBookError) << c.Head.Name;
    note.Head.Id = kept.Head.Id;
    EXPECT_THROW(UpdateNote(book, note), EAddressBookError) << c.Head.Name;
  }
  EXPECT_EQ(ReadFileBytes(Base("book.IND")), index);
  EXPECT_EQ(ReadFileBytes(Base("book.BOX")), data);
}

TEST_F(AddressRecord, UpdateRewritesTheRecordOfItsIdAndLoadClearsFirst) {
  TAddressBox book(Base("book"));
  TAddressNote tom = FullCard();
  AddNote(book, tom);
  tom.Head.Address = "tom@example.org";
  tom.Notes = {"moved"};
  UpdateNote(book, tom);
  TAddressNote loaded = Group("stale", {7});
  ASSERT_TRUE(LoadNote(book, tom.Head.Id, loaded));
  ExpectSameNote(loaded, tom);
  EXPECT_EQ(book.Header().LastId, 1);

  EXPECT_FALSE(LoadNote(book, 99, loaded));
  ExpectSameNote(loaded, TAddressNote());
  TAddressNote ghost = Card("Ghost", "g@example.com");
  ghost.Head.Id = 99;
  EXPECT_THROW(UpdateNote(book, ghost), EAddressBookError);
}

TEST_F(AddressRecord, DamagedHeadIsAClearErrorAndLosesNothing) {
  TAddressBox book(Base("book"));
  TAddressNote ann = Card("Ann", "ann@example.com");
  TAddressNote bob = Card("Bob", "bob@example.com");
  AddNote(book, ann);
  AddNote(book, bob);
  // Ann's name length byte says 200 in a 32-character field.
  std::string index = ReadFileBytes(Base("book.IND"));
  index[64 + 13 + 5] = static_cast<char>(200);
  WriteFileBytes(Base("book.IND"), index);

  TAddressNote note;
  EXPECT_THROW(LoadNote(book, ann.Head.Id, note), EAddressBookError);
  EXPECT_EQ(FindId(book, "Bob"), bob.Head.Id);
  EXPECT_EQ(FindId(book, "Ann"), -1);
  std::vector<TAddressHead> heads;
  std::vector<std::int32_t> damaged;
  ListHeads(book, heads, damaged);
  ASSERT_EQ(heads.size(), 1u);
  EXPECT_EQ(heads[0].Name, "Bob");
  EXPECT_EQ(damaged, std::vector<std::int32_t>{ann.Head.Id});
  EXPECT_EQ(ReadFileBytes(Base("book.IND")), index);
}

}  // namespace
}  // namespace store_test
