// The message parser: header lines, one display text and the attachment table of a
// stored message read from a byte range of a stream. The source is never changed.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "quillet/common/exceptions.h"
#include "quillet/common/lines.h"
#include "quillet/common/stream.h"
#include "quillet/common/user_prompts.h"

class EMsgDecodeError : public Exception {
 public:
  using Exception::Exception;
};

// One body part or block: a view (start, length) into the source stream.
struct TMsgSection {
  enum Kind { kNone = 0, kBase64 = 1, kQuotedPrintable = 2, kUUEncode = 3, kXXEncode = 4 };
  int Kind = kNone;
  std::string FileName;
  std::string ContentType;
  std::string ContentId;
  std::string Charset;
  std::int64_t Start = 0;
  std::int64_t Length = 0;

  static const char* KindName(int kind);
};

struct TMsgAttachment {
  std::string FileName;
  TMsgSection Section;
};

class TMsgDecode {
 public:
  // The message is size bytes of the stream from offset. The stream is not owned.
  TMsgDecode(TStream* stream, std::int64_t size, std::int64_t offset);
  // Shown an exception from a nested message; may be null (then it is dropped silently).
  void SetPrompts(TUserPrompts* prompts) { prompts_ = prompts; }

  void Decode();
  // The whole message as a plain body with possible uuencoded blocks.
  void DecodeAsText();

  void SaveAttachFileToStream(int index, TStream& stream);
  void SaveAttachFile(int index, const std::string& fileName);

  bool IsMime() const { return mime_; }
  const TStringList& HeaderLines() const { return header_; }
  // Ends with one NUL byte after decoding.
  TMemoryStream& DisplayText() { return displayText_; }
  const std::vector<TMsgSection>& Sections() const { return sections_; }
  const std::vector<TMsgAttachment>& Attachments() const { return attachments_; }

 private:
  TStream* stream_;
  std::int64_t size_;
  std::int64_t offset_;
  TUserPrompts* prompts_ = nullptr;
  bool mime_ = false;
  TStringList header_;
  std::vector<TMsgSection> sections_;
  TMemoryStream displayText_;
  std::vector<TMsgAttachment> attachments_;
};
