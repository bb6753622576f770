#include "quillet/common/exceptions.h"

const char* EFileException::KindText(Kind kind) {
  switch (kind) {
    case Kind::Open: return "File Open Error";
    case Kind::Create: return "File Create Error";
    case Kind::Delete: return "File Delete Error";
    case Kind::Read: return "File Read Error";
    case Kind::Write: return "File Write Error";
  }
  return "File Error";
}

// The message is the kind text, ": ", a line break, then the file name.
EFileException::EFileException(Kind kind, const std::string& fileName)
    : Exception(std::string(KindText(kind)) + ": \r\n" + fileName), kind_(kind), fileName_(fileName) {}
