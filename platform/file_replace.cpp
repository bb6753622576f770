// The atomic replacement is the same on every platform: it needs nothing but the file
// interface (whose rename replaces the target in one step and is write-through).
#include "platform/file.h"
#include "platform/unique_file.h"

namespace platform {

namespace {

bool WriteFlushed(const std::string& path, const void* data, std::int32_t count) {
  UniqueFile out(FileCreateNew(path));
  if (!out.IsOpen()) return false;
  if (count > 0 && FileWrite(out.Get(), data, count) != count) return false;
  if (!FileFlush(out.Get())) return false;
  return out.Close();
}

}  // namespace

bool FileReplaceContents(const std::string& path, const void* data, std::int32_t count) {
  if (count < 0) return false;
  const std::string temporary = path + ".$$$";
  FileDelete(temporary);  // a leftover of an earlier crash; its absence is fine
  if (WriteFlushed(temporary, data, count) && FileRename(temporary, path)) return true;
  FileDelete(temporary);
  return false;
}

}  // namespace platform
