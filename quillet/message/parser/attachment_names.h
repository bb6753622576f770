// Attachment file names come from the message, that is from its sender. Before such a
// name is used to create a file it is cut down to a bare file name that stays inside
// the folder it is written to on Windows and on Linux.
#pragma once

#include <string>

// The safe form of a name from a message (GBK bytes):
// - only the part after the last "\", "/" or ":" is kept (no folders, drives, shares);
// - characters Windows forbids in file names (< > : " / \ | ? * and control characters)
//   become "_";
// - leading spaces and trailing dots and spaces are dropped, so ".." and "x. " cannot
//   name a folder or an unexpected file;
// - device names (CON, PRN, AUX, NUL, COM0-9, LPT0-9, CONIN$, CONOUT$, with or without
//   an extension) get a leading "_";
// - names longer than 200 bytes are shortened, keeping a short extension.
// GBK double-byte characters are kept as they are: their trail byte (0x40-0xFE, so also
// "\" and "|") is never a separator nor a forbidden character.
// An empty name stays empty; a name with nothing usable left becomes "unknown".
std::string SafeAttachmentName(const std::string& name);
