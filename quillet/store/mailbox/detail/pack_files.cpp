#include "quillet/store/mailbox/detail/pack_files.h"

#include "platform/file.h"

bool FinishPackCommit(const TPackFiles& files, const std::string& indexPath) {
  if (!platform::FileExists(files.index) || platform::FileExists(files.data)) return true;
  return platform::FileRename(files.index, indexPath);
}

bool SettlePackFiles(const TPackFiles& files, const std::string& indexPath) {
  if (!FinishPackCommit(files, indexPath)) return false;
  // The data file goes last, and only once the new index is gone: a new index without
  // it would mean "data in place".
  for (const std::string& path : {files.indexBeingWritten, files.index})
    if (platform::FileExists(path)) platform::FileDelete(path);
  if (!platform::FileExists(files.index) && platform::FileExists(files.data)) platform::FileDelete(files.data);
  return true;
}
