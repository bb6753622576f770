#include "quillet/message/parser/mime_types.h"

#include "quillet/message/header/header_utils.h"
#include "quillet/message/header/mime_params.h"
#include "quillet/message/parser/msg_decode.h"
#include "quillet/message/parser/parser_texts.h"

namespace msgdecode {

bool StartsWithNoCase(const std::string& text, const std::string& prefix) {
  return text.size() >= prefix.size() &&
         gbk::UpperCase(text.substr(0, prefix.size())) == gbk::UpperCase(prefix);
}

bool IsBinaryMediaType(const std::string& contentType) {
  for (const char* type : {"APPLICATION", "IMAGE/", "AUDIO/", "VIDEO/", "MODEL/", "FONT/"})
    if (StartsWithNoCase(contentType, type)) return true;
  return false;
}

// Only the type/subtype counts: a parameter such as name="multipart.txt" does not make a
// part a container (which would then fail for want of a boundary).
bool IsMultipartType(const std::string& contentType) {
  return gbk::UpperCase(MainValue(contentType)).find("MULTIPART") != std::string::npos;
}

std::string BoundaryOf(const std::string& contentType) {
  std::string boundary = GetMimeParam("boundary", contentType);
  if (boundary == k_unableToGet || boundary.empty()) throw EMsgDecodeError(parser_texts::k_boundaryNotFound);
  return boundary;
}

}  // namespace msgdecode
