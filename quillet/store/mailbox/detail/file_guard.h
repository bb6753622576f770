// One open file for the length of one store operation (store-internal), on the platform's
// file owner: the handle is closed on every path out, exceptions included. Failures raise
// EFileException with the file's name.
#pragma once

#include <cstdint>
#include <string>

#include "platform/file.h"
#include "platform/unique_file.h"
#include "quillet/common/exceptions.h"

class TFileGuard {
 public:
  // Throws EFileException kind open.
  static TFileGuard Open(const std::string& path, platform::FileAccess access);
  // Creates or truncates; throws EFileException kind create.
  static TFileGuard Create(const std::string& path);
  // Creates a file that does not exist yet; throws EFileException kind create when it
  // exists or cannot be made.
  static TFileGuard CreateNew(const std::string& path);

  TFileGuard(TFileGuard&&) noexcept = default;
  TFileGuard& operator=(TFileGuard&&) noexcept = default;
  TFileGuard(const TFileGuard&) = delete;
  TFileGuard& operator=(const TFileGuard&) = delete;

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
  // Cuts the file to size; false when the system refuses (the caller decides).
  bool TruncateTo(std::int64_t size);
  // Puts the written bytes on the disk; kind write when that fails.
  void Flush();
  // Closes quietly (a failure of the close is not reported).
  void Close();
  // Closes and reports a failed close as kind write, for files just written.
  void CloseWritten();

 private:
  TFileGuard(std::string path, platform::FileHandle handle) : path_(std::move(path)), file_(handle) {}
  static TFileGuard Made(const std::string& path, platform::FileHandle handle, EFileException::Kind failureKind);
  void SeekTo(std::int64_t position, EFileException::Kind failureKind);

  std::string path_;
  platform::UniqueFile file_;
  std::int64_t position_ = -1;  // the handle's position when known, so sequential access skips seeks
};
