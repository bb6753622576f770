// Byte streams: the one currency of the store, the codecs and the parser.
// Positions and sizes are 64-bit; a mailbox file itself never exceeds 2 GB.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/unique_file.h"

enum class TSeekOrigin { Beginning, Current, End };

class TStream {
 public:
  virtual ~TStream() = default;
  // Bytes actually read or written (0 at the end, or on failure of a read).
  virtual std::int32_t Read(void* buffer, std::int32_t count) = 0;
  virtual std::int32_t Write(const void* buffer, std::int32_t count) = 0;
  // The new position; a position past the end is allowed, reads there return 0.
  virtual std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) = 0;
  virtual std::int64_t Size();
  virtual void SetSize(std::int64_t size);

  std::int64_t Position() { return Seek(0, TSeekOrigin::Current); }
  void SetPosition(std::int64_t position) { Seek(position, TSeekOrigin::Beginning); }
  // Reads or writes exactly count bytes or throws Exception ("Stream read error" /
  // "Stream write error").
  void ReadBuffer(void* buffer, std::int32_t count);
  void WriteBuffer(const void* buffer, std::int32_t count);
  void WriteString(const std::string& text) { WriteBuffer(text.data(), static_cast<std::int32_t>(text.size())); }
  // Copies up to count bytes from the source's position (count < 0: to its end) through
  // an 8192-byte buffer, stopping early when a read returns nothing; returns bytes copied.
  // A short write throws.
  std::int64_t CopyFrom(TStream& source, std::int64_t count);
};

// Bytes in memory; grows on writes past the end.
class TMemoryStream : public TStream {
 public:
  TMemoryStream() = default;
  explicit TMemoryStream(std::string bytes) : data_(std::move(bytes)) {}

  std::int32_t Read(void* buffer, std::int32_t count) override;
  std::int32_t Write(const void* buffer, std::int32_t count) override;
  std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;
  std::int64_t Size() override { return static_cast<std::int64_t>(data_.size()); }
  void SetSize(std::int64_t size) override;

  const std::string& Bytes() const { return data_; }
  std::string& Bytes() { return data_; }
  void Clear() { data_.clear(); position_ = 0; }

 private:
  std::string data_;
  std::int64_t position_ = 0;
};

// A file through a read buffer, so line readers that read ahead and seek back cost no
// system call per line. Writes go through a write buffer, flushed before a read, a seek
// outside the buffer, SetSize and destruction.
class TFileStream : public TStream {
 public:
  enum class Mode { OpenRead, OpenWrite, OpenReadWrite, Create };
  // Throws EFileException (kind open, or create for Mode::Create) when the file cannot be had.
  TFileStream(const std::string& fileName, Mode mode);
  ~TFileStream() override;
  TFileStream(const TFileStream&) = delete;
  TFileStream& operator=(const TFileStream&) = delete;

  std::int32_t Read(void* buffer, std::int32_t count) override;
  std::int32_t Write(const void* buffer, std::int32_t count) override;
  std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;
  std::int64_t Size() override;
  void SetSize(std::int64_t size) override;
  // Writes out buffered bytes; throws EFileException kind write when the disk refuses them.
  // The destructor flushes too but cannot report a failure: call Flush to see it.
  void Flush();
  const std::string& FileName() const { return fileName_; }

 private:
  bool BufferServes(std::int32_t count) const;
  bool FillReadBuffer();
  void DropReadBuffer();
  std::int32_t CopyFromReadBuffer(char* target, std::int32_t count);
  std::int32_t ReadDirect(char* target, std::int32_t count);
  void WriteAt(std::int64_t position, const char* source, std::int32_t count);
  bool SeekFile(std::int64_t position);
  std::int64_t WriteEnd() const { return writeStart_ + static_cast<std::int64_t>(writeBuffer_.size()); }

  std::string fileName_;
  Mode mode_;
  platform::UniqueFile handle_;
  std::int64_t position_ = 0;      // logical position
  std::int64_t filePosition_ = -1; // where the handle points; -1 unknown
  std::int64_t fileSize_ = -1;     // cached; -1 unknown
  std::vector<char> readBuffer_;   // holds file bytes [readStart_, readStart_ + readLength_)
  std::int64_t readStart_ = 0;
  std::int32_t readLength_ = 0;
  std::vector<char> writeBuffer_;  // pending bytes for [writeStart_, ...)
  std::int64_t writeStart_ = 0;
};

// The whole file's bytes; EFileException kind open or read when they cannot be had.
std::string ReadWholeFile(const std::string& fileName);
