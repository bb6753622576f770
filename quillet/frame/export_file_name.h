// The file name an export writes: the name the user typed, with the extension of the
// chosen filter entry (k_messageFileFilter) added when the name lacks it.
#pragma once

#include <string>
#include <utility>
#include <vector>

// filterIndex counts from 1 as the file dialog reports it: 1 ".eml", 2 ".msg", 3 ".txt";
// any other entry adds nothing. The name's own extension is compared without regard to
// ASCII case ("A.MSG" keeps its name); a different one stays and gets the filter's
// appended ("a.txt" with entry 2 gives "a.txt.msg").
std::string ExportFileName(const std::string& name, int filterIndex);
// The (description, pattern) pairs of a "description|pattern|..." filter text, as the
// file dialogs take them; a '|' that is the trail byte of a double-byte character does
// not split, and a description without a pattern is dropped.
std::vector<std::pair<std::string, std::string>> FilterEntries(const std::string& filter);
