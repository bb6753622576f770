#include "quillet/common/profile_file.h"

#include <limits>

#include "platform/file.h"
#include "platform/unique_file.h"
#include "quillet/common/exceptions.h"

namespace {

constexpr std::int32_t k_readChunk = 65536;

std::string ReadAll(const std::string& path) {
  std::string bytes;
  platform::UniqueFile file(platform::FileOpen(path, platform::FileAccess::Read));
  if (!file.IsOpen()) return bytes;
  char buffer[k_readChunk];
  for (std::int32_t n; (n = platform::FileRead(file.Get(), buffer, k_readChunk)) > 0;) bytes.append(buffer, n);
  return bytes;
}

}  // namespace

TProfileText TProfileFile::Load() const { return TProfileText(ReadAll(path_)); }

void TProfileFile::Store(const TProfileText& text) const {
  const std::string bytes = text.Bytes();
  if (bytes.size() > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max()) ||
      !platform::FileReplaceContents(path_, bytes.data(), static_cast<std::int32_t>(bytes.size())))
    throw EFileException(EFileException::Kind::Write, path_);
}

template <typename Change>
void TProfileFile::Edit(Change change) const {
  const std::string before = ReadAll(path_);
  TProfileText text(before);
  change(text);
  if (text.Bytes() != before) Store(text);  // an erase in a missing file creates nothing
}

std::string TProfileFile::ReadString(const std::string& section, const std::string& key,
                                     const std::string& defaultValue) const {
  return Load().ReadString(section, key, defaultValue);
}

std::int32_t TProfileFile::ReadInteger(const std::string& section, const std::string& key,
                                       std::int32_t defaultValue) const {
  return Load().ReadInteger(section, key, defaultValue);
}

void TProfileFile::WriteString(const std::string& section, const std::string& key, const std::string& value) const {
  Edit([&](TProfileText& text) { text.WriteString(section, key, value); });
}

void TProfileFile::WriteInteger(const std::string& section, const std::string& key, std::int32_t value) const {
  Edit([&](TProfileText& text) { text.WriteInteger(section, key, value); });
}

void TProfileFile::EraseKey(const std::string& section, const std::string& key) const {
  Edit([&](TProfileText& text) { text.EraseKey(section, key); });
}

void TProfileFile::EraseSection(const std::string& section) const {
  Edit([&](TProfileText& text) { text.EraseSection(section); });
}
