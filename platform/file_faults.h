// Fault injection for tests of crash safety. Every file-changing call of file.h (create,
// write, truncate, flush, delete, rename) asks the installed hook first; when the hook
// answers true the call fails as the system would make it fail. A failing write first
// writes half of its bytes, as a full disk or a crash in the middle leaves it.
//
// Tests only: the hook is empty in the shipped programs, and then costs one test of an
// empty slot per call. Single-threaded like the store that uses it.
#pragma once

#include <functional>

namespace platform {

enum class FileChange { Create, Write, Truncate, Flush, Delete, Rename };

using FileFaultHook = std::function<bool(FileChange change)>;

// Installs the hook (an empty one removes it).
void SetFileFaultHook(FileFaultHook hook);
// Whether the call of this kind is to fail (used by the file calls themselves).
bool FileFaultInjected(FileChange change);

}  // namespace platform
