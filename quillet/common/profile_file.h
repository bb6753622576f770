// A profile (ini) file on disk, one implementation on every platform (see profile_text.h
// for how lines are read and changed). Each call opens the file and closes it before it
// returns. A missing or unreadable file reads as empty; the first write creates it. Every
// write replaces the whole file in one step (platform::FileReplaceContents), so a crash
// never leaves half a file.
#pragma once

#include <cstdint>
#include <string>

#include "quillet/common/profile_text.h"

class TProfileFile {
 public:
  explicit TProfileFile(std::string path) : path_(std::move(path)) {}
  const std::string& Path() const { return path_; }

  // The whole file, for several reads or changes in one go.
  TProfileText Load() const;
  // Throws EFileException(Write, path) when the file cannot be replaced; it is unchanged then.
  void Store(const TProfileText& text) const;

  std::string ReadString(const std::string& section, const std::string& key, const std::string& defaultValue) const;
  std::int32_t ReadInteger(const std::string& section, const std::string& key, std::int32_t defaultValue) const;
  // Each loads the file, changes it and stores it (nothing is stored when nothing changed);
  // exceptions as TProfileText's writes and Store.
  void WriteString(const std::string& section, const std::string& key, const std::string& value) const;
  void WriteInteger(const std::string& section, const std::string& key, std::int32_t value) const;
  void EraseKey(const std::string& section, const std::string& key) const;
  void EraseSection(const std::string& section) const;

 private:
  template <typename Change>
  void Edit(Change change) const;

  std::string path_;
};
