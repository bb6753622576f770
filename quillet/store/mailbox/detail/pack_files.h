// The files of a compaction, beside the pair in its own folder, so that every rename
// stays on one drive and replaces its target in one step (store-internal):
//
//   BASE.BO#  the compacted data file: written first, completely, and flushed;
//   BASE.IN$  the compacted index while it is being written;
//   BASE.IN#  the compacted index, complete and flushed (BASE.IN$ renamed).
//
// The commit renames BASE.BO# over BASE.BOX, then BASE.IN# over BASE.IND. What is found
// on disk therefore always tells how far a compaction got:
//   BASE.IN# without BASE.BO#   the new data is in place: renaming the index finishes;
//   BASE.BO# (with or without BASE.IN#), BASE.IN$
//                               nothing was committed: the old pair is whole, and the
//                               new files are removed.
#pragma once

#include <string>

struct TPackFiles {
  explicit TPackFiles(const std::string& basePath)
      : data(basePath + ".BO#"), indexBeingWritten(basePath + ".IN$"), index(basePath + ".IN#") {}

  std::string data, indexBeingWritten, index;
};

// Finishes a compaction that stopped between its two renames. False when the index is
// due but cannot be renamed (the pair must not be used then).
bool FinishPackCommit(const TPackFiles& files, const std::string& indexPath);
// Finishes a stopped commit as above, and removes the files of a compaction that
// committed nothing.
bool SettlePackFiles(const TPackFiles& files, const std::string& indexPath);
