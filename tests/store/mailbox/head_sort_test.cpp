// The message list's sort by column.
#include <algorithm>
#include <random>

#include "quillet/common/datetime.h"
#include "quillet/store/mailbox/head_sort.h"
#include "tests/store/mailbox/store_test_support.h"

namespace store_test {
namespace {

TDateTime DateOf(int year, int month, int day) {
  TDateTime date = 0;
  EXPECT_TRUE(TryEncodeDate(year, month, day, date));
  return date;
}

std::vector<std::string> Subjects(const THeadList& heads) {
  std::vector<std::string> out;
  for (const auto& head : heads.Items()) out.push_back(head->Subject);
  return out;
}

THeadList ListOf(std::initializer_list<TMailHead> heads) {
  THeadList list;
  for (const TMailHead& head : heads) list.Add(head);
  return list;
}

TMailHead Dated(const std::string& subject, TDateTime date) {
  TMailHead head = Head("x", subject);
  head.Date = date;
  return head;
}

TEST(HeadSort, DateOrdersTwoAndFourDigitYearsTogether) {
  THeadList heads = ListOf({Dated("1999-06", DateOf(1999, 6, 1)), Dated("99-03", DateOf(99, 3, 1)),
                            Dated("2001", DateOf(2001, 1, 1)), Dated("99-09", DateOf(99, 9, 1)),
                            Dated("1998", DateOf(1998, 12, 31))});
  SortHeads(heads, THeadColumn::Date, true);
  EXPECT_EQ(Subjects(heads), (std::vector<std::string>{"1998", "99-03", "1999-06", "99-09", "2001"}));
  SortHeads(heads, THeadColumn::Date, false);
  EXPECT_EQ(Subjects(heads), (std::vector<std::string>{"2001", "99-09", "1999-06", "99-03", "1998"}));
}

TEST(HeadSort, DatesThatHaveNoModuloYearStillSort) {
  // 1900 becomes year 0 and 29 February 2000 a day that year 100 lacks: neither may fail.
  THeadList heads = ListOf({Dated("2000-02-29", DateOf(2000, 2, 29) + 0.5), Dated("1900", DateOf(1900, 1, 1)),
                            Dated("1850", DateOf(1850, 1, 1)), Dated("2000-02-28", DateOf(2000, 2, 28))});
  SortHeads(heads, THeadColumn::Date, true);
  EXPECT_EQ(Subjects(heads), (std::vector<std::string>{"1900", "2000-02-28", "2000-02-29", "1850"}));
}

TEST(HeadSort, NumericAndTextColumns) {
  TMailHead a = Head("bob", "Zeta", true), b = Head("Alice", "alpha", false), c = Head("carol", "Beta", true);
  a.Priority = 5; b.Priority = 1; c.Priority = 3;
  a.Size = 10;    b.Size = 3000000000u; c.Size = 200;
  a.Label = 2;    b.Label = 0;          c.Label = 7;
  THeadList heads = ListOf({a, b, c});
  SortHeads(heads, THeadColumn::Priority, true);
  EXPECT_EQ(Subjects(heads), (std::vector<std::string>{"alpha", "Beta", "Zeta"}));
  SortHeads(heads, THeadColumn::Size, true);
  EXPECT_EQ(Subjects(heads), (std::vector<std::string>{"Zeta", "Beta", "alpha"}));
  SortHeads(heads, THeadColumn::Correspondent, true);
  EXPECT_EQ(Subjects(heads), (std::vector<std::string>{"alpha", "Zeta", "Beta"}));
  SortHeads(heads, THeadColumn::Subject, true);
  EXPECT_EQ(Subjects(heads), (std::vector<std::string>{"alpha", "Beta", "Zeta"}));
  SortHeads(heads, THeadColumn::Subject, false);
  EXPECT_EQ(Subjects(heads), (std::vector<std::string>{"Zeta", "Beta", "alpha"}));
  SortHeads(heads, THeadColumn::Label, true);
  EXPECT_EQ(Subjects(heads), (std::vector<std::string>{"alpha", "Zeta", "Beta"}));
  SortHeads(heads, THeadColumn::Unread, true);
  EXPECT_EQ(heads[0].Subject, "alpha");
  EXPECT_EQ(heads[0].Unread, 0);
}

TEST(HeadSort, TextColumnsFoldOnlyAsciiLetters) {
  // A trail byte may be a letter: these are two different characters.
  EXPECT_LT(CompareHeads(Head("x", "\x81\x41"), Head("x", "\x81\x61"), THeadColumn::Subject), 0);
  EXPECT_GT(CompareHeads(Head("\xB0\x61 A", "s"), Head("\xB0\x41 a", "s"), THeadColumn::Correspondent), 0);
  EXPECT_EQ(CompareHeads(Head("x", "\xD6\xD0 Mail"), Head("x", "\xD6\xD0 mAIL"), THeadColumn::Subject), 0);
  EXPECT_LT(CompareHeads(Head("x", "apple"), Head("x", "Banana"), THeadColumn::Subject), 0);
  EXPECT_LT(CompareHeads(Head("x", "Zeta"), Head("x", "\xB0\xA1"), THeadColumn::Subject), 0);  // letters before Chinese
  THeadList heads = ListOf({Head("x", "\x81\x61"), Head("x", "\x81\x41"), Head("x", "\x81\x61")});
  SortHeads(heads, THeadColumn::Subject, true);
  EXPECT_EQ(Subjects(heads), (std::vector<std::string>{"\x81\x41", "\x81\x61", "\x81\x61"}));
}

TEST(HeadSort, ColumnZeroUnknownColumnAndEmptyListChangeNothing) {
  TMailHead a = Head("b", "first"), b = Head("a", "second");
  THeadList heads = ListOf({a, b});
  SortHeads(heads, THeadColumn::None, true);
  EXPECT_EQ(Subjects(heads), (std::vector<std::string>{"first", "second"}));
  SortHeads(heads, 8, false);
  EXPECT_EQ(Subjects(heads), (std::vector<std::string>{"first", "second"}));
  THeadList empty;
  SortHeads(empty, THeadColumn::Date, true);
  EXPECT_EQ(empty.Count(), 0);
}

TEST(HeadSort, LargeListsWithManyEqualKeys) {
  std::mt19937 random(3);
  std::vector<TMailHead> storage(20000);
  std::vector<TMailHead*> heads;
  for (TMailHead& head : storage) {
    head.Priority = static_cast<std::uint8_t>(1 + random() % 5);
    head.Date = 30000 + random() % 20000 + (random() % 1000) / 1000.0;
    heads.push_back(&head);
  }
  for (int column : {static_cast<int>(THeadColumn::Priority), static_cast<int>(THeadColumn::Date)}) {
    for (bool ascending : {true, false}) {
      TMailBox::SortHeads(heads, column, ascending);
      for (size_t i = 1; i < heads.size(); ++i) {
        int order = CompareHeads(*heads[i - 1], *heads[i], column);
        ASSERT_TRUE(ascending ? order <= 0 : order >= 0) << column << " at " << i;
      }
    }
  }
  std::vector<TMailHead*> sorted = heads;
  std::sort(sorted.begin(), sorted.end());
  std::vector<TMailHead*> all;
  for (TMailHead& head : storage) all.push_back(&head);
  EXPECT_EQ(sorted, all);  // a permutation: nothing lost or doubled
}

TEST(HeadSort, AlreadySortedInputStaysQuick) {
  std::vector<TMailHead> storage(100000);
  std::vector<TMailHead*> heads;
  for (size_t i = 0; i < storage.size(); ++i) {
    storage[i].Size = static_cast<std::uint32_t>(i);
    heads.push_back(&storage[i]);
  }
  SortHeads(heads, THeadColumn::Size, false);  // the middle pivot keeps sorted and reversed input balanced
  EXPECT_EQ(heads.front()->Size, 99999u);
  EXPECT_EQ(heads.back()->Size, 0u);
}

}  // namespace
}  // namespace store_test
