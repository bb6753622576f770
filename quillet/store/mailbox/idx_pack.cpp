// TIdxFile::Pack: compaction through a temporary pair in the temporary folder.
//
// 1. A unique temporary name with prefix "KWB" gives the temporary ".IND"/".BOX" pair.
// 2. The free space on the temporary drive must hold the estimated packed size.
// 3. The header and every live record, with its text behind a fresh separator, are
//    written to the temporary pair; deleted records are dropped, ids stay. The temporary
//    header already counts nothing as wasted and the new data size as total.
// 4. The pair's own files are removed and the temporary files put in their place: the
//    index is copied, the data file moved when the folders share a drive and copied
//    otherwise. If that fails the temporary files are never deleted: they are put in
//    place once more, and if that fails too they are kept and named in the error
//    ("Can not open file: " + name when the one still to be put in place cannot be read).
#include <algorithm>
#include <vector>

#include "platform/file.h"
#include "platform/unique_file.h"
#include "quillet/store/mailbox/detail/file_guard.h"
#include "quillet/store/mailbox/detail/gbk_text.h"
#include "quillet/store/mailbox/idx_file.h"
#include "quillet/store/mailbox/detail/index_table.h"
#include "quillet/store/mailbox/detail/read_window.h"
#include "quillet/store/mailbox/store_limits.h"

namespace {
constexpr std::int32_t k_copyChunk = 64 * 1024;
constexpr std::int32_t k_writeBuffer = 256 * 1024;
constexpr int k_nameAttempts = 8;
constexpr int k_placeAttempts = 2;

// Sequential writes to a new file through one buffer.
class TAppendBuffer {
 public:
  explicit TAppendBuffer(TFileGuard& file) : file_(file) { buffer_.reserve(k_writeBuffer); }

  void Append(const void* bytes, std::int32_t count) {
    if (static_cast<std::int64_t>(buffer_.size()) + count > k_writeBuffer) Flush();
    if (count >= k_writeBuffer) {
      file_.WriteAt(written_, bytes, count);
      written_ += count;
      return;
    }
    const char* p = static_cast<const char*>(bytes);
    buffer_.insert(buffer_.end(), p, p + count);
  }
  void Flush() {
    file_.WriteAt(written_, buffer_.data(), static_cast<std::int32_t>(buffer_.size()));
    written_ += static_cast<std::int64_t>(buffer_.size());
    buffer_.clear();
  }
  std::int64_t Size() const { return written_ + static_cast<std::int64_t>(buffer_.size()); }

 private:
  TFileGuard& file_;
  std::vector<char> buffer_;
  std::int64_t written_ = 0;
};

bool CanBeOpened(const std::string& path) {
  return platform::UniqueFile(platform::FileOpen(path, platform::FileAccess::Read)).IsOpen();
}

// The temporary files of one compaction; removed when it ends unless they must be kept.
struct TPackTemporaries {
  std::vector<std::string> reservations;  // the unique names the system handed out
  std::string index, data;
  bool keep = false;

  ~TPackTemporaries() {
    if (keep) return;
    if (!index.empty()) platform::FileDelete(index);
    if (!data.empty()) platform::FileDelete(data);
    for (const std::string& name : reservations) platform::FileDelete(name);
  }
};
}  // namespace

class TPackJob {
 public:
  TPackJob(TIdxFile& pair, TUserPrompts& prompts) : pair_(pair), prompts_(prompts) {}

  bool Run() {
    pair_.ReadHeader();
    if (pair_.header_.Encrypted == 1) throw EOperateOnEncrypted();
    ChooseTemporaryNames();
    if (!EnoughDiskSpace()) {
      prompts_.ShowMessage(k_textDiskFull);
      return false;
    }
    WriteCompactedPair();
    PutInPlace();
    pair_.ReadHeader();
    return true;
  }

 private:
  // The reserved name stays until the end, so the system does not hand it out again
  // while its ".IND"/".BOX" companions are in use; a name whose companions exist
  // already (kept by an earlier failed compaction) is passed over.
  void ChooseTemporaryNames() {
    std::string folder = platform::TempFolder();
    for (int attempt = 0; attempt < k_nameAttempts; ++attempt) {
      std::string reserved = platform::TempFileName(folder, "KWB");
      if (reserved.empty()) break;
      temps_.reservations.push_back(reserved);
      std::string stem = WithoutExtension(reserved);
      if (platform::FileExists(stem + ".IND") || platform::FileExists(stem + ".BOX")) continue;
      temps_.index = stem + ".IND";
      temps_.data = stem + ".BOX";
      return;
    }
    throw EFileException(EFileException::kCreate, folder + "KWB");
  }

  bool EnoughDiskSpace() {
    const std::string& path = temps_.index;
    if (path.empty() || path[0] == '@') return true;
    std::int64_t free = pair_.packOps_.FreeSpace(path);
    return free < 0 || free >= pair_.EstimatedPackedSize();  // unknown space does not stop us
  }

  void WriteCompactedPair() {
    TFileGuard index = pair_.OpenIndex(false);
    pair_.ReadHeaderFrom(index);
    TFileGuard data = pair_.OpenData(false);
    dataSize_ = data.Size();
    TFileGuard newIndex = TFileGuard::Create(temps_.index);
    TFileGuard newData = TFileGuard::Create(temps_.data);
    TAppendBuffer indexOut(newIndex), dataOut(newData);
    std::uint8_t bytes[k_idxHeaderSize];
    EncodeHeader(pair_.header_, bytes);
    indexOut.Append(bytes, k_idxHeaderSize);

    TIndexTable table(index);
    TReadWindow text(data);
    TIdxRecord record;
    table.Scan(0, [&](std::int64_t, const std::uint8_t* raw) {
      DecodeRecord(raw, record);
      if (record.IsLive()) CopyItem(record, text, dataOut, indexOut);
      return true;
    });
    TIdxHeader compacted = pair_.header_;
    // A record cut off at the end of the index keeps its item when the item's text is whole.
    if (table.ReadPartialTail(record) && record.IsLive() && record.DataOffset >= k_separatorSize &&
        store_limits::TextWithin(record, dataSize_)) {
      CopyItem(record, text, dataOut, indexOut);
      pair_.CountRecoveredItem(record, compacted);
    }

    dataOut.Flush();
    indexOut.Flush();
    compacted.WastedBytes = 0;
    compacted.TotalBytes = store_limits::ClampToInt32(dataOut.Size());
    EncodeHeader(compacted, bytes);
    newIndex.WriteAt(0, bytes, k_idxHeaderSize);
  }

  // Copies what the data file holds of the item (a damaged item keeps its readable part)
  // behind a new separator and writes its record with the new location.
  void CopyItem(TIdxRecord& record, TReadWindow& text, TAppendBuffer& dataOut, TAppendBuffer& indexOut) {
    std::int64_t readable = store_limits::ReadableSize(record, dataSize_);
    std::int64_t textStart = dataOut.Size() + k_separatorSize;
    if (textStart + readable > store_limits::k_maxDataPosition)
      throw EFileException(EFileException::kWrite, temps_.data);
    dataOut.Append(k_itemSeparator.data(), k_separatorSize);
    std::int64_t copied = 0;
    while (copied < readable) {
      std::int32_t want = static_cast<std::int32_t>(std::min<std::int64_t>(k_copyChunk, readable - copied));
      std::int32_t n = text.Read(record.DataOffset + copied, chunk_.data(), want);
      if (n <= 0) break;
      dataOut.Append(chunk_.data(), n);
      copied += n;
    }
    record.DataOffset = static_cast<std::int32_t>(textStart);
    record.DataSize = static_cast<std::int32_t>(copied);
    std::uint8_t bytes[k_idxRecordSize];
    EncodeRecord(record, bytes);
    indexOut.Append(bytes, k_idxRecordSize);
  }

  void PutInPlace() {
    const TPackFileOps& ops = pair_.packOps_;
    // Nothing has changed yet when the data file cannot be removed.
    if (!ops.Delete(pair_.dataPath_) && platform::FileExists(pair_.dataPath_))
      throw EFileException(EFileException::kDelete, pair_.dataPath_);
    ops.Delete(pair_.indexPath_);  // if it stays, the new index is put over it
    // The index goes first, so an old index is never left beside the new data. It is
    // copied (it is small), so that a complete temporary pair remains until the end.
    bool indexPlaced = false, dataPlaced = false;
    for (int attempt = 0; attempt < k_placeAttempts && !dataPlaced; ++attempt) {
      if (!indexPlaced) indexPlaced = ops.Copy(temps_.index, pair_.indexPath_) || ops.Rename(temps_.index, pair_.indexPath_);
      if (indexPlaced) dataPlaced = ops.Rename(temps_.data, pair_.dataPath_) || ops.Copy(temps_.data, pair_.dataPath_);
    }
    if (dataPlaced) return;
    temps_.keep = true;
    const std::string& unplaced = indexPlaced ? temps_.data : temps_.index;
    if (!CanBeOpened(unplaced)) throw EIdxFileError("Can not open file: " + unplaced);
    std::string kept;
    for (const std::string& name : {temps_.index, temps_.data})
      if (platform::FileExists(name)) kept += (kept.empty() ? "" : " and ") + name;
    throw EIdxFileError(k_textCanNotPlacePacked + pair_.basePath_ + "; they are kept as " + kept);
  }

  TIdxFile& pair_;
  TUserPrompts& prompts_;
  TPackTemporaries temps_;
  std::int64_t dataSize_ = 0;
  std::vector<char> chunk_ = std::vector<char>(k_copyChunk);
};

bool TIdxFile::Pack(TUserPrompts& prompts) {
  TPackJob job(*this, prompts);
  return job.Run();
}
