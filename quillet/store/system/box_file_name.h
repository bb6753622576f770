// File names of user mailboxes' pairs in the mail root. They are made from the ASCII
// letters, digits, "-" and "_" of the display name (at most 32), so that they are valid
// and alike on every file system; a name with none of those becomes "box". A number is
// appended while the name is taken or is a device name ("con", "com1"...).
#pragma once

#include <functional>
#include <string>

// `taken` says whether a candidate file name (without extension) is already used.
std::string NewBoxFileName(const std::string& displayName, const std::function<bool(const std::string&)>& taken);
// True for a name NewBoxFileName could have made: 1 to 40 of those characters and no
// device name. A list entry naming anything else (a path, "..") is not used.
bool IsPlainBoxFileName(const std::string& fileName);
