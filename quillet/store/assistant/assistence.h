// The mail assistant: the ordered rule list kept in the mail root's "assist.dat". The
// first enabled rule whose conditions hold names the mailbox for a received message.
#pragma once

#include <string>

#include "quillet/store/assistant/assist_file.h"

class TAssistence {
 public:
  // Remembers the file; creates it empty when it does not exist, else loads it. A
  // damaged file loads its sound rules (see LoadResult) and stays as it is on the disk.
  // EFileException when the file cannot be read or created.
  explicit TAssistence(std::string fileName);
  // Saves when modified; a failure here cannot be reported, so owners call
  // SaveIfModified first at shutdown.
  ~TAssistence();
  TAssistence(const TAssistence&) = delete;
  TAssistence& operator=(const TAssistence&) = delete;

  const std::string& FileName() const { return fileName_; }
  const TActionList& Rules() const { return rules_; }
  // The list dialog's OK: the edited list replaces the rules and marks them modified.
  void ReplaceRules(TActionList rules);
  bool Modified() const { return modified_; }

  // Reads the whole file, replacing the rules; returns (and keeps) what was found.
  const TAssistReadResult& Load();
  const TAssistReadResult& LoadResult() const { return loadResult_; }
  // Replaces the file by a temporary written beside it, flushed, then renamed over it,
  // so the old file stays whole until the new one is. A damaged file is first kept as
  // "<name>.bad". Clears the modified flag. EAssistFileError or EFileException.
  void Save();
  void SaveIfModified();

  // The target of the first matching rule in list order; empty when none matches.
  std::string FindTarget(const TStringList& headerLines) const;

 private:
  std::string fileName_;
  TActionList rules_;
  TAssistReadResult loadResult_;
  bool modified_ = false;
};
