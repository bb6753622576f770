#include "quillet/store/mailbox/detail/file_guard.h"

#include <utility>

#include "quillet/common/exceptions.h"

TFileGuard TFileGuard::Open(const std::string& path, platform::FileAccess access) {
  platform::FileHandle handle = platform::FileOpen(path, access);
  if (handle == platform::kInvalidFile) throw EFileException(EFileException::kOpen, path);
  TFileGuard guard(path, handle);
  guard.position_ = 0;
  return guard;
}

TFileGuard TFileGuard::Create(const std::string& path) {
  platform::FileHandle handle = platform::FileCreate(path);
  if (handle == platform::kInvalidFile) throw EFileException(EFileException::kCreate, path);
  TFileGuard guard(path, handle);
  guard.position_ = 0;
  return guard;
}

TFileGuard::TFileGuard(TFileGuard&& other) noexcept
    : path_(std::move(other.path_)), handle_(other.handle_), position_(other.position_) {
  other.handle_ = platform::kInvalidFile;
}

TFileGuard& TFileGuard::operator=(TFileGuard&& other) noexcept {
  if (this != &other) {
    Close();
    path_ = std::move(other.path_);
    handle_ = other.handle_;
    position_ = other.position_;
    other.handle_ = platform::kInvalidFile;
  }
  return *this;
}

TFileGuard::~TFileGuard() { Close(); }

void TFileGuard::Close() {
  platform::FileClose(handle_);
  handle_ = platform::kInvalidFile;
}

std::int64_t TFileGuard::Size() {
  std::int64_t size = platform::FileSizeOf(handle_);
  if (size < 0) throw EFileException(EFileException::kRead, path_);
  return size;
}

void TFileGuard::SeekTo(std::int64_t position, int failureKind) {
  if (position == position_) return;
  if (position < 0 || platform::FileSeek(handle_, position, platform::SeekOrigin::Begin) != position) {
    position_ = -1;
    throw EFileException(static_cast<EFileException::Kind>(failureKind), path_);
  }
  position_ = position;
}

std::int32_t TFileGuard::ReadAt(std::int64_t position, void* buffer, std::int32_t count) {
  SeekTo(position, EFileException::kRead);
  std::int32_t n = count > 0 ? platform::FileRead(handle_, buffer, count) : 0;
  if (n < 0) {
    position_ = -1;
    throw EFileException(EFileException::kRead, path_);
  }
  position_ += n;
  return n;
}

void TFileGuard::ReadExactAt(std::int64_t position, void* buffer, std::int32_t count) {
  if (ReadAt(position, buffer, count) != count) throw EFileException(EFileException::kRead, path_);
}

void TFileGuard::WriteAt(std::int64_t position, const void* buffer, std::int32_t count) {
  SeekTo(position, EFileException::kWrite);
  if (count <= 0) return;
  std::int32_t n = platform::FileWrite(handle_, buffer, count);
  if (n != count) {
    position_ = -1;
    throw EFileException(EFileException::kWrite, path_);
  }
  position_ += n;
}
