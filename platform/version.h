// The running program's version as text ("0.9.0.0").
#pragma once

#include <string>

namespace platform {

// win32: the file version of the executable's version resource; empty when it has none.
// posix: the version the build was configured with.
std::string ProgramVersionText();

}  // namespace platform
