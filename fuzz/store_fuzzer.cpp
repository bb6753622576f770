// libFuzzer target for the mail store: a mailbox pair made of the input (see
// store_fuzz_body.h) goes through every reader, some writers and Pack.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>

#include "fuzz/store_fuzz_body.h"
#include "platform/file.h"

namespace {
std::string& FolderPath() {
  static std::string path;
  return path;
}

void RemoveFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(FolderPath(), ignored);
}

// One scratch folder per process, removed at exit; each run removes its files.
const std::string& ScratchFolder() {
  static const std::string folder = [] {
    std::random_device random;
    FolderPath() = platform::TempFolder() + "store_fuzz_" + std::to_string(random());
    platform::MakeDirectory(FolderPath());
    std::atexit(RemoveFolder);
    return FolderPath() + platform::PathSeparator();
  }();
  return folder;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  store_fuzz::RunInput(data, size, ScratchFolder());
  return 0;
}
