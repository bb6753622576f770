#include "quillet/transport/uidl_file.h"

#include "platform/file.h"
#include "quillet/common/exceptions.h"
#include "quillet/common/stream.h"

TStringList LoadUidlFile(const std::string& path) {
  if (!platform::FileExists(path)) return {};
  TStringList ids;
  for (std::string& line : SplitLines(ReadWholeFile(path)))
    if (!line.empty()) ids.push_back(std::move(line));
  return ids;
}

void SaveUidlFile(const std::string& path, const TStringList& ids) {
  if (ids.empty()) {
    if (platform::FileExists(path) && !platform::FileDelete(path))
      throw EFileException(EFileException::Kind::Delete, path);
    return;
  }
  std::string bytes;
  for (const std::string& id : ids) bytes += id + "\r\n";
  if (!platform::FileReplaceContents(path, bytes.data(), static_cast<std::int32_t>(bytes.size())))
    throw EFileException(EFileException::Kind::Write, path);
}
