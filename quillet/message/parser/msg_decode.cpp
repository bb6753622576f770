// TMsgDecode: the range, the decoding run and the part budget. The splitting, the
// display text and the saving of attachments live in their own files.
#include "quillet/message/parser/msg_decode.h"

#include <algorithm>
#include <limits>

#include "quillet/message/header/header_utils.h"
#include "quillet/message/header/mime_params.h"
#include "quillet/message/parser/find_at_line_start.h"
#include "quillet/message/parser/header_block.h"
#include "quillet/message/parser/message_lines.h"
#include "quillet/message/parser/mime_types.h"
#include "quillet/message/parser/parser_texts.h"

using namespace msgdecode;

// The range end (offset + size) must stay representable: a size from a damaged index
// record is cut, and reading then fails at the stream's end.
TMsgDecode::TMsgDecode(TStream* stream, std::int64_t size, std::int64_t offset)
    : stream_(stream), offset_(std::max<std::int64_t>(0, offset)) {
  size_ = std::min(std::max<std::int64_t>(0, size), std::numeric_limits<std::int64_t>::max() - offset_);
  if (stream_) stream_->SetPosition(offset_);
}

TMsgDecode::TMsgDecode(TStream* stream, std::int64_t size, std::int64_t offset, int level, int* partBudget)
    : TMsgDecode(stream, size, offset) {
  level_ = level;
  partBudget_ = partBudget;
}

void TMsgDecode::Decode() { Run(true); }

void TMsgDecode::DecodeAsText() { Run(false); }

void TMsgDecode::Run(bool allowMime) {
  Reset();
  if (!stream_) throw EMsgDecodeError(parser_texts::k_canNotRead);
  ReadMessageHeader();
  mime_ = allowMime && (HasHeaderField(header_, "Mime-Version") || IsUndeclaredMultipart());
  if (mime_) SplitMime();
  else SplitPlain();
  for (TMsgSection& section : sections_) section.LineEnds = lineEnds_;
  BuildDisplayText();
  displayText_.WriteBuffer("", 1);
}

void TMsgDecode::Reset() {
  mime_ = false;
  header_.clear();
  headerEnded_ = false;
  lineEnds_ = TLineEnds::Cr;
  sections_.clear();
  attachments_.clear();
  displayText_.Clear();
  if (partBudget_ == &ownBudget_) ownBudget_ = k_maxParts;
}

void TMsgDecode::ReadMessageHeader() {
  lineEnds_ = DetectLineEnds(*stream_, offset_, offset_ + size_);
  THeaderBlock block = ReadHeaderBlock(*stream_, offset_, offset_ + size_, lineEnds_);
  header_ = std::move(block.lines);
  headerEnded_ = block.ended;
  emptyLineStart_ = block.emptyLineStart;
  bodyStart_ = block.bodyStart;
}

// A multipart without the Mime-Version header is still split when its body uses the
// boundary: some mailers leave the header out, also in nested messages and digests. A
// multipart whose boundary never appears stays plain text.
bool TMsgDecode::IsUndeclaredMultipart() {
  const std::string contentType = GetField(header_, "Content-Type");
  if (!headerEnded_ || !IsMultipartType(contentType)) return false;
  const std::string boundary = GetMimeParam("boundary", contentType);
  if (boundary == k_unableToGet || boundary.empty()) return false;
  stream_->SetPosition(bodyStart_);
  return FindAtLineStart(*stream_, "--" + boundary, offset_ + size_ - bodyStart_, false, true, lineEnds_);
}

std::string TMsgDecode::DisplayString() const {
  const std::string& bytes = displayText_.Bytes();
  if (!bytes.empty() && bytes.back() == '\0') return bytes.substr(0, bytes.size() - 1);
  return bytes;
}

bool TMsgDecode::TakePart() {
  if (*partBudget_ <= 0) return false;
  --*partBudget_;
  return true;
}

void TMsgDecode::AddRawText(TRange range, int level) {
  if (range.Length() <= 0) return;
  TMsgSection section;
  section.Charset = k_unableToGet;
  section.Start = range.start;
  section.Length = range.Length();
  section.Level = level;
  sections_.push_back(std::move(section));
}
