// The file name an export writes: the name the user typed, with the extension of the
// chosen filter entry (k_messageFileFilter) added when the name lacks it.
#pragma once

#include <string>

// filterIndex counts from 1 as the file dialog reports it: 1 ".eml", 2 ".msg", 3 ".txt";
// any other entry adds nothing. The name's own extension is compared without regard to
// ASCII case ("A.MSG" keeps its name); a different one stays and gets the filter's
// appended ("a.txt" with entry 2 gives "a.txt.msg").
std::string ExportFileName(const std::string& name, int filterIndex);
