// The message parser: header lines, one display text and the attachment table of a
// stored message read from a byte range of a stream. The source is never changed.
//
// Parts are views (start, length) into the source stream; their content is decoded only
// when the display text is built or an attachment is saved.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "quillet/common/exceptions.h"
#include "quillet/common/line_reader.h"
#include "quillet/common/lines.h"
#include "quillet/common/stream.h"
#include "quillet/common/user_prompts.h"

class EMsgDecodeError : public Exception {
 public:
  using Exception::Exception;
};

// How a section's body is encoded (the numbers are shown by the command line).
enum class TTransferKind { None = 0, Base64 = 1, QuotedPrintable = 2, UUEncode = 3, XXEncode = 4 };

// One body part or block: a view (start, length) into the source stream.
struct TMsgSection {
  TTransferKind Kind = TTransferKind::None;
  std::string FileName;     // empty for text; always a bare, safe file name otherwise
  std::string ContentType;  // type/subtype as written; empty when the part has none
  std::string ContentId;    // without the enclosing "<" and ">"
  std::string Charset;      // the charset parameter, or "$$Unable to Get$$"
  std::int64_t Start = 0;   // stream position of the first body byte
  std::int64_t Length = 0;
  int Level = 0;            // how many containers (multiparts, messages) enclose the part
  // How the source's lines end; a section of a bare-LF message is decoded as if its
  // lines ended in CR LF.
  TLineEnds LineEnds = TLineEnds::Cr;

  // "None", "Base64", "Quoted-Printable", "UUEncode", "XXEncode", else "Unknown".
  static const char* KindName(TTransferKind kind);
};

struct TMsgAttachment {
  std::string FileName;
  TMsgSection Section;
};

// Decodes one section of the source into out by its kind: Base64 or uuencode (empty
// lines before the data skipped), quoted-printable (leading and trailing empty lines
// dropped), or as it stands (HZ-decoded when the charset names HZ), each line ended with
// CR LF. A section whose lines end in a bare LF is decoded as if they ended in CR LF. Another kind raises EMsgDecodeError
// "Unknown encode method".
void SaveSectionToStream(TStream& source, const TMsgSection& section, TStream& out);

class TMsgDecode {
 public:
  // Containers nested deeper than this are not opened: a deeper multipart or message is
  // kept whole, as text.
  static constexpr int k_maxNestingLevel = 64;
  // Parts found in one message, nested messages included; the rest of a body beyond
  // this is kept whole, as text.
  static constexpr int k_maxParts = 10000;

  // The message is size bytes of the stream from offset; nothing outside that range is
  // read. The stream is not owned.
  TMsgDecode(TStream* stream, std::int64_t size, std::int64_t offset);
  TMsgDecode(const TMsgDecode&) = delete;
  TMsgDecode& operator=(const TMsgDecode&) = delete;
  // Shown an exception from a nested message; may be null (then it is dropped silently).
  void SetPrompts(TUserPrompts* prompts) { prompts_ = prompts; }

  void Decode();
  // The whole message as a plain body with possible uuencoded blocks.
  void DecodeAsText();

  void SaveAttachFileToStream(int index, TStream& stream);
  void SaveAttachFile(int index, const std::string& fileName);

  // The message was split as MIME: it has a Mime-Version header, or it is a multipart
  // whose body holds its opening delimiter line (mailers that leave the header out).
  bool IsMime() const { return mime_; }
  const TStringList& HeaderLines() const { return header_; }
  // Ends with one NUL byte after decoding.
  TMemoryStream& DisplayText() { return displayText_; }
  // The display text without its final NUL byte.
  std::string DisplayString() const;
  const std::vector<TMsgSection>& Sections() const { return sections_; }
  const std::vector<TMsgAttachment>& Attachments() const { return attachments_; }

 private:
  struct TRange {
    std::int64_t start;
    std::int64_t end;
    std::int64_t Length() const { return end - start; }
  };

  // A message nested in another: shares the source stream and the part budget.
  TMsgDecode(TStream* stream, std::int64_t size, std::int64_t offset, int level, int* partBudget);

  void Run(bool allowMime);
  void Reset();
  void ReadMessageHeader();
  bool IsUndeclaredMultipart();

  // plain_split.cpp
  void SplitPlain();
  // mime_split.cpp
  void SplitMime();
  void SplitMultipart(TRange range, const std::string& boundary, int level);
  // part_parse.cpp
  void ParsePart(TRange range, int level);
  TMsgSection SectionOfPart(const TStringList& partHeader, std::int64_t bodyStart, std::int64_t bodyEnd, int level);
  // display_text.cpp
  void BuildDisplayText();
  void AddSection(const TMsgSection& section);
  void AddNestedMessage(const TMsgSection& section);
  void WriteNestedHeader(const TStringList& header);
  void DecodeTextInto(const TMsgSection& section, TStream& out);
  // msg_decode.cpp: false once the part budget is spent
  bool TakePart();
  void AddRawText(TRange range, int level);

  TStream* stream_;
  std::int64_t size_;
  std::int64_t offset_;
  int level_ = 0;
  int ownBudget_ = k_maxParts;
  int* partBudget_ = &ownBudget_;
  TUserPrompts* prompts_ = nullptr;
  bool mime_ = false;
  TLineEnds lineEnds_ = TLineEnds::Cr;  // of this message, from its first line
  TStringList header_;
  bool headerEnded_ = false;        // an empty line closed the header inside the range
  std::int64_t emptyLineStart_ = 0;  // position of that empty line's CR
  std::int64_t bodyStart_ = 0;       // first byte after the empty line
  std::vector<TMsgSection> sections_;
  TMemoryStream displayText_;
  std::vector<TMsgAttachment> attachments_;
};
