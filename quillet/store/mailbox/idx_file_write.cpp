// TIdxFile: the writers. Each puts an item's text into the data file before the index
// record that points at it, so a failure leaves at most unindexed bytes, which Pack
// removes.
#include <algorithm>
#include <limits>
#include <vector>

#include "platform/file.h"
#include "quillet/store/mailbox/detail/byte_order.h"
#include "quillet/store/mailbox/detail/file_guard.h"
#include "quillet/store/mailbox/detail/guard_stream.h"
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
// next record is written over the fragment. Expects header_ to be fresh.
void TIdxFile::SettlePartialTail(TFileGuard& index, TIndexTable& table, std::int64_t dataSize) {
  TIdxRecord tail;
  if (!table.ReadPartialTail(tail)) return;
  if (tail.DataOffset < k_separatorSize || !store_limits::TextWithin(tail, dataSize)) return;
  table.CompletePartialTail();
  if (!KeepsCounters() || !tail.IsLive()) return;
  table.Read(table.Count() - 1, tail);
  CountRecoveredItem(tail, header_);
  WriteHeaderTo(index);
}

// The append of a cut-off record broke off before its counters were updated: the
// recovered item is counted as that append would have counted it.
void TIdxFile::CountRecoveredItem(const TIdxRecord& item, TIdxHeader& header) const {
  if (!KeepsCounters() || !item.IsLive()) return;
  bool unread = false;
  if (IsUnreadRecord(item, unread) && unread) header.UnreadCount = store_limits::WrapAdd(header.UnreadCount, 1);
  header.ItemCount = store_limits::WrapAdd(header.ItemCount, 1);
  header.TotalBytes = store_limits::WrapAdd(header.TotalBytes, std::int64_t{item.DataSize} + k_separatorSize);
}

// Writes the separator and up to count bytes of the source (all that remain when count
// is negative) at the end of the data file; returns the bytes copied.
std::int64_t TIdxFile::AppendText(TFileGuard& data, TStream& source, std::int64_t count, std::int64_t start,
                                  std::int32_t& offset) {
  std::int64_t textStart = data.Size() + k_separatorSize;
  if (textStart > store_limits::k_maxDataPosition) throw EFileException(EFileException::kWrite, data.Path());
  data.WriteAt(textStart - k_separatorSize, k_itemSeparator.data(), k_separatorSize);
  offset = static_cast<std::int32_t>(textStart);
  source.Seek(start, TSeekOrigin::soBeginning);
  std::vector<char> buffer(k_copyChunk);
  std::int64_t copied = 0;
  while (count < 0 || copied < count) {
    std::int32_t want = k_copyChunk;
    if (count >= 0) want = static_cast<std::int32_t>(std::min<std::int64_t>(want, count - copied));
    std::int32_t n = source.Read(buffer.data(), want);
    if (n <= 0) break;
    if (textStart + copied + n > store_limits::k_maxDataPosition)
      throw EFileException(EFileException::kWrite, data.Path());
    data.WriteAt(textStart + copied, buffer.data(), n);
    copied += n;
  }
  return copied;
}

// Stores the new id as LastId, then appends the record (the id also in its first four
// summary bytes).
void TIdxFile::AddRecord(TFileGuard& index, TIndexTable& table, TIdxRecord& record) {
  header_.LastId = record.Id;
  WriteHeaderTo(index);
  store_bytes::PutInt32(record.Summary.data(), record.Id);
  table.Append(record);
}

void TIdxFile::Append(TIdxRecord& record, TStream& source, std::int64_t count, std::int64_t start) {
  TFileGuard index = OpenIndex(true);
  RefuseIfEncrypted(index);
  TFileGuard data = OpenData(true);
  TIndexTable table(index);
  SettlePartialTail(index, table, data.Size());
  record.Id = NextId(table);
  record.Deleted = 0;
  std::int64_t written = AppendText(data, source, count, start, record.DataOffset);
  record.DataSize = static_cast<std::int32_t>(written);
  data.Close();
  AddRecord(index, table, record);
  bool unread = false;
  int unreadDelta = IsUnreadRecord(record, unread) && unread ? 1 : 0;
  UpdateCountersIn(index, unreadDelta, 1, -1, written);
}

bool TIdxFile::ReplaceMessage(TIdxRecord& record, TStream& text) {
  TFileGuard index = OpenIndex(true);
  RefuseIfEncrypted(index);
  TIndexTable table(index);
  TIdxRecord before;
  std::int64_t position = table.FindRecord(record.Id, before);
  if (position < 0 || !before.IsLive()) return false;
  TFileGuard data = OpenData(true);
  std::int64_t written = AppendText(data, text, -1, 0, record.DataOffset);
  data.Close();
  record.DataSize = static_cast<std::int32_t>(written);
  record.Deleted = 0;
  table.Write(position, record);
  UpdateCountersIn(index, UnreadDelta(before, record), 0, NonNegative(before.DataSize), written);
  return true;
}

void TIdxFile::EditAt(TFileGuard& index, TIndexTable& table, std::int64_t position, const TIdxRecord& before,
                      const TIdxRecord& after) {
  table.Write(position, after);
  bool moved = before.DataOffset != after.DataOffset || before.DataSize != after.DataSize;
  UpdateCountersIn(index, UnreadDelta(before, after), 0, moved ? NonNegative(before.DataSize) : -1,
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
  EditAt(index, table, position, before, after);
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
  table.WriteDeletedFlag(position, 1);
  bool unread = false;
  int unreadDelta = IsUnreadRecord(record, unread) && unread ? -1 : 0;
  UpdateCountersIn(index, unreadDelta, -1, NonNegative(record.DataSize), -1);
  return true;
}

void TIdxFile::DeleteAll() {
  TFileGuard index = OpenIndex(true);
  ReadHeaderFrom(index);
  TIndexTable table(index);
  table.MarkAllDeleted();
  header_.WastedBytes = header_.TotalBytes;
  header_.UnreadCount = 0;
  header_.ItemCount = 0;
  WriteHeaderTo(index);
  index.Close();
  if (KeepsCounters()) Notify();
}

std::int32_t TIdxFile::MoveFrom(TIdxFile& source, std::int32_t id) {
  TIdxRecord record;
  if (!source.FindRecord(id, record)) return -1;
  TIdxRecord moved = record;
  {
    TFileGuard sourceIndex = source.OpenIndex(false);
    source.RefuseIfEncrypted(sourceIndex);
  }
  {
    TFileGuard sourceData = source.OpenData(false);
    if (!store_limits::TextWithin(record, sourceData.Size()))
      throw EFileException(EFileException::kRead, source.DataPath());
    TGuardStream text(sourceData);
    Append(moved, text, record.DataSize, record.DataOffset);
  }
  if (moved.DataSize != record.DataSize) {  // the source file shrank underneath: keep the original
    DeleteRecord(moved.Id);
    throw EFileException(EFileException::kRead, source.DataPath());
  }
  source.DeleteRecord(id);
  return moved.Id;
}

std::string TIdxFile::BeginAppend() {
  {
    TFileGuard index = OpenIndex(false);
    RefuseIfEncrypted(index);
  }
  TFileGuard data = OpenData(true);
  std::int64_t textStart = data.Size() + k_separatorSize;
  if (textStart > store_limits::k_maxDataPosition) throw EFileException(EFileException::kWrite, dataPath_);
  data.WriteAt(textStart - k_separatorSize, k_itemSeparator.data(), k_separatorSize);
  appendStart_ = textStart;
  return dataPath_;
}

void TIdxFile::CancelAppend() { appendStart_ = -1; }

void TIdxFile::EndAppend(TIdxRecord& record) {
  if (appendStart_ < 0) throw EIdxFileError(k_textEndWithoutBegin);
  std::int64_t start = appendStart_;
  appendStart_ = -1;
  std::int64_t end = platform::FileSizeByName(dataPath_);
  if (end < start) throw EFileException(EFileException::kRead, dataPath_);
  if (end > store_limits::k_maxDataPosition) throw EFileException(EFileException::kWrite, dataPath_);
  record.DataOffset = static_cast<std::int32_t>(start);
  record.DataSize = static_cast<std::int32_t>(end - start);
  record.Deleted = 0;
  if (record.Id != -1) {
    EditHead(record);
    return;
  }
  TFileGuard index = OpenIndex(true);
  RefuseIfEncrypted(index);
  TIndexTable table(index);
  SettlePartialTail(index, table, end);
  record.Id = NextId(table);
  AddRecord(index, table, record);
  bool unread = false;
  int unreadDelta = IsUnreadRecord(record, unread) && unread ? 1 : 0;
  UpdateCountersIn(index, unreadDelta, 1, -1, record.DataSize);
}
