#include <algorithm>
#include <cstring>

#include "quillet/common/exceptions.h"
#include "quillet/common/stream.h"

namespace {
// Large enough that a line reader touches the disk once per 64 KB, small enough to keep
// many streams open at once.
constexpr std::int32_t k_bufferSize = 64 * 1024;

platform::FileHandle OpenHandle(const std::string& fileName, TFileStream::Mode mode) {
  switch (mode) {
    case TFileStream::Mode::OpenRead: return platform::FileOpen(fileName, platform::FileAccess::Read);
    case TFileStream::Mode::OpenWrite: return platform::FileOpen(fileName, platform::FileAccess::Write);
    case TFileStream::Mode::OpenReadWrite: return platform::FileOpen(fileName, platform::FileAccess::ReadWrite);
    case TFileStream::Mode::Create: return platform::FileCreate(fileName);
  }
  return platform::k_invalidFile;
}
}  // namespace

TFileStream::TFileStream(const std::string& fileName, Mode mode) : fileName_(fileName), mode_(mode) {
  handle_ = platform::UniqueFile(OpenHandle(fileName, mode));
  if (!handle_.IsOpen())
    throw EFileException(mode == Mode::Create ? EFileException::Kind::Create : EFileException::Kind::Open, fileName);
  filePosition_ = 0;
}

TFileStream::~TFileStream() {
  try {
    Flush();
  } catch (...) {
    // A destructor cannot report the failure; callers that care call Flush first.
  }
}

std::int32_t TFileStream::Read(void* buffer, std::int32_t count) {
  if (count <= 0) return 0;
  Flush();
  char* target = static_cast<char*>(buffer);
  if (count >= k_bufferSize) {
    // A big read skips the buffer: copy what it holds, then read the rest in one call.
    std::int32_t done = CopyFromReadBuffer(target, count);
    return done < count ? done + ReadDirect(target + done, count - done) : done;
  }
  if (!BufferServes(count)) FillReadBuffer();
  return CopyFromReadBuffer(target, count);
}

// True when the buffer holds the bytes at the position, all of them or all the file had
// when the buffer was filled (a short fill stopped at the file's end).
bool TFileStream::BufferServes(std::int32_t count) const {
  std::int64_t bufferEnd = readStart_ + readLength_;
  if (position_ < readStart_ || position_ >= bufferEnd) return false;
  return position_ + count <= bufferEnd || readLength_ < k_bufferSize;
}

bool TFileStream::FillReadBuffer() {
  if (readBuffer_.empty()) readBuffer_.resize(k_bufferSize);
  if (!SeekFile(position_)) return false;
  std::int32_t n = platform::FileRead(handle_.Get(), readBuffer_.data(), k_bufferSize);
  if (n <= 0) {
    // Keep what the buffer held: a failed or empty read wrote nothing into it.
    filePosition_ = -1;
    return false;
  }
  readStart_ = position_;
  readLength_ = n;
  filePosition_ = position_ + n;
  fileSize_ = n < k_bufferSize ? filePosition_ : -1;
  return true;
}

void TFileStream::DropReadBuffer() {
  readStart_ = 0;
  readLength_ = 0;
}

std::int32_t TFileStream::CopyFromReadBuffer(char* target, std::int32_t count) {
  std::int64_t bufferEnd = readStart_ + readLength_;
  if (position_ < readStart_ || position_ >= bufferEnd) return 0;
  std::int32_t n = static_cast<std::int32_t>(std::min<std::int64_t>(count, bufferEnd - position_));
  std::memcpy(target, readBuffer_.data() + (position_ - readStart_), static_cast<size_t>(n));
  position_ += n;
  return n;
}

std::int32_t TFileStream::ReadDirect(char* target, std::int32_t count) {
  if (!SeekFile(position_)) return 0;
  std::int32_t n = platform::FileRead(handle_.Get(), target, count);
  if (n <= 0) {
    filePosition_ = -1;
    return 0;
  }
  position_ += n;
  filePosition_ = position_;
  return n;
}

std::int32_t TFileStream::Write(const void* buffer, std::int32_t count) {
  if (count <= 0 || mode_ == Mode::OpenRead) return 0;
  if (!writeBuffer_.empty() && position_ != WriteEnd()) Flush();
  DropReadBuffer();
  const char* source = static_cast<const char*>(buffer);
  if (static_cast<std::int64_t>(writeBuffer_.size()) + count > k_bufferSize) {
    Flush();
    if (count >= k_bufferSize) {
      WriteAt(position_, source, count);
      position_ += count;
      return count;
    }
  }
  if (writeBuffer_.empty()) {
    writeBuffer_.reserve(k_bufferSize);
    writeStart_ = position_;
  }
  writeBuffer_.insert(writeBuffer_.end(), source, source + count);
  position_ += count;
  return count;
}

void TFileStream::Flush() {
  if (writeBuffer_.empty()) return;
  std::int32_t count = static_cast<std::int32_t>(writeBuffer_.size());
  try {
    WriteAt(writeStart_, writeBuffer_.data(), count);
  } catch (...) {
    writeBuffer_.clear();  // reported once; the destructor must not try again
    throw;
  }
  writeBuffer_.clear();
}

void TFileStream::WriteAt(std::int64_t position, const char* source, std::int32_t count) {
  if (!SeekFile(position) || platform::FileWrite(handle_.Get(), source, count) != count) {
    filePosition_ = -1;
    fileSize_ = -1;
    throw EFileException(EFileException::Kind::Write, fileName_);
  }
  filePosition_ = position + count;
  if (fileSize_ >= 0) fileSize_ = std::max(fileSize_, filePosition_);
}

bool TFileStream::SeekFile(std::int64_t position) {
  if (filePosition_ == position) return true;
  filePosition_ = platform::FileSeek(handle_.Get(), position, platform::SeekOrigin::Begin);
  return filePosition_ == position;
}

std::int64_t TFileStream::Seek(std::int64_t offset, TSeekOrigin origin) {
  std::int64_t base = origin == TSeekOrigin::Beginning ? 0 : origin == TSeekOrigin::Current ? position_ : Size();
  std::int64_t target = std::max<std::int64_t>(0, base + offset);
  if (!writeBuffer_.empty() && target != WriteEnd()) Flush();
  position_ = target;
  return position_;
}

std::int64_t TFileStream::Size() {
  if (fileSize_ < 0) fileSize_ = platform::FileSizeOf(handle_.Get());
  return writeBuffer_.empty() ? fileSize_ : std::max(fileSize_, WriteEnd());
}

void TFileStream::SetSize(std::int64_t size) {
  size = std::max<std::int64_t>(0, size);
  Flush();
  DropReadBuffer();
  filePosition_ = -1;
  fileSize_ = -1;
  if (mode_ == Mode::OpenRead || !platform::FileTruncate(handle_.Get(), size))
    throw EFileException(EFileException::Kind::Write, fileName_);
  fileSize_ = size;
  if (position_ > size) position_ = size;
}

std::string ReadWholeFile(const std::string& fileName) {
  TFileStream file(fileName, TFileStream::Mode::OpenRead);
  const std::int64_t size = file.Size();
  if (size < 0 || size > INT32_MAX) throw EFileException(EFileException::Kind::Read, fileName);
  std::string bytes(static_cast<size_t>(size), '\0');
  if (!bytes.empty()) file.ReadBuffer(&bytes[0], static_cast<std::int32_t>(bytes.size()));
  return bytes;
}
