#include "quillet/store/assistant/assistence.h"

#include <cstdint>

#include "platform/file.h"
#include "quillet/common/stream.h"
#include "quillet/store/mailbox/detail/file_guard.h"

namespace {

// The temporary written beside the file before it replaces it ("assist.dat" gives
// "assist.da#").
std::string TemporaryName(const std::string& fileName) { return fileName.substr(0, fileName.size() - 1) + "#"; }

void WriteWholeFile(const std::string& fileName, const std::string& bytes) {
  TFileGuard file = TFileGuard::Create(fileName);
  file.WriteAt(0, bytes.data(), static_cast<std::int32_t>(bytes.size()));
  file.Flush();
  file.CloseWritten();
}

}  // namespace

TAssistence::TAssistence(std::string fileName) : fileName_(std::move(fileName)) {
  if (platform::FileExists(fileName_))
    Load();
  else
    Save();
}

TAssistence::~TAssistence() {
  try {
    SaveIfModified();
  } catch (const std::exception&) {
    // Nothing can be told at this point; the old file is still whole.
  }
}

void TAssistence::ReplaceRules(TActionList rules) {
  rules_ = std::move(rules);
  modified_ = true;
}

const TAssistReadResult& TAssistence::Load() {
  loadResult_ = DecodeAssistFile(ReadWholeFile(fileName_));
  rules_ = loadResult_.rules;
  return loadResult_;
}

void TAssistence::Save() {
  const std::string bytes = EncodeAssistFile(rules_);
  const std::string temporary = TemporaryName(fileName_);
  try {
    WriteWholeFile(temporary, bytes);
    if (loadResult_.fault != TAssistFault::None && !platform::FileCopy(fileName_, fileName_ + ".bad"))
      throw EFileException(EFileException::Kind::Create, fileName_ + ".bad");
    if (!platform::FileRename(temporary, fileName_)) throw EFileException(EFileException::Kind::Write, fileName_);
  } catch (...) {
    platform::FileDelete(temporary);
    throw;
  }
  loadResult_ = TAssistReadResult{rules_};
  modified_ = false;
}

void TAssistence::SaveIfModified() {
  if (modified_) Save();
}

std::string TAssistence::FindTarget(const TStringList& headerLines) const {
  for (const TOneAction& rule : rules_)
    if (rule.Matches(headerLines)) return rule.target;
  return {};
}
