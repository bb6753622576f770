// TIdxFile: lookups, reading items, listing, space accounting and the separator check.
#include <algorithm>
#include <vector>

#include "platform/file.h"
#include "quillet/store/mailbox/detail/byte_order.h"
#include "quillet/store/mailbox/detail/file_guard.h"
#include "quillet/store/mailbox/idx_file.h"
#include "quillet/store/mailbox/detail/index_table.h"
#include "quillet/store/mailbox/detail/read_window.h"
#include "quillet/store/mailbox/store_limits.h"

namespace {
constexpr std::int32_t k_copyChunk = 64 * 1024;

bool IsLiveRaw(const std::uint8_t* raw) { return raw[idx_record_offset::k_deleted] == 0; }

// Copies [from, from + size) of the file into the stream; the range was checked against
// the file's size, so a short read means the file changed underneath.
void CopyRange(TFileGuard& file, std::int64_t from, std::int64_t size, TStream& destination) {
  std::vector<char> buffer(static_cast<size_t>(std::min<std::int64_t>(std::max<std::int64_t>(size, 1), k_copyChunk)));
  for (std::int64_t done = 0; done < size;) {
    std::int32_t want = static_cast<std::int32_t>(std::min<std::int64_t>(k_copyChunk, size - done));
    file.ReadExactAt(from + done, buffer.data(), want);
    destination.WriteBuffer(buffer.data(), want);
    done += want;
  }
}
}  // namespace

bool TIdxFile::FindRecord(std::int32_t id, TIdxRecord& record) {
  TFileGuard index = OpenIndex(false);
  TIndexTable table(index);
  return table.FindRecord(id, record) >= 0 && record.IsLive();
}

bool TIdxFile::GetLocation(std::int32_t id, std::int32_t& offset, std::int32_t& size) {
  TIdxRecord record;
  {
    TFileGuard index = OpenIndex(false);
    TIndexTable table(index);
    if (table.FindRecord(id, record) < 0) return false;
  }
  offset = record.DataOffset;
  size = record.DataSize;
  return true;
}

bool TIdxFile::FindTextRecord(std::int32_t id, TIdxRecord& record) {
  TFileGuard index = OpenIndex(false);
  RefuseIfEncrypted(index);
  TIndexTable table(index);
  return table.FindRecord(id, record) >= 0;
}

bool TIdxFile::ReadMessage(std::int32_t id, TStream& destination, bool whole) {
  TIdxRecord record;
  if (!FindTextRecord(id, record) || !record.IsLive()) return false;
  TFileGuard data = OpenData(false);
  if (!store_limits::TextWithin(record, data.Size())) throw EFileException(EFileException::Kind::Read, dataPath_);
  std::int64_t from = record.DataOffset, end = from + record.DataSize;
  if (!whole) from = BodyStart(data, from, record.DataSize);
  CopyRange(data, from, end - from, destination);
  destination.Seek(0, TSeekOrigin::Beginning);
  return true;
}

// Where the text after the header block starts: the block is the lines up to and
// including the first empty one; a line ends at CR, and an LF right after the CR belongs
// to that end. A text without an empty line has no body (its end is returned).
std::int64_t TIdxFile::BodyStart(TFileGuard& data, std::int64_t offset, std::int64_t size) {
  std::vector<std::uint8_t> chunk(8192);
  bool atLineStart = true, afterCR = false, emptyLineEnded = false;
  for (std::int64_t done = 0; done < size;) {
    std::int32_t want = static_cast<std::int32_t>(std::min<std::int64_t>(chunk.size(), size - done));
    data.ReadExactAt(offset + done, chunk.data(), want);
    for (std::int32_t i = 0; i < want; ++i) {
      std::uint8_t c = chunk[static_cast<size_t>(i)];
      std::int64_t here = offset + done + i;
      if (afterCR) {
        afterCR = false;
        if (c == '\n') {
          if (emptyLineEnded) return here + 1;
          continue;
        }
        if (emptyLineEnded) return here;
      }
      if (c == '\r') {
        emptyLineEnded = atLineStart;
        afterCR = true;
        atLineStart = true;
        continue;
      }
      atLineStart = false;
    }
    done += want;
  }
  return offset + size;
}

bool TIdxFile::ReadLocatedText(std::int32_t id, std::string& text) {
  text.clear();
  TIdxRecord record;
  if (!FindTextRecord(id, record)) return false;
  TFileGuard data = OpenData(false);
  std::int64_t readable = store_limits::ReadableSize(record, data.Size());
  text.resize(static_cast<size_t>(readable));
  if (readable > 0) {
    std::int32_t n = data.ReadAt(record.DataOffset, &text[0], static_cast<std::int32_t>(readable));
    text.resize(static_cast<size_t>(n));
  }
  return true;
}

void TIdxFile::ForEachLiveRecord(const std::function<void(const TIdxRecord&)>& visit) {
  TFileGuard index = OpenIndex(false);
  TIndexTable table(index);
  TIdxRecord record;
  table.Scan(0, [&](std::int64_t, const std::uint8_t* raw) {
    if (IsLiveRaw(raw)) {
      DecodeRecord(raw, record);
      visit(record);
    }
    return true;
  });
}

void TIdxFile::ListRecords(std::vector<TIdxRecord>& records) {
  ForEachLiveRecord([&](const TIdxRecord& record) { records.push_back(record); });
}

std::int32_t TIdxFile::NeighbourId(std::int32_t id, bool forward) {
  TFileGuard index = OpenIndex(false);
  TIndexTable table(index);
  std::int64_t position = table.Find(id);
  if (position < 0) return -1;
  std::int32_t neighbour = -1;
  auto takeLive = [&](std::int64_t, const std::uint8_t* raw) {
    if (!IsLiveRaw(raw)) return true;
    neighbour = store_bytes::GetInt32(raw + idx_record_offset::k_id);
    return false;
  };
  if (forward)
    table.Scan(position + 1, takeLive, TIndexTable::k_neighbourBlockRecords);
  else
    table.ScanBack(position - 1, takeLive);
  return neighbour;
}

// Each live item is counted with the part of its text that the data file really holds,
// so that a record pointing past the end does not make the space look negative.
TSpaceInfo TIdxFile::GetSpaceInfo() {
  TFileGuard index = OpenIndex(false);
  ReadHeaderFrom(index);
  std::string path = header_.Encrypted == 1 ? EncryptedDataPath() : dataPath_;
  std::int64_t dataSize = platform::FileSizeByName(path);
  if (dataSize < 0) throw EFileException(EFileException::Kind::Open, path);
  TSpaceInfo info;
  std::int64_t used = 0;
  TIndexTable table(index);
  TIdxRecord record;
  table.Scan(0, [&](std::int64_t, const std::uint8_t* raw) {
    if (IsLiveRaw(raw)) {
      DecodeRecord(raw, record);
      ++info.LiveCount;
      used += store_limits::ReadableSize(record, dataSize);
    }
    return true;
  });
  info.DataFileSize = dataSize;
  info.Wasted = dataSize - used - static_cast<std::int64_t>(k_separatorSize) * info.LiveCount;
  return info;
}

std::int64_t TIdxFile::EstimatedPackedSize() {
  TSpaceInfo info = GetSpaceInfo();
  std::int64_t indexSize = platform::FileSizeByName(indexPath_);
  if (indexSize < 0) throw EFileException(EFileException::Kind::Open, indexPath_);
  return indexSize + info.DataFileSize - info.Wasted;
}

// A header whose counters differ from the live records counts as one more fault; the
// next Pack (or an opening after a crash) works them out again.
std::int32_t TIdxFile::CheckSeparators() {
  TFileGuard index = OpenIndex(false);
  RefuseIfEncrypted(index);
  TIndexTable table(index);
  TFileGuard data = OpenData(false);
  std::int64_t dataSize = data.Size();
  TReadWindow window(data);
  std::int32_t damaged = 0, unread = 0, items = 0;
  TIdxRecord record;
  table.Scan(0, [&](std::int64_t, const std::uint8_t* raw) {
    if (!IsLiveRaw(raw)) return true;
    DecodeRecord(raw, record);
    std::uint8_t separator[k_separatorSize];
    bool sound = record.DataOffset >= k_separatorSize && store_limits::TextWithin(record, dataSize) &&
                 window.Read(record.DataOffset - k_separatorSize, separator, k_separatorSize) == k_separatorSize &&
                 std::equal(separator, separator + k_separatorSize, k_itemSeparator.begin());
    if (!sound) ++damaged;
    bool isUnread = false;
    if (IsUnreadRecord(record, isUnread) && isUnread) ++unread;
    ++items;
    return true;
  });
  if (KeepsCounters() && (header_.UnreadCount != unread || header_.ItemCount != items)) ++damaged;
  return damaged;
}
