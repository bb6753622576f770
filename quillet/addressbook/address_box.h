// TAddressBox: an address book, a pair of the mailbox file format whose items are cards
// and groups (address_note.h). It keeps no counters. The operations below open and close
// the pair like every TIdxFile operation; lookups scan the index in file order.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "quillet/addressbook/address_note.h"
#include "quillet/common/lines.h"
#include "quillet/common/user_prompts.h"
#include "quillet/store/mailbox/idx_file.h"

class TAddressBox : public TIdxFile {
 public:
  // Opens (creating) the book over the base path.
  explicit TAddressBox(const std::string& basePath) : TIdxFile(basePath) {}
};

// Writes the note's text, appends it and stores the new id in the note. Raises
// EAddressBookError when a value does not fit its field (nothing is written).
void AddNote(TAddressBox& book, TAddressNote& note);
// Rewrites the record of the note's id; EAddressBookError when it has no live record.
void UpdateNote(TAddressBox& book, const TAddressNote& note);
// Clears the note, then fills it when the id has a live record; true then.
bool LoadNote(TAddressBox& book, std::int32_t id, TAddressNote& note);
// The id of the first live record whose name equals name without regard to case, or -1.
// Damaged records are passed over.
std::int32_t FindId(TAddressBox& book, const std::string& name);
bool LoadNoteByName(TAddressBox& book, const std::string& name, TAddressNote& note);
// The address of the first record of that name, k_textGroupMarker for a group, empty
// when there is none.
std::string LookupAddress(TAddressBox& book, const std::string& name);
bool IsGroupMarker(const std::string& text);
// False when the name is unknown. Else adds name + " <" + address + ">" for each member
// that is still a card of the book (the name in double quotes when it holds a comma).
bool ExpandGroup(TAddressBox& book, const std::string& name, TStringList& list);
// The heads of the live records in file order; the ids of damaged ones go to damaged.
void ListHeads(TAddressBox& book, std::vector<TAddressHead>& heads, std::vector<std::int32_t>& damaged);

// Appends a group of the named cards (each found as FindId finds it) and returns its id.
// EAddressBookError, with nothing written, when the name is taken, a member is unknown or
// a group, or a name does not fit its field.
std::int32_t AddGroup(TAddressBox& book, const std::string& name, const TStringList& memberNames);

enum class TAddressChange { Added, Updated };
using TAddressNotify = std::function<void(const TAddressNote& card, TAddressChange change)>;
// A new name (cut to 32 characters) becomes a card with the address (cut to 64), and
// notify says Added. For a known name the user is asked whether to replace the stored
// address; on Yes it is replaced and notify says Updated, on No nothing changes.
// Returns whether the book changed.
bool AddOrUpdateAddress(TAddressBox& book, const std::string& name, const std::string& address,
                        TUserPrompts& prompts, const TAddressNotify& notify);
