// TSetupManager: the program's settings in its initialisation file. Booleans are stored
// as integer text; any nonzero number reads as true.
#pragma once

#include <cstdint>
#include <string>

#include "quillet/common/profile_file.h"

class TSetupManager {
 public:
  explicit TSetupManager(std::string iniPath) : file_(std::move(iniPath)) {}
  const std::string& IniPath() const { return file_.Path(); }

  std::string ReadString(const std::string& section, const std::string& key,
                         const std::string& defaultValue = std::string()) const {
    return file_.ReadString(section, key, defaultValue);
  }
  std::int32_t ReadInteger(const std::string& section, const std::string& key, std::int32_t defaultValue) const {
    return file_.ReadInteger(section, key, defaultValue);
  }
  bool ReadBool(const std::string& section, const std::string& key, bool defaultValue) const {
    return file_.ReadInteger(section, key, defaultValue ? 1 : 0) != 0;
  }

  // Each write replaces the file in one step; EFileException when it cannot.
  void WriteString(const std::string& section, const std::string& key, const std::string& value) const {
    file_.WriteString(section, key, value);
  }
  void WriteInteger(const std::string& section, const std::string& key, std::int32_t value) const {
    file_.WriteInteger(section, key, value);
  }
  void WriteBool(const std::string& section, const std::string& key, bool value) const {
    file_.WriteInteger(section, key, value ? 1 : 0);
  }

  // The whole file, for code that reads or changes many keys in one go (the accounts).
  const TProfileFile& File() const { return file_; }

 private:
  TProfileFile file_;
};
