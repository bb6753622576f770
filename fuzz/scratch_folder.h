// One scratch folder per fuzzer process under the temporary folder, removed at exit.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>

#include "platform/file.h"

namespace fuzz_scratch {

inline std::string& FolderPath() {
  static std::string path;
  return path;
}

inline void RemoveFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(FolderPath(), ignored);
}

// The folder, with a trailing separator; made on the first call.
inline const std::string& Folder(const std::string& prefix) {
  static const std::string folder = [&prefix] {
    std::random_device random;
    FolderPath() = platform::TempFolder() + prefix + std::to_string(random());
    platform::MakeDirectory(FolderPath());
    std::atexit(RemoveFolder);
    return FolderPath() + platform::PathSeparator();
  }();
  return folder;
}

}  // namespace fuzz_scratch
