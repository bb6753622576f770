#include "quillet/store/mailbox/detail/file_guard.h"

#include <utility>

TFileGuard TFileGuard::Made(const std::string& path, platform::FileHandle handle, EFileException::Kind failureKind) {
  if (handle == platform::k_invalidFile) throw EFileException(failureKind, path);
  TFileGuard guard(path, handle);
  guard.position_ = 0;
  return guard;
}

TFileGuard TFileGuard::Open(const std::string& path, platform::FileAccess access) {
  return Made(path, platform::FileOpen(path, access), EFileException::Kind::Open);
}

TFileGuard TFileGuard::Create(const std::string& path) {
  return Made(path, platform::FileCreate(path), EFileException::Kind::Create);
}

TFileGuard TFileGuard::CreateNew(const std::string& path) {
  return Made(path, platform::FileCreateNew(path), EFileException::Kind::Create);
}

void TFileGuard::Close() { file_.Close(); }

void TFileGuard::CloseWritten() {
  if (!file_.Close()) throw EFileException(EFileException::Kind::Write, path_);
}

std::int64_t TFileGuard::Size() {
  std::int64_t size = platform::FileSizeOf(file_.Get());
  if (size < 0) throw EFileException(EFileException::Kind::Read, path_);
  return size;
}

void TFileGuard::SeekTo(std::int64_t position, EFileException::Kind failureKind) {
  if (position == position_) return;
  if (position < 0 || platform::FileSeek(file_.Get(), position, platform::SeekOrigin::Begin) != position) {
    position_ = -1;
    throw EFileException(failureKind, path_);
  }
  position_ = position;
}

std::int32_t TFileGuard::ReadAt(std::int64_t position, void* buffer, std::int32_t count) {
  SeekTo(position, EFileException::Kind::Read);
  std::int32_t n = count > 0 ? platform::FileRead(file_.Get(), buffer, count) : 0;
  if (n < 0) {
    position_ = -1;
    throw EFileException(EFileException::Kind::Read, path_);
  }
  position_ += n;
  return n;
}

void TFileGuard::ReadExactAt(std::int64_t position, void* buffer, std::int32_t count) {
  if (ReadAt(position, buffer, count) != count) throw EFileException(EFileException::Kind::Read, path_);
}

void TFileGuard::WriteAt(std::int64_t position, const void* buffer, std::int32_t count) {
  SeekTo(position, EFileException::Kind::Write);
  if (count <= 0) return;
  std::int32_t n = platform::FileWrite(file_.Get(), buffer, count);
  if (n != count) {
    position_ = -1;
    throw EFileException(EFileException::Kind::Write, path_);
  }
  position_ += n;
}

bool TFileGuard::TruncateTo(std::int64_t size) {
  position_ = -1;
  return platform::FileTruncate(file_.Get(), size);
}

void TFileGuard::Flush() {
  if (!platform::FileFlush(file_.Get())) throw EFileException(EFileException::Kind::Write, path_);
}
