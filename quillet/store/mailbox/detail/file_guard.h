// One open file for the length of one store operation (store-internal). The handle is
// closed when the guard goes out of scope, on every path out, exceptions included.
// Failures raise EFileException with the file's name.
#pragma once

#include <cstdint>
#include <string>

#include "platform/file.h"

class TFileGuard {
 public:
  // Throws EFileException kind open.
  static TFileGuard Open(const std::string& path, platform::FileAccess access);
  // Creates or truncates; throws EFileException kind create.
  static TFileGuard Create(const std::string& path);

  TFileGuard(TFileGuard&& other) noexcept;
  TFileGuard& operator=(TFileGuard&& other) noexcept;
  TFileGuard(const TFileGuard&) = delete;
  TFileGuard& operator=(const TFileGuard&) = delete;
  ~TFileGuard();

  const std::string& Path() const { return path_; }
  // Throws kind read when the size cannot be had.
  std::int64_t Size();
  // Up to count bytes from the position; fewer at the end of the file. Throws kind read
  // when the system refuses.
  std::int32_t ReadAt(std::int64_t position, void* buffer, std::int32_t count);
  // Exactly count bytes or kind read.
  void ReadExactAt(std::int64_t position, void* buffer, std::int32_t count);
  // Exactly count bytes or kind write.
  void WriteAt(std::int64_t position, const void* buffer, std::int32_t count);
  void Close();

 private:
  TFileGuard(std::string path, platform::FileHandle handle) : path_(std::move(path)), handle_(handle) {}
  void SeekTo(std::int64_t position, int failureKind);

  std::string path_;
  platform::FileHandle handle_ = platform::kInvalidFile;
  std::int64_t position_ = -1;  // the handle's position when known, so sequential access skips seeks
};
