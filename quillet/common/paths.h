// Paths in GBK text. One rule for every caller: "\", "/" and ":" (the drive delimiter)
// all separate, and the scan steps over double-byte characters, so a trail byte 0x5C
// or 0x7C is never taken for a separator while a stray lead byte does not hide the
// separator after it (see gbk.h). A ":" counts on every platform: a name taken from a
// message never carries a drive or a Windows alternate data stream along.
#pragma once

#include <cstddef>
#include <string>

namespace paths {

bool IsSeparator(char c);
// Where the file-name part starts: after the last separator, or 0.
std::size_t FileNameStart(const std::string& path);
// The text after the last separator ("C:\dir\a.txt" gives "a.txt", "C:a.txt" "a.txt").
std::string FileNamePart(const std::string& path);
// The text up to and including the last separator ("C:\dir\" of "C:\dir\a.txt"); empty
// without one.
std::string FolderPart(const std::string& path);
// The extension of the file-name part with its dot (".txt"); empty when the name has no
// dot. The last dot counts, and a dot is never a trail byte.
std::string Extension(const std::string& path);
// The path without the extension of its file-name part.
std::string WithoutExtension(const std::string& path);
// True when the last character is "\" or "/" (not the trail byte of a double-byte
// character). A drive alone ("C:") does not end in one: "C:\" is its root, "C:" the
// drive's current folder.
bool EndsWithSeparator(const std::string& path);
// The folder with the platform's separator added when it does not end in one. An empty
// folder stays empty: it names the current folder, and a lone separator the root.
std::string WithTrailingSeparator(const std::string& folder);

}  // namespace paths
