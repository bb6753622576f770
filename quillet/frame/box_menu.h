// The mailbox menu's questions and protections, and the mailbox properties dialog's
// figures. Creating, renaming, deleting, compacting and emptying are the system
// manager's commands; these decide what the window asks and whether it acts at all.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "quillet/common/datetime.h"
#include "quillet/store/system/box_object.h"

// Rename and delete do nothing for a mailbox the system manager protects (the four
// standard ones).
inline bool CanRenameOrDelete(const TBoxObject& box) { return !box.IsStandard(); }
// k_askRenameBox with the mailbox's name.
std::string RenameQuestion(const TBoxObject& box);
// Enciphering or deciphering is refused while a message window shows a message of the
// mailbox: k_boxHasOpenWindows with its name; empty when nothing refuses it.
// openWindowBoxes: the base paths of the mailboxes whose messages are open in windows.
std::string CipherRefusal(const TBoxObject& box, const std::vector<std::string>& openWindowBoxes);

struct TBoxProperties {
  std::string name;
  TDateTime created = 0;
  std::int32_t messageCount = 0;  // live messages
  std::int64_t fileSize = 0;      // index and data file together
  std::int64_t wastedSpace = 0;   // data-file bytes no live message uses
  bool encrypted = false;
};
// Read from the pair's header and a scan of its index (EFileException when the files
// cannot be read).
TBoxProperties BoxProperties(TBoxObject& box);
// The dialog's figures in its order: the name (followed by k_propertyEncrypted when the
// mailbox is enciphered), the creation date (ListDateText), the message count, the file
// size and the wasted space (k_propertyBytes).
std::array<std::string, 5> PropertyTexts(const TBoxProperties& properties);
// What the dialog's check reports for the pair's count of faults (TIdxFile::CheckSeparators).
std::string CheckReport(std::int32_t faults);
