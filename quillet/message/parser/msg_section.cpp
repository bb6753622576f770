#include "quillet/message/parser/msg_decode.h"

const char* TMsgSection::KindName(TTransferKind kind) {
  switch (kind) {
    case TTransferKind::None: return "None";
    case TTransferKind::Base64: return "Base64";
    case TTransferKind::QuotedPrintable: return "Quoted-Printable";
    case TTransferKind::UUEncode: return "UUEncode";
    case TTransferKind::XXEncode: return "XXEncode";
  }
  return "Unknown";
}
