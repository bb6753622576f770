// TIdxFile: the writers. Each puts an item's text into the data file before the index
// record that points at it, and marks the header's counters pending before it changes a
// record (cleared with the counters' update), so a crash leaves at most unindexed bytes,
// which Pack removes, and counters that the next opening works out again. A writer that
// fails part of the way undoes what it wrote (TWriteRollback) before it reports the error.
#include <algorithm>
#include <limits>
#include <vector>

#include "platform/file.h"
#include "quillet/common/range_stream.h"
#include "quillet/store/mailbox/detail/byte_order.h"
#include "quillet/store/mailbox/detail/file_guard.h"
#include "quillet/store/mailbox/detail/write_rollback.h"
#include "quillet/store/mailbox/idx_file.h"
#include "quillet/store/mailbox/detail/index_table.h"
#include "quillet/store/mailbox/store_limits.h"

namespace {
constexpr std::int32_t k_copyChunk = 64 * 1024;

std::int64_t NonNegative(std::int32_t size) { return std::max<std::int32_t>(size, 0); }
}  // namespace

// The id after the highest one in use. In a sound pair that is LastId + 1. A header whose
// LastId is below the last record's id is damaged; then every record is looked at, so
// that the new item shares no id.
std::int32_t TIdxFile::NextId(TIndexTable& table) {
  std::int32_t highest = header_.LastId;
  if (table.Count() > 0 && table.ReadId(table.Count() - 1) > highest) {
    table.Scan(0, [&](std::int64_t, const std::uint8_t* raw) {
      highest = std::max(highest, store_bytes::GetInt32(raw + idx_record_offset::k_id));
      return true;
    });
  }
  if (highest == std::numeric_limits<std::int32_t>::max()) throw EIdxFileError(k_textNoNewId);
  return std::max(highest, 0) + 1;
}

// A record cut off at the end of the index (its write was interrupted) is completed with
// zeros when its text is whole in the data file, so the item is not lost; otherwise the
// next record is written over the fragment. The counters are then counted afresh: the
// append that was cut off may or may not have counted its item. Expects header_ to be
// fresh.
void TIdxFile::SettlePartialTail(TFileGuard& index, TIndexTable& table, std::int64_t dataSize) {
  TIdxRecord tail;
  if (!table.ReadPartialTail(tail)) return;
  if (tail.DataOffset < k_separatorSize || !store_limits::TextWithin(tail, dataSize)) return;
  bool counts = KeepsCounters() && tail.IsLive();
  if (counts) MarkCountsPending(index);
  table.CompletePartialTail();
  if (!counts) return;
  std::int32_t unread = 0, items = 0;
  TIdxRecord record;
  table.Scan(0, [&](std::int64_t, const std::uint8_t* raw) {
    DecodeRecord(raw, record);
    bool isUnread = false;
    if (record.IsLive()) ++items;
    if (record.IsLive() && IsUnreadRecord(record, isUnread) && isUnread) ++unread;
    return true;
  });
  header_.UnreadCount = unread;
  header_.ItemCount = items;
  header_.TotalBytes = store_limits::WrapAdd(header_.TotalBytes, std::int64_t{tail.DataSize} + k_separatorSize);
  header_.SetCountsPending(false);
  WriteHeaderTo(index);
}

// Writes the separator and up to count bytes of the source (all that remain when count
// is negative) at the end of the data file; returns the bytes copied.
std::int64_t TIdxFile::AppendText(TFileGuard& data, TStream& source, std::int64_t count, std::int64_t start,
                                  std::int32_t& offset) {
  std::int64_t textStart = data.Size() + k_separatorSize;
  if (textStart > store_limits::k_maxDataPosition) throw EFileException(EFileException::Kind::Write, data.Path());
  data.WriteAt(textStart - k_separatorSize, k_itemSeparator.data(), k_separatorSize);
  offset = static_cast<std::int32_t>(textStart);
  source.Seek(start, TSeekOrigin::Beginning);
  std::vector<char> buffer(k_copyChunk);
  std::int64_t copied = 0;
  while (count < 0 || copied < count) {
    std::int32_t want = k_copyChunk;
    if (count >= 0) want = static_cast<std::int32_t>(std::min<std::int64_t>(want, count - copied));
    std::int32_t n = source.Read(buffer.data(), want);
    if (n <= 0) break;
    if (textStart + copied + n > store_limits::k_maxDataPosition)
      throw EFileException(EFileException::Kind::Write, data.Path());
    data.WriteAt(textStart + copied, buffer.data(), n);
    copied += n;
  }
  return copied;
}

// Gives the record the next id (also in its first four summary bytes), stores it as
// LastId with the counters marked pending, appends the record and counts the item.
// True when the caller is to notify.
bool TIdxFile::AddItem(TFileGuard& index, TIndexTable& table, TIdxRecord& record) {
  record.Id = NextId(table);
  record.Deleted = 0;
  header_.LastId = record.Id;
  if (KeepsCounters()) header_.SetCountsPending(true);
  WriteHeaderTo(index);
  store_bytes::PutInt32(record.Summary.data(), record.Id);
  table.Append(record);
  bool unread = false;
  int unreadDelta = IsUnreadRecord(record, unread) && unread ? 1 : 0;
  return WriteCountersTo(index, unreadDelta, 1, -1, record.DataSize);
}

void TIdxFile::Append(TIdxRecord& record, TStream& source, std::int64_t count, std::int64_t start) {
  TFileGuard index = OpenIndex(true);
  RefuseIfEncrypted(index);
  TFileGuard data = OpenData(true);
  TIndexTable table(index);
  SettlePartialTail(index, table, data.Size());
  TWriteRollback rollback(index);
  rollback.KeepDataEnd(data);
  std::int64_t written = AppendText(data, source, count, start, record.DataOffset);
  record.DataSize = static_cast<std::int32_t>(written);
  bool notify = AddItem(index, table, record);
  rollback.Commit();
  data.Close();
  CloseAndNotify(index, notify);
}

bool TIdxFile::ReplaceMessage(TIdxRecord& record, TStream& text) {
  TFileGuard index = OpenIndex(true);
  RefuseIfEncrypted(index);
  TIndexTable table(index);
  TIdxRecord before;
  std::int64_t position = table.FindRecord(record.Id, before);
  if (position < 0 || !before.IsLive()) return false;
  TFileGuard data = OpenData(true);
  TWriteRollback rollback(index);
  rollback.KeepDataEnd(data);
  rollback.KeepRecord(TIndexTable::PositionOf(position));
  std::int64_t written = AppendText(data, text, -1, 0, record.DataOffset);
  record.DataSize = static_cast<std::int32_t>(written);
  record.Deleted = 0;
  MarkCountsPending(index);
  table.Write(position, record);
  bool notify = WriteCountersTo(index, UnreadDelta(before, record), 0, NonNegative(before.DataSize), written);
  rollback.Commit();
  data.Close();
  CloseAndNotify(index, notify);
  return true;
}

// Writes only the bytes that change, so that marking a message rewrites one byte. The
// counters are marked pending first when the edit changes them.
bool TIdxFile::EditAt(TFileGuard& index, TIndexTable& table, std::int64_t position, const TIdxRecord& before,
                      const TIdxRecord& after) {
  bool moved = before.DataOffset != after.DataOffset || before.DataSize != after.DataSize;
  int unreadDelta = UnreadDelta(before, after);
  if (moved || unreadDelta != 0) MarkCountsPending(index);
  table.WriteChanges(position, before, after);
  return WriteCountersTo(index, unreadDelta, 0, moved ? NonNegative(before.DataSize) : -1,
                         moved ? NonNegative(after.DataSize) : -1);
}

bool TIdxFile::EditLiveRecord(std::int32_t id, const std::function<void(TIdxRecord&)>& change) {
  TFileGuard index = OpenIndex(true);
  TIndexTable table(index);
  TIdxRecord before;
  std::int64_t position = table.FindRecord(id, before);
  if (position < 0 || !before.IsLive()) return false;
  TIdxRecord after = before;
  change(after);
  after.Id = before.Id;
  after.Deleted = 0;  // deleting is DeleteRecord's work, with its counters
  TWriteRollback rollback(index);
  rollback.KeepRecord(TIndexTable::PositionOf(position));
  bool notify = EditAt(index, table, position, before, after);
  rollback.Commit();
  CloseAndNotify(index, notify);
  return true;
}

void TIdxFile::EditHead(const TIdxRecord& record) {
  if (!EditLiveRecord(record.Id, [&](TIdxRecord& stored) { stored = record; }))
    throw EIdxFileError(k_textNoRecordHead);
}

// A record that is already deleted is left alone: flagging it again would count its
// space and its item twice.
bool TIdxFile::DeleteRecord(std::int32_t id) {
  TFileGuard index = OpenIndex(true);
  TIndexTable table(index);
  TIdxRecord record;
  std::int64_t position = table.FindRecord(id, record);
  if (position < 0 || !record.IsLive()) return false;
  TWriteRollback rollback(index);
  rollback.KeepRecord(TIndexTable::PositionOf(position));
  MarkCountsPending(index);
  table.WriteDeletedFlag(position, 1);
  bool unread = false;
  int unreadDelta = IsUnreadRecord(record, unread) && unread ? -1 : 0;
  bool notify = WriteCountersTo(index, unreadDelta, -1, NonNegative(record.DataSize), -1);
  rollback.Commit();
  CloseAndNotify(index, notify);
  return true;
}

// Not undone when it fails part of the way (the records already flagged stay deleted;
// a second call finishes); the counters are marked pending meanwhile.
void TIdxFile::DeleteAll() {
  TFileGuard index = OpenIndex(true);
  ReadHeaderFrom(index);
  MarkCountsPending(index);
  TIndexTable table(index);
  table.MarkAllDeleted();
  header_.WastedBytes = header_.TotalBytes;
  header_.UnreadCount = 0;
  header_.ItemCount = 0;
  header_.SetCountsPending(false);
  WriteHeaderTo(index);
  CloseAndNotify(index, KeepsCounters());
}

// Copy first, then delete in the source: a move that stops between the two leaves the
// message in both pairs, never in neither. A failed delete in the source takes the copy
// back out of this pair.
std::int32_t TIdxFile::MoveFrom(TIdxFile& source, std::int32_t id) {
  TIdxRecord record;
  if (!source.FindRecord(id, record)) return -1;
  TIdxRecord moved = record;
  {
    TFileGuard sourceIndex = source.OpenIndex(false);
    source.RefuseIfEncrypted(sourceIndex);
  }
  {
    TFileStream sourceData(source.DataPath(), TFileStream::Mode::OpenRead);
    if (!store_limits::TextWithin(record, sourceData.Size()))
      throw EFileException(EFileException::Kind::Read, source.DataPath());
    TRangeStream text(sourceData, record.DataOffset, record.DataSize);
    Append(moved, text, record.DataSize, 0);
  }
  if (moved.DataSize != record.DataSize) {  // the source file shrank underneath: keep the original
    DeleteRecord(moved.Id);
    throw EFileException(EFileException::Kind::Read, source.DataPath());
  }
  try {
    source.DeleteRecord(id);
  } catch (const Exception&) {
    try {
      DeleteRecord(moved.Id);
    } catch (const Exception&) {
      // Then the message stays in both pairs, which loses nothing.
    }
    throw;
  }
  return moved.Id;
}

std::string TIdxFile::BeginAppend() {
  {
    TFileGuard index = OpenIndex(false);
    RefuseIfEncrypted(index);
  }
  TFileGuard data = OpenData(true);
  std::int64_t end = data.Size(), textStart = end + k_separatorSize;
  if (textStart > store_limits::k_maxDataPosition) throw EFileException(EFileException::Kind::Write, dataPath_);
  try {
    data.WriteAt(end, k_itemSeparator.data(), k_separatorSize);
  } catch (const EFileException&) {
    data.TruncateTo(end);  // no part of a separator stays behind
    throw;
  }
  appendStart_ = textStart;
  return dataPath_;
}

void TIdxFile::CancelAppend() { appendStart_ = -1; }

void TIdxFile::AbandonAppend() {
  if (appendStart_ < 0) return;
  std::int64_t oldEnd = appendStart_ - k_separatorSize;
  appendStart_ = -1;
  TFileGuard data = OpenData(true);
  if (!data.TruncateTo(oldEnd)) throw EFileException(EFileException::Kind::Write, dataPath_);
}

// A failure takes the streamed text and its separator off the end of the data file again
// (the pair has one writer at a time, so nothing else was appended after it).
void TIdxFile::EndAppend(TIdxRecord& record) {
  if (appendStart_ < 0) throw EIdxFileError(k_textEndWithoutBegin);
  std::int64_t start = appendStart_;
  appendStart_ = -1;
  std::int64_t end = platform::FileSizeByName(dataPath_);
  if (end < start) throw EFileException(EFileException::Kind::Read, dataPath_);
  if (end > store_limits::k_maxDataPosition) throw EFileException(EFileException::Kind::Write, dataPath_);
  record.DataOffset = static_cast<std::int32_t>(start);
  record.DataSize = static_cast<std::int32_t>(end - start);
  record.Deleted = 0;
  TFileGuard index = OpenIndex(true);
  if (record.Id == -1) RefuseIfEncrypted(index);
  TFileGuard data = OpenData(true);
  TIndexTable table(index);
  if (record.Id == -1) SettlePartialTail(index, table, end);
  TWriteRollback rollback(index);
  rollback.KeepDataEnd(data, start - k_separatorSize);
  bool notify = record.Id == -1 ? AddItem(index, table, record) : Supersede(index, table, record, rollback);
  rollback.Commit();
  data.Close();
  CloseAndNotify(index, notify);
}

// The streamed text becomes the live record's new text: EditHead with a new location.
bool TIdxFile::Supersede(TFileGuard& index, TIndexTable& table, const TIdxRecord& record, TWriteRollback& rollback) {
  TIdxRecord before;
  std::int64_t position = table.FindRecord(record.Id, before);
  if (position < 0 || !before.IsLive()) throw EIdxFileError(k_textNoRecordHead);
  rollback.KeepRecord(TIndexTable::PositionOf(position));
  return EditAt(index, table, position, before, record);
}
