// The parser's own error texts, shared by its source files.
#pragma once

namespace msgdecode {
namespace msg_errors {
constexpr const char* kBoundaryNotFound = "Error: Miltipart message format - 'boundary' not found";
constexpr const char* kPartFormat = "Message format error";
constexpr const char* kPlainFormat = "Message Format Error";
constexpr const char* kCanNotRead = "Can not read message, message format error";
constexpr const char* kUnknownEncoding = "Unknown encode method";
constexpr const char* kBadAttachmentIndex = "Error in TmsgDecode.SaveAttachFileToStream";
}  // namespace msg_errors
}  // namespace msgdecode
