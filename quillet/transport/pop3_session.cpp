#include "quillet/transport/pop3_session.h"

#include "platform/file.h"
#include "quillet/common/exceptions.h"

namespace {

constexpr char k_tempFilePrefix[] = "pop";

}  // namespace

void TPOP3Session::Reset() {
  Stream.reset();  // closes the file before it is deleted
  if (!TempFile.empty()) platform::FileDelete(TempFile);
  TempFile.clear();
  FromShown = false;
  Data.Reset();
  HeaderText.clear();
}

void TPOP3Session::OpenStream(bool inFile) {
  Reset();
  if (!inFile) {
    Stream = std::make_unique<TMemoryStream>();
    return;
  }
  const std::string folder = platform::TempFolder();
  TempFile = platform::TempFileName(folder, k_tempFilePrefix);
  if (TempFile.empty()) throw EFileException(EFileException::Kind::Create, folder + k_tempFilePrefix);
  Stream = std::make_unique<TFileStream>(TempFile, TFileStream::Mode::Create);
}
