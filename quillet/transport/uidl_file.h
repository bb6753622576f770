// The seen-identifier (UIDL) file of one account: the identifiers of the messages already
// fetched from its server, one per line with CR LF line ends. The mail client writes it,
// the notifier reads it to tell new mail from old.
#pragma once

#include <string>

#include "quillet/common/lines.h"

// The identifiers in file order; empty lines are skipped and either line end is taken. A
// missing file is an empty list; a file that exists but cannot be read throws
// EFileException (kind open or read).
TStringList LoadUidlFile(const std::string& path);

// Gives the file exactly these identifiers in one atomic replacement; an empty list
// deletes the file instead. Throws EFileException (kind write, or delete) with the old file
// left whole when that fails.
void SaveUidlFile(const std::string& path, const TStringList& ids);

// Adds one identifier at the end of the file (made when absent), without flushing: the
// record kept after each stored message, so that a dropped connection does not fetch it
// again. A whole replacement per message would flush the file and its folder every time,
// which costs more than receiving the message. Throws EFileException when it fails.
void AppendUidl(const std::string& path, const std::string& id);

// Deletes the seen-identifier file of an account (a bare file name inside the mail root)
// when it exists: a list left by an account that no longer exists would make a new
// account with the same file name skip its first messages. A name with a folder part is
// left alone. Throws EFileException (kind write) when the file stays.
void DeleteAccountUidlFile(const std::string& mailRoot, const std::string& uidlFile);
