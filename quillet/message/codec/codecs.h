// Transfer-encoding codecs (Base64, quoted-printable, uuencode), HZ decoding and the
// small content-type table. Every codec works on whole lines and ends each written line
// with CR LF.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "quillet/common/exceptions.h"
#include "quillet/common/lines.h"
#include "quillet/common/paths.h"
#include "quillet/common/stream.h"
#include "quillet/message/codec/codec_texts.h"

class EUUInvalidCharacter : public Exception {
 public:
  EUUInvalidCharacter() : Exception(codec_texts::k_invalidCharacter) {}
};

class EMIMEError : public Exception {
 public:
  using Exception::Exception;
};

using TProgressEvent = std::function<void(void* sender, int percent)>;
using TNotifyEvent = std::function<void(void* sender)>;

// The mode byte of a codec job.
enum class TCodecMode : std::uint8_t { Encode = 0, Decode = 1 };

class TCodecOutput;

// What TBase64 and TUUCode share: the job's streams and input range, its progress and its
// callbacks. A job fires OnStart once its mode is checked, OnProgress each time the
// percent reaches a new multiple of 5, and always ends, also when it fails, with percent
// 100, OnProgress(100) and OnEnd. The sender of every callback is the codec object.
class TCodecJob {
 public:
  int Percent() const { return percent_; }
  bool Abort = false;  // a callback may set it to stop the job after the current line
  TProgressEvent OnProgress;
  TNotifyEvent OnStart;
  TNotifyEvent OnEnd;

 protected:
  TCodecJob(TStream* input, TCodecMode mode, TStream* output, std::int64_t size, std::int64_t offset)
      : input_(input), output_(output), mode_(mode), size_(size), offset_(offset) {}
  ~TCodecJob() = default;

  // Runs the job: when misuseText is given, a mode other than requiredMode raises it;
  // then OnStart and the body. The end that always happens follows, also on failure.
  void Run(void* sender, const char* misuseText, TCodecMode requiredMode, const std::function<void()>& body);
  // Progress is measured in input bytes done out of total.
  void StartProgress(std::int64_t total);
  // After each line. When progress is due, the output gathered so far is written first,
  // so that a callback sees it; otherwise the cost is one comparison.
  void LineDone(void* sender, std::int64_t done, TCodecOutput& out) {
    if (done >= nextCheck_) FlushAndReport(sender, done, out);
  }

  TStream* input_;
  TStream* output_;
  TCodecMode mode_;
  std::int64_t size_;
  std::int64_t offset_;

 private:
  void FlushAndReport(void* sender, std::int64_t done, TCodecOutput& out);

  int percent_ = 0;
  int reported_ = -1;
  std::int64_t total_ = 0;
  std::int64_t nextCheck_ = 0;
};

// Encode reads the input from offset to its end into 76-character lines (57 bytes each)
// and closes with a shorter or empty line. Decode reads the lines of the size bytes from
// offset up to an empty line; a line may be of any length (groups of four characters give
// three bytes, "=" pads, a partial last group gives its whole bytes, a LF is skipped).
class TBase64 : public TCodecJob {
 public:
  // input and output are not owned; size is the number of input bytes that belong to the
  // job, offset where they start in the input.
  TBase64(TStream* input, TCodecMode mode, TStream* output, std::int64_t size, std::int64_t offset)
      : TCodecJob(input, mode, output, size, offset) {}
  void Encode();
  void Decode();

 private:
  void EncodeLines();
  void DecodeLines();
};

class TQuotedPrintable {
 public:
  // Neither is owned. Encode reads the whole stream (from its start) and appends the
  // encoded lines to the list; Decode writes the decoded lines at the stream's position.
  TQuotedPrintable(TStream* stream, TStringList* lines) : stream_(stream), lines_(lines) {}
  void Encode();
  void Decode();

  bool Abort = false;  // stops either job after the current paragraph or line

 private:
  void EncodeParagraph(const std::string& paragraph);

  TStream* stream_;
  TStringList* lines_;
};

// Encode reads the input from offset to its end into lines of up to 45 bytes, closed by a
// line of count 0. Decode reads the size bytes from offset, skipping a first "begin" line,
// up to an empty line, "end" or a line of count 0.
class TUUCode : public TCodecJob {
 public:
  TUUCode(TStream* input, TCodecMode mode, TStream* output, std::int64_t size, std::int64_t offset)
      : TCodecJob(input, mode, output, size, offset) {}
  void Encode();
  void Decode();

 private:
  void EncodeLines();
  void DecodeLines();
};

// True, with the file name, when line opens a uuencoded block whose first data line is
// nextLine. fileName is left alone otherwise.
bool IsUUBeginLine(const std::string& line, const std::string& nextLine, std::string& fileName);

// The content type for an attachment file, by extension; "application/octet-stream"
// when the table has none.
std::string ContentTypeOfFile(const std::string& fileName);
// A display file name for a decoded part of the given type: a type from the table gives
// the name's base (or "unknown") with the table's extension, any other type the file-name
// part of the name as it is.
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
// string: the bytes of each "~{" ... "~}" run get bit 7 set and the markers go.
void HZToGB(TStream& stream, std::int64_t offset, std::int64_t length, TStream& output);
std::string HZToGBText(const std::string& text);

// The file-name part of a path: the text after the last "\", "/" or ":", stepping over
// GBK double-byte characters so that a trail byte 0x5C is never taken for a separator.
inline std::string ExtractFileName(const std::string& path) { return paths::FileNamePart(path); }
