// The address book's user-facing and exception texts (GBK bytes once compiled).
#pragma once

// Stands for a group wherever an address is looked up by name.
inline constexpr char k_textGroupMarker[] = "?~LIST~?";
// The default book as the list of books shows it.
inline constexpr char k_textDefaultBookTitle[] = "<默认地址簿>";
// Asked before a stored address is replaced: the name, then the stored address.
inline constexpr char k_textAskUpdateAddress[] =
    "地址簿中已经存在名为“%s”的项，邮件地址为<%s>。\r\n\r\n要更新这个地址吗？";

// EAddressBookError texts; the name, field or id follows.
inline constexpr char k_textDamagedRecord[] = "Damaged address book record: id ";
inline constexpr char k_textNoEntryId[] = "No address book entry with id ";
inline constexpr char k_textNoEntryNamed[] = "No address book entry named ";
inline constexpr char k_textEntryExists[] = "An address book entry of this name exists already: ";
inline constexpr char k_textNotACard[] = "Not a card of the address book: ";
inline constexpr char k_textEmptyName[] = "An address book entry needs a name";
inline constexpr char k_textFieldTooLong[] = "Too long for its field (at most %d characters): ";
inline constexpr char k_textLineBreakInField[] = "A field cannot hold a line break: ";
