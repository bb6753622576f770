// TMsgAttachList: the temporary file already written for an attachment, so that while the
// program runs an attachment is extracted only once. One list lives beside the system
// manager for the whole run (the composition root owns it).
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <tuple>

#include "quillet/viewer/temp_file_for.h"

struct TAttachKey {
  std::string dataPath;  // the mailbox's data file
  std::int32_t messageId = -1;
  int index = 0;         // into the parser's attachment list

  bool operator<(const TAttachKey& other) const {
    return std::tie(dataPath, messageId, index) < std::tie(other.dataPath, other.messageId, other.index);
  }
};

class TMsgAttachList {
 public:
  // The recorded file when there is one and it still exists; empty otherwise.
  std::string Find(const TAttachKey& key, const TFileExists& exists) const;
  // Records (or replaces) the file written for the attachment.
  void Record(const TAttachKey& key, const std::string& path) { files_[key] = path; }
  const std::map<TAttachKey, std::string>& Files() const { return files_; }
  // At the end of the run: deletes every recorded file and forgets them all. A file that
  // cannot be deleted (a program still has it open) is left in the temporary folder.
  void DeleteFiles(const std::function<bool(const std::string& path)>& deleteFile);

 private:
  std::map<TAttachKey, std::string> files_;
};
