// TIdxFile: a pair of files with one base path, the index (base + ".IND") and the data
// file (base + ".BOX"). The data file holds the items' texts one after another, each
// after a 16-byte separator; the index holds a 64-byte header and one 176-byte record per
// item pointing into the data file (formats in idx_format.h). Items have 32-bit ids that
// are unique within the pair and never reused. Deleting only flags a record; the space
// counts as wasted until Pack compacts the pair.
//
// No file handle is kept between calls: every operation opens the files it needs and
// closes them before it returns, whatever the outcome. File failures raise
// EFileException (kind and file name); see also store_errors.h.
//
// While a pair is encrypted its data lives in base + ".BO~": every operation that reads
// or writes item texts (appending, replacing, reading, moving, the separator check and
// Pack) raises EOperateOnEncrypted; the index stays usable.
//
// Subclasses own the 163-byte summary of each record (TMailBox: the message summary) and
// decide through three virtual operations whether the header's counters are kept.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "quillet/common/stream.h"
#include "quillet/common/user_prompts.h"
#include "quillet/store/mailbox/detail/idx_format.h"
#include "quillet/store/mailbox/store_errors.h"

class TIdxFile;
class TFileGuard;
class TIndexTable;
class TWriteRollback;

// The process-wide change notifier (the store's one sanctioned global, change_notifier.cpp):
// called with the pair whenever a writer changed its
// unread or item counters, and by DeleteAll and SetEncrypted (pairs that keep counters
// only). Empty by default; the system manager installs one that tells the main window.
using TChangeNotifier = std::function<void(TIdxFile&)>;
void SetChangeNotifier(TChangeNotifier notifier);
const TChangeNotifier& ChangeNotifier();

// What GetSpaceInfo finds.
struct TSpaceInfo {
  std::int32_t LiveCount = 0;     // live records
  std::int64_t Wasted = 0;        // data-file bytes that no live item uses
  std::int64_t DataFileSize = 0;  // of ".BOX", or of ".BO~" while encrypted
};

// The file operations Pack uses to check the disk, to put the compacted files on the disk
// and in place, and to remove them when it fails. Tests replace them to make a step fail;
// the defaults are the platform's (Flush raises EFileException kind write).
struct TPackFileOps {
  std::function<std::int64_t(const std::string& path)> FreeSpace;  // -1 when unknown
  std::function<void(TFileGuard& file)> Flush;
  std::function<bool(const std::string& from, const std::string& to)> Rename;
  std::function<bool(const std::string& path)> Delete;
  static TPackFileOps Platform();
};

class TIdxFile {
 public:
  // Opens the pair, creating it when the index does not exist (an empty data file, then
  // a fresh header) and upgrading an index of version 5 or lower. A compaction that
  // stopped half-way is finished or undone (idx_pack.cpp), and counters that a writer
  // left half-updated are worked out again. An index without a whole header beside an
  // empty or missing data file is a creation that broke off: the pair is created anew.
  // Throws EFileException kind create when the pair cannot be created (and leaves
  // nothing behind), kind read when the header is short.
  explicit TIdxFile(const std::string& basePath);
  virtual ~TIdxFile();
  TIdxFile(const TIdxFile&) = delete;
  TIdxFile& operator=(const TIdxFile&) = delete;

  const std::string& BasePath() const { return basePath_; }
  const std::string& IndexPath() const { return indexPath_; }
  const std::string& DataPath() const { return dataPath_; }
  // Where the data lives while the pair is encrypted: base + ".BO~".
  std::string EncryptedDataPath() const { return basePath_ + ".BO~"; }
  // The header as last read or written.
  const TIdxHeader& Header() const { return header_; }

  // Whether the header's unread and item counters are maintained (false here).
  virtual bool KeepsCounters() const;
  // Recomputes the two counters by scanning (0 and 0 here).
  virtual void Recount(std::int32_t& unreadCount, std::int32_t& itemCount);
  // Returns whether the unread flag applies to this kind of record; here it does not
  // (unread is set true and false is returned, so no counter changes follow).
  virtual bool IsUnreadRecord(const TIdxRecord& record, bool& unread) const;

  // Reads the 64 header bytes into Header(); a short read raises kind read.
  void ReadHeader();
  // Writes Header() (or the given header, which becomes Header()); kind write if short.
  void WriteHeader();
  void WriteHeader(const TIdxHeader& header);

  // Appends count bytes of the source (all that remain when count is negative), read
  // from position start, as a new item. The record gets the next id (also stored in the
  // first four summary bytes), Deleted 0 and the new location; DataSize is the number of
  // bytes actually copied. Refused with EOperateOnEncrypted on an encrypted pair.
  void Append(TIdxRecord& record, TStream& source, std::int64_t count, std::int64_t start);
  // Stores the whole text (from position 0) as the new text of the record's item and
  // writes the caller's record over the stored one. False, with nothing changed, when
  // the id has no record or its record is deleted.
  bool ReplaceMessage(TIdxRecord& record, TStream& text);
  // Rewrites the live record with the caller's id by the caller's record (kept live).
  // Raises EIdxFileError "Can not find record head in EditHead" when there is none.
  void EditHead(const TIdxRecord& record);
  // Fills record when the id has one; true only when it is live.
  bool FindRecord(std::int32_t id, TIdxRecord& record);
  // Location of the id's record, live or not.
  bool GetLocation(std::int32_t id, std::int32_t& offset, std::int32_t& size);
  // Copies the live item's text (whole) or what follows its header block (the lines up
  // to and including the first empty line) into the destination, then rewinds the
  // destination to 0. False when the id has no live record; EFileException kind read
  // when the item's text does not lie within the data file.
  bool ReadMessage(std::int32_t id, TStream& destination, bool whole);
  // Appends a copy of every live record, in file order.
  void ListRecords(std::vector<TIdxRecord>& records);
  // Flags the live record deleted. False when the id has no live record.
  bool DeleteRecord(std::int32_t id);
  // The id of the next live record after (forward) or the last live one before the id's
  // record; -1 when there is none or the id has no record.
  std::int32_t NeighbourId(std::int32_t id, bool forward);
  // Appends the source's live item with its summary to this pair, then deletes it in the
  // source. Returns the new id, or -1 when the source has no live record of that id.
  // An item whose text does not lie within the source's data file is not moved
  // (EFileException kind read); an encrypted source or target is refused.
  std::int32_t MoveFrom(TIdxFile& source, std::int32_t id);
  // Flags every live record deleted; the whole data file counts as wasted.
  void DeleteAll();

  // Live records and the data-file bytes they do not use (each item counted with the
  // part of its text the data file really holds).
  TSpaceInfo GetSpaceInfo();
  // Index size + data-file size - wasted: an upper bound of the packed pair's size.
  std::int64_t EstimatedPackedSize();
  // The number of live records whose separator is wrong or whose text runs past the end
  // of the data file, plus one when the pair keeps counters and the header's unread or
  // item count differs from the live records; 0 means the pair is sound. Refused on an
  // encrypted pair.
  std::int32_t CheckSeparators();

  // Streamed append: BeginAppend writes the separator at the end of the data file and
  // returns DataPath(); the caller writes the text at the end of that file, then calls
  // EndAppend with the record (Id -1 for a new item, else the id whose text the new one
  // supersedes). CancelAppend leaves what was written as unindexed space; AbandonAppend
  // cuts the data file back to its size before BeginAppend.
  std::string BeginAppend();
  void CancelAppend();
  void AbandonAppend();
  void EndAppend(TIdxRecord& record);

  bool IsEncrypted();
  void SetEncrypted(bool encrypted);
  // Stores the first 16 characters of a non-empty title; an empty one changes nothing.
  void SetTitle(const std::string& title);
  std::string GetTitle();
  // True when 0 < percent < 100 and the wasted share of the total bytes is at least percent.
  bool NeedsPack(int percent);

  // Compacts the pair: copies the live items into new files beside it and renames them
  // over the pair's own (idx_pack.cpp); ids stay, and the header's counters are worked
  // out from the live records. Returns false, with nothing changed, when the user was
  // told that the disk is full. Refused on an encrypted pair. When the new files cannot
  // be put in place, EIdxFileError ("Can not put the packed files in place of ...")
  // names the files that hold the data; a compaction stopped half-way is finished or
  // undone when the pair is next used.
  bool Pack(TUserPrompts& prompts);
  void SetPackFileOps(TPackFileOps ops) { packOps_ = std::move(ops); }

 protected:
  // For subclasses: constructs without opening, so that the subclass's constructor can
  // call OpenPair() once its virtual operations are in place (an upgrade recounts).
  struct TDeferOpen {};
  TIdxFile(const std::string& basePath, TDeferOpen);
  void OpenPair();

  // The common tail of the writers, for pairs that keep counters: adds the deltas to the
  // header's counts, an item's size plus its separator to WastedBytes (wastedItemSize
  // >= 0) and to TotalBytes (addedItemSize >= 0), writes the header, and notifies when a
  // count changed. A size of -1 means no item.
  void UpdateCounters(int unreadDelta, int itemDelta, std::int64_t wastedItemSize, std::int64_t addedItemSize);

  // Calls visit(record) for every live record in file order, reading in large blocks.
  void ForEachLiveRecord(const std::function<void(const TIdxRecord&)>& visit);
  // Finds the live record of the id, lets change edit a copy, writes it back and updates
  // the counters as EditHead does. False when the id has no live record.
  bool EditLiveRecord(std::int32_t id, const std::function<void(TIdxRecord&)>& change);
  // The readable bytes of the id's item, live or not (cut at the end of the data file).
  // False when the id has no record. Refused on an encrypted pair.
  bool ReadLocatedText(std::int32_t id, std::string& text);

 private:
  TFileGuard OpenIndex(bool forWriting);
  TFileGuard OpenData(bool forWriting);
  void CreatePair();
  bool IsUnfinishedCreation();
  void Upgrade();
  void RecountHeader(bool upgrade = false);
  void FinishCompaction();
  void ReadHeaderFrom(TFileGuard& index);
  void WriteHeaderTo(TFileGuard& index);
  void RefuseIfEncrypted(TFileGuard& index);
  // The id's record, live or not, from a pair whose texts may be read; false when the id
  // has none. Refused on an encrypted pair.
  bool FindTextRecord(std::int32_t id, TIdxRecord& record);
  // Adds to the counters in the header and clears the pending mark; true when a count
  // changed, so that the caller notifies once the index is closed.
  bool WriteCountersTo(TFileGuard& index, int unreadDelta, int itemDelta, std::int64_t wastedItemSize,
                       std::int64_t addedItemSize);
  // Marks the counters as pending before a writer changes records (pairs that keep them).
  void MarkCountsPending(TFileGuard& index);
  void CloseAndNotify(TFileGuard& index, bool notify);
  void Notify();
  int UnreadDelta(const TIdxRecord& before, const TIdxRecord& after) const;
  std::int32_t NextId(TIndexTable& table);
  void SettlePartialTail(TFileGuard& index, TIndexTable& table, std::int64_t dataSize);
  std::int64_t AppendText(TFileGuard& data, TStream& source, std::int64_t count, std::int64_t start,
                          std::int32_t& offset);
  bool AddItem(TFileGuard& index, TIndexTable& table, TIdxRecord& record);
  bool Supersede(TFileGuard& index, TIndexTable& table, const TIdxRecord& record, TWriteRollback& rollback);
  std::int64_t BodyStart(TFileGuard& data, std::int64_t offset, std::int64_t size);
  bool EditAt(TFileGuard& index, TIndexTable& table, std::int64_t position, const TIdxRecord& before,
              const TIdxRecord& after);

  std::string basePath_;
  std::string indexPath_;
  std::string dataPath_;
  TIdxHeader header_;
  std::int64_t appendStart_ = -1;  // first text byte of a streamed append in progress
  TPackFileOps packOps_;
};
