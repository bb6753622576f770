#include <gtest/gtest.h>

#include "quillet/message/header/header_utils.h"

namespace {

// GBK 0x815C: a double-byte character whose trail byte is the backslash.
const std::string k_trailBackslash = "\x81\x5C";

TEST(SplitCommaList, CommasInsideQuotesBelongToTheItem) {
  TStringList items;
  SplitCommaList("\"Smith, John\" <john@x.com>, jane@y.com (Jane) ,, ", items);
  EXPECT_EQ(items, (TStringList{"\"Smith, John\" <john@x.com>", "jane@y.com (Jane)"}));
}

TEST(SplitCommaList, AddsToTheListAndDropsEmptyItems) {
  TStringList items = {"first"};
  SplitCommaList(" , ,", items);
  SplitCommaList("a", items);
  EXPECT_EQ(items, (TStringList{"first", "a"}));
}

TEST(SplitCommaList, EscapedQuoteAndDoubleByteBackslashDoNotEndAQuote) {
  TStringList items;
  SplitCommaList("\"a \\\" , b\" <x@y>, c@d", items);
  EXPECT_EQ(items, (TStringList{"\"a \\\" , b\" <x@y>", "c@d"}));
  items.clear();
  // A naive scan reads the trail byte as an escape, hides the closing quote and swallows
  // the comma.
  SplitCommaList("\"" + k_trailBackslash + "\" <x@y>, c@d", items);
  EXPECT_EQ(items, (TStringList{"\"" + k_trailBackslash + "\" <x@y>", "c@d"}));
}

TEST(SplitCommaList, UnclosedQuoteKeepsTheRestTogether) {
  TStringList items;
  SplitCommaList("a@b, \"open, c@d", items);
  EXPECT_EQ(items, (TStringList{"a@b", "\"open, c@d"}));
}

TEST(FirstAddressItem, TakesItemsOneByOne) {
  std::string list = " \"Smith, John\" <j@x> ,  b@c , d@e ";
  EXPECT_EQ(FirstAddressItem(list), "\"Smith, John\" <j@x>");
  EXPECT_EQ(list, "b@c , d@e");
  EXPECT_EQ(FirstAddressItem(list), "b@c");
  EXPECT_EQ(FirstAddressItem(list), "d@e");
  EXPECT_EQ(list, "");
  EXPECT_EQ(FirstAddressItem(list), "");
}

TEST(DisplayNameOf, QuotedNameWithCommaLosesItsQuotes) {
  EXPECT_EQ(DisplayNameOf("\"Smith, John\" <john@x.com>"), "Smith, John");
  EXPECT_EQ(DisplayNameOf("\"John \\\"JJ\\\" Smith\" <j@x>"), "John \"JJ\" Smith");
  EXPECT_EQ(DisplayNameOf("\"张三\" <zhang@x.cn>"), "张三");
}

TEST(DisplayNameOf, PlainAndCommentNames) {
  EXPECT_EQ(DisplayNameOf("John Smith <john@x.com>"), "John Smith");
  EXPECT_EQ(DisplayNameOf("(John) <john@x.com>"), "John");
  EXPECT_EQ(DisplayNameOf("john@x.com (John Smith)"), "John Smith");
  EXPECT_EQ(DisplayNameOf("john@x.com (John (Jr) Smith)"), "John (Jr) Smith");
}

TEST(DisplayNameOf, NoNameGivesTheAddress) {
  EXPECT_EQ(DisplayNameOf("<john@x.com>"), "john@x.com");
  EXPECT_EQ(DisplayNameOf("  \"\" <john@x.com>"), "john@x.com");
  EXPECT_EQ(DisplayNameOf("john@x.com"), "john@x.com");
  EXPECT_EQ(DisplayNameOf("john@x.com ()"), "john@x.com ()");
}

TEST(DisplayNameOf, AngleBracketInsideQuotesIsPartOfTheName) {
  EXPECT_EQ(DisplayNameOf("\"a<b>c\" <real@x>"), "a<b>c");
  EXPECT_EQ(AddressOf("\"a<b>c\" <real@x>"), "real@x");
}

TEST(AddressOf, TakesTheBareAddress) {
  EXPECT_EQ(AddressOf("\"Smith, John\" < john@x.com >"), "john@x.com");
  EXPECT_EQ(AddressOf("john@x.com (John (Jr) Smith)"), "john@x.com");
  EXPECT_EQ(AddressOf("john@x.com (John Smith)"), "john@x.com");
  EXPECT_EQ(AddressOf("\"John\" john@x.com"), "john@x.com");
  EXPECT_EQ(AddressOf("(c1) john@x.com (c2)"), "john@x.com");
  EXPECT_EQ(AddressOf("plain@x.com"), "plain@x.com");
  EXPECT_EQ(AddressOf("\"unclosed john@x.com"), "");
}

TEST(AddressOf, ManyQuotedPartsAndCommentsAreAllTakenOut) {
  std::string item;
  for (int i = 0; i < 20000; ++i) item += "\"q\"(c)";
  EXPECT_TRUE(AddressOf(item + " box@host") == "box@host");
  // A comment that never closes stays; quoted parts after it still go.
  EXPECT_EQ(AddressOf("box@host (open \"q\""), "box@host (open");
}

TEST(SplitAddresses, JoinsAddressesAndNames) {
  std::string addresses, names;
  SplitAddresses("\"Smith, John\" <john@x.com>, jane@y.com (Jane), bob@z.com", addresses, names);
  EXPECT_EQ(addresses, "john@x.com, jane@y.com, bob@z.com");
  EXPECT_EQ(names, "Smith, John, Jane, bob@z.com");
}

TEST(SplitAddresses, EachTextIsCutAt255BytesOnACharacterBoundary) {
  std::string list;
  for (int i = 0; i < 40; ++i) list += "\"名字" + std::to_string(i) + "\" <user" + std::to_string(i) + "@host.com>, ";
  std::string addresses, names;
  SplitAddresses(list, addresses, names);
  EXPECT_LE(addresses.size(), 255u);
  EXPECT_GE(addresses.size(), 240u);
  EXPECT_EQ(addresses.compare(0, 24, "user0@host.com, user1@ho"), 0);
  EXPECT_LE(names.size(), 255u);
  // An odd single byte at the end would be half of a double-byte character.
  std::string cut = names.substr(names.rfind(' ') + 1);
  int highBytes = 0;
  for (char c : cut) highBytes += static_cast<unsigned char>(c) >= 0x80;
  EXPECT_EQ(highBytes % 2, 0);

  std::string oneLong(300, 'a');
  SplitAddresses(oneLong, addresses, names);
  EXPECT_EQ(addresses, std::string(255, 'a'));
  EXPECT_EQ(names, std::string(255, 'a'));
}

TEST(SplitAddresses, EmptyListGivesEmptyTexts) {
  std::string addresses = "old", names = "old";
  SplitAddresses(" , ", addresses, names);
  EXPECT_EQ(addresses, "");
  EXPECT_EQ(names, "");
}

TEST(ParseEnvelope, DecodesSendersAndSplitsRecipients) {
  TStringList header = {
      "From: =?gb2312?Q?=D5=C5=C8=FD?= <zhang@x.cn>",
      "Sender: s@x.cn",
      "Reply-To: r@x.cn",
      "To: a@b,",
      " \"C, D\" <c@d>",
      "Cc: e@f",
      "Subject: x",
  };
  TEnvelope envelope = ParseEnvelope(header);
  EXPECT_EQ(envelope.From, "张三 <zhang@x.cn>");
  EXPECT_EQ(envelope.Sender, "s@x.cn");
  EXPECT_EQ(envelope.ReplyTo, "r@x.cn");
  EXPECT_EQ(envelope.To, (TStringList{"a@b", "\"C, D\" <c@d>"}));
  EXPECT_EQ(envelope.Cc, (TStringList{"e@f"}));
}

TEST(ParseEnvelope, MissingFieldsAreEmpty) {
  TEnvelope envelope = ParseEnvelope({"Subject: only"});
  EXPECT_EQ(envelope.From, "");
  EXPECT_EQ(envelope.ReplyTo, "");
  EXPECT_TRUE(envelope.To.empty());
  EXPECT_TRUE(envelope.Cc.empty());
}

TEST(TRuntimeAddress, LooksUpByExactName) {
  TRuntimeAddress book;
  book.Add("张三", "zhang@x.cn");
  book.Add("Bob", "bob@y.com");
  EXPECT_EQ(book.Count(), 2);
  EXPECT_EQ(book.Find("张三"), "zhang@x.cn");
  EXPECT_TRUE(book.Contains("Bob"));
  EXPECT_FALSE(book.Contains("bob"));
  EXPECT_EQ(book.Find("bob"), "");
  EXPECT_EQ(book.Item(1).second, "bob@y.com");
}

TEST(TRuntimeAddress, AddingANameAgainReplacesItsAddress) {
  TRuntimeAddress book;
  book.Add("Bob", "old@y.com");
  book.Add("Bob", "new@y.com");
  EXPECT_EQ(book.Count(), 1);
  EXPECT_EQ(book.Find("Bob"), "new@y.com");
}

TEST(TRuntimeAddress, RemoveAndClear) {
  TRuntimeAddress book;
  book.Add("a", "1");
  book.Add("b", "2");
  EXPECT_FALSE(book.Remove("A"));
  EXPECT_TRUE(book.Remove("a"));
  EXPECT_FALSE(book.Remove("a"));
  EXPECT_EQ(book.Count(), 1);
  EXPECT_EQ(book.Item(0).first, "b");
  book.Clear();
  EXPECT_EQ(book.Count(), 0);
}

TEST(TRuntimeAddress, EntriesAreCutAt255Bytes) {
  TRuntimeAddress book;
  const std::string longName = std::string(254, 'n') + "名";
  book.Add(longName, std::string(300, 'a'));
  EXPECT_EQ(book.Item(0).first, std::string(254, 'n'));
  EXPECT_EQ(book.Item(0).second, std::string(255, 'a'));
  EXPECT_EQ(book.Find(longName), std::string(255, 'a'));
}

}  // namespace
