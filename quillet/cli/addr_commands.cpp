// addr: the default address book of the mail client.
//   add NAME ADDRESS     prints "ID TAB added", "ID TAB updated" or "ID TAB kept" (the
//                        question about a known name answered No)
//   group NAME MEMBER... prints the new group's id
//   list                 one line per entry: ID TAB card TAB NAME TAB ADDRESS, or
//                        ID TAB group TAB NAME TAB the member ids separated by blanks
//   lookup NAME          prints the address, or "?~LIST~?" for a group
//   expand LIST          the recipients of a comma-separated list of names, groups and
//                        addresses, one per line
// Unknown names and damaged records are reported on stderr with exit status 1.
#include <string>
#include <vector>

#include "quillet/addressbook/address_box.h"
#include "quillet/addressbook/address_texts.h"
#include "quillet/addressbook/recipients.h"
#include "quillet/cli/client_session.h"

namespace {

using TArgs = std::vector<std::string>;
constexpr char k_addrUsage[] =
    "addr add NAME ADDRESS | addr group NAME MEMBER... | addr list | addr lookup NAME | addr expand LIST";

int Add(TAddressBox& book, const TArgs& args, TUserPrompts& prompts) {
  if (args.size() != 2) throw ECliUsage(k_addrUsage);
  TAddressNote card;
  card.Head.Name = ArgumentText(args[0]);
  card.Head.Address = ArgumentText(args[1]);
  CheckNoteFits(card);  // the command line refuses what the store would cut
  const auto report = [](const TAddressNote& note, TAddressChange change) {
    PrintLine(std::to_string(note.Head.Id) + (change == TAddressChange::Added ? "\tadded" : "\tupdated"));
  };
  if (!AddOrUpdateAddress(book, card.Head.Name, card.Head.Address, prompts, report))
    PrintLine(std::to_string(FindId(book, card.Head.Name)) + "\tkept");
  return 0;
}

int Group(TAddressBox& book, const TArgs& args) {
  if (args.size() < 2) throw ECliUsage(k_addrUsage);
  TStringList members;
  for (size_t i = 1; i < args.size(); ++i) members.push_back(ArgumentText(args[i]));
  PrintLine(std::to_string(AddGroup(book, ArgumentText(args[0]), members)));
  return 0;
}

std::string MemberIds(TAddressBox& book, std::int32_t groupId) {
  TAddressNote group;
  LoadNote(book, groupId, group);
  std::string ids;
  for (std::int32_t id : group.Members) ids += (ids.empty() ? "" : " ") + std::to_string(id);
  return ids;
}

int List(TAddressBox& book, const TArgs& args) {
  if (!args.empty()) throw ECliUsage(k_addrUsage);
  std::vector<TAddressHead> heads;
  std::vector<std::int32_t> damaged;
  ListHeads(book, heads, damaged);
  for (const TAddressHead& head : heads) {
    const std::string rest = head.IsGroup ? "\tgroup\t" + head.Name + "\t" + MemberIds(book, head.Id)
                                          : "\tcard\t" + head.Name + "\t" + head.Address;
    PrintLine(std::to_string(head.Id) + rest);
  }
  for (std::int32_t id : damaged) PrintError(k_textDamagedRecord + std::to_string(id));
  return damaged.empty() ? 0 : 1;
}

int Lookup(TAddressBox& book, const TArgs& args) {
  if (args.size() != 1) throw ECliUsage(k_addrUsage);
  const std::string address = LookupAddress(book, ArgumentText(args[0]));
  if (address.empty()) throw EAddressBookError(k_textNoEntryNamed + ArgumentText(args[0]));
  PrintLine(address);
  return 0;
}

int Expand(TAddressBox& book, const TArgs& args) {
  if (args.size() != 1) throw ECliUsage(k_addrUsage);
  TStringList addresses;
  TStringList unknown;
  ExpandRecipients(book, ArgumentText(args[0]), addresses, unknown);
  for (const std::string& address : addresses) PrintLine(address);
  for (const std::string& name : unknown) PrintError(k_textNoEntryNamed + name);
  return unknown.empty() ? 0 : 1;
}

}  // namespace

int RunAddrCommand(TCliContext& ctx, TUserPrompts& prompts) {
  if (ctx.args.empty()) throw ECliUsage(k_addrUsage);
  TClientSession session(ctx, prompts);
  TAddressBox book(session.Manager().AddressBookPath());
  const std::string& sub = ctx.args[0];
  const TArgs args(ctx.args.begin() + 1, ctx.args.end());
  if (sub == "add") return Add(book, args, prompts);
  if (sub == "group") return Group(book, args);
  if (sub == "list") return List(book, args);
  if (sub == "lookup") return Lookup(book, args);
  if (sub == "expand") return Expand(book, args);
  throw ECliUsage(k_addrUsage);
}
