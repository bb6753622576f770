// Transfer-encoding codecs (Base64, quoted-printable, uuencode), HZ decoding and the
// small content-type table. Every codec works on whole lines and ends each written line
// with CR LF.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "quillet/common/exceptions.h"
#include "quillet/common/lines.h"
#include "quillet/common/stream.h"

class EUUInvalidCharacter : public Exception {
 public:
  EUUInvalidCharacter() : Exception("Invalid character in the input file") {}
};

class EMIMEError : public Exception {
 public:
  using Exception::Exception;
};

using TProgressEvent = std::function<void(void* sender, int percent)>;
using TNotifyEvent = std::function<void(void* sender)>;

enum : std::uint8_t { kCodecEncode = 0, kCodecDecode = 1 };

class TBase64 {
 public:
  // input and output are not owned; size is the number of input bytes that belong to the
  // job, offset where they start in the input.
  TBase64(TStream* input, std::uint8_t mode, TStream* output, std::int64_t size, std::int64_t offset);
  void Encode();
  void Decode();

  int Percent() const { return percent_; }
  bool Abort = false;  // a callback may set it to stop the job after the current line
  TProgressEvent OnProgress;
  TNotifyEvent OnStart;
  TNotifyEvent OnEnd;

 private:
  TStream* input_;
  TStream* output_;
  std::uint8_t mode_;
  std::int64_t size_;
  std::int64_t offset_;
  int percent_ = 0;
};

class TQuotedPrintable {
 public:
  // Neither is owned. Encode reads the stream and fills the lines; Decode writes the
  // decoded lines to the stream.
  TQuotedPrintable(TStream* stream, TStringList* lines);
  void Encode();
  void Decode();

  bool Abort = false;

 private:
  TStream* stream_;
  TStringList* lines_;
};

class TUUCode {
 public:
  TUUCode(TStream* input, std::uint8_t mode, TStream* output, std::int64_t size, std::int64_t offset);
  void Encode();
  void Decode();

  int Percent() const { return percent_; }
  bool Abort = false;
  TProgressEvent OnProgress;
  TNotifyEvent OnStart;
  TNotifyEvent OnEnd;

 private:
  TStream* input_;
  TStream* output_;
  std::uint8_t mode_;
  std::int64_t size_;
  std::int64_t offset_;
  int percent_ = 0;
};

// True, with the file name, when line opens a uuencoded block whose first data line is
// nextLine.
bool IsUUBeginLine(const std::string& line, const std::string& nextLine, std::string& fileName);

// The content type for an attachment file, by extension; "application/octet-stream"
// when the table has none.
std::string ContentTypeOfFile(const std::string& fileName);
// A display file name for a decoded part of the given type.
std::string FileNameForType(const std::string& fileName, const std::string& contentType);

struct TMimeHelperRow {
  const char* contentType;
  const char* extension;
};
class TMimeHelper {
 public:
  static const TMimeHelperRow* Rows();
  static int RowCount();
};

// HZ (RFC 1843) decoding of length bytes of the stream from offset into output, and of a
// string.
void HZToGB(TStream& stream, std::int64_t offset, std::int64_t length, TStream& output);
std::string HZToGBText(const std::string& text);

// The file-name part of a path: the text after the last "\", "/" or ":", stepping over
// GBK double-byte characters so that a trail byte 0x5C is never taken for a separator.
std::string ExtractFileName(const std::string& path);
