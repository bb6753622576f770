#include "quillet/common/exceptions.h"

#include "quillet/common/common_texts.h"

const char* EFileException::KindText(Kind kind) {
  switch (kind) {
    case Kind::Open: return k_textFileOpen;
    case Kind::Create: return k_textFileCreate;
    case Kind::Delete: return k_textFileDelete;
    case Kind::Read: return k_textFileRead;
    case Kind::Write: return k_textFileWrite;
  }
  return k_textFileOther;
}

// The message is the kind text, ": ", a line break, then the file name.
EFileException::EFileException(Kind kind, const std::string& fileName)
    : Exception(std::string(KindText(kind)) + ": \r\n" + fileName), kind_(kind), fileName_(fileName) {}
