// The parser's user-facing and exception texts, shared by its source files.
#pragma once

namespace msgdecode {
namespace parser_texts {
constexpr const char* k_boundaryNotFound = "Error: Miltipart message format - 'boundary' not found";
constexpr const char* k_partFormat = "Message format error";
constexpr const char* k_plainFormat = "Message Format Error";
constexpr const char* k_canNotRead = "Can not read message, message format error";
constexpr const char* k_unknownEncoding = "Unknown encode method";
constexpr const char* k_badAttachmentIndex = "Error in TmsgDecode.SaveAttachFileToStream";
}  // namespace parser_texts
}  // namespace msgdecode
