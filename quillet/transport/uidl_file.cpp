#include "quillet/transport/uidl_file.h"

#include "platform/file.h"
#include "platform/unique_file.h"
#include "quillet/common/exceptions.h"
#include "quillet/common/paths.h"
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

void AppendUidl(const std::string& path, const std::string& id) {
  const bool exists = platform::FileExists(path);
  platform::UniqueFile file(exists ? platform::FileOpen(path, platform::FileAccess::ReadWrite) : platform::FileCreate(path));
  if (!file.IsOpen()) throw EFileException(exists ? EFileException::Kind::Open : EFileException::Kind::Create, path);
  const std::int64_t end = platform::FileSeek(file.Get(), 0, platform::SeekOrigin::End);
  std::string line = id + "\r\n";
  char last = '\n';
  if (end > 0 && (platform::FileSeek(file.Get(), end - 1, platform::SeekOrigin::Begin) < 0 ||
                  platform::FileRead(file.Get(), &last, 1) != 1))
    throw EFileException(EFileException::Kind::Read, path);
  if (last != '\n') line = "\r\n" + line;  // a last line without its line end keeps its own
  const auto size = static_cast<std::int32_t>(line.size());
  if (end < 0 || platform::FileSeek(file.Get(), end, platform::SeekOrigin::Begin) < 0 ||
      platform::FileWrite(file.Get(), line.data(), size) != size || !file.Close())
    throw EFileException(EFileException::Kind::Write, path);
}

void DeleteAccountUidlFile(const std::string& mailRoot, const std::string& uidlFile) {
  if (uidlFile.empty() || paths::FileNameStart(uidlFile) != 0) return;
  const std::string path = paths::WithTrailingSeparator(mailRoot) + uidlFile;
  if (platform::FileExists(path) && !platform::FileDelete(path)) throw EFileException(EFileException::Kind::Write, path);
}
