#include "quillet/message/parser/msg_decode.h"

const char* TMsgSection::KindName(int kind) {
  switch (kind) {
    case kNone: return "None";
    case kBase64: return "Base64";
    case kQuotedPrintable: return "Quoted-Printable";
    case kUUEncode: return "UUEncode";
    case kXXEncode: return "XXEncode";
    default: return "Unknown";
  }
}
