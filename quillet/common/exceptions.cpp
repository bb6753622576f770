#include "quillet/common/exceptions.h"

const char* EFileException::KindText(Kind kind) {
  switch (kind) {
    case kOpen: return "File Open Error";
    case kCreate: return "File Create Error";
    case kDelete: return "File Delete Error";
    case kRead: return "File Read Error";
    case kWrite: return "File Write Error";
  }
  return "File Error";
}

// The message is the kind text, ": ", a line break, then the file name.
EFileException::EFileException(Kind kind, const std::string& fileName)
    : Exception(std::string(KindText(kind)) + ": \r\n" + fileName), kind_(kind), fileName_(fileName) {}
