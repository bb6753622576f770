// TIdxFile: opening and creating the pair, the header, the counters, the encryption flag
// and the title. Reads are in idx_file_read.cpp, writers in idx_file_write.cpp and
// compaction in idx_pack.cpp.
#include "quillet/store/mailbox/idx_file.h"

#include <algorithm>
#include <limits>

#include "platform/file.h"
#include "quillet/common/datetime.h"
#include "quillet/store/mailbox/detail/byte_order.h"
#include "quillet/store/mailbox/detail/file_guard.h"
#include "quillet/common/gbk.h"
#include "quillet/store/mailbox/detail/index_table.h"
#include "quillet/store/mailbox/detail/pack_files.h"
#include "quillet/store/mailbox/store_limits.h"

TIdxFile::TIdxFile(const std::string& basePath) : TIdxFile(basePath, TDeferOpen{}) { OpenPair(); }

TIdxFile::TIdxFile(const std::string& basePath, TDeferOpen)
    : basePath_(basePath),
      indexPath_(basePath + ".IND"),
      dataPath_(basePath + ".BOX"),
      packOps_(TPackFileOps::Platform()) {}

TIdxFile::~TIdxFile() = default;

namespace {
EIdxFileError UnfinishedPackError(const std::string& basePath, const std::string& dataPath,
                                  const TPackFiles& files) {
  return EIdxFileError(k_textCanNotPlacePacked + basePath + k_textPackedKeptAs + dataPath + " and " + files.index);
}
}  // namespace

void TIdxFile::OpenPair() {
  TPackFiles packFiles(basePath_);
  if (!SettlePackFiles(packFiles, indexPath_)) throw UnfinishedPackError(basePath_, dataPath_, packFiles);
  if (!platform::FileExists(indexPath_) || IsUnfinishedCreation()) {
    CreatePair();
    return;
  }
  ReadHeader();
  if (header_.Signature[3] == 0 && header_.Version <= 5)
    Upgrade();
  else if (KeepsCounters() && header_.CountsPending())
    RecountHeader();
}

// An index without a whole header and no data beside it: a creation that broke off. It
// holds nothing, so the pair is made again.
bool TIdxFile::IsUnfinishedCreation() {
  if (platform::FileSizeByName(indexPath_) >= k_idxHeaderSize || platform::FileSizeByName(dataPath_) > 0) return false;
  if (!platform::FileDelete(indexPath_)) throw EFileException(EFileException::Kind::Create, indexPath_);
  return true;
}

// The index is created exclusively, then the data file, then the header is written: a
// creation that stops anywhere leaves an index without a whole header and no data, which
// the next opening takes for a pair never created. A creation that fails removes what it
// made; a data file that outlived its index keeps its bytes (as unindexed space).
void TIdxFile::CreatePair() {
  TFileGuard index = TFileGuard::CreateNew(indexPath_);
  bool madeData = false;
  try {
    if (platform::FileSizeByName(dataPath_) <= 0) {
      TFileGuard::Create(dataPath_).CloseWritten();
      madeData = true;
    }
    TIdxHeader fresh;
    fresh.Created = Now();
    header_ = fresh;
    WriteHeaderTo(index);
    index.CloseWritten();
  } catch (const EFileException& e) {
    index.Close();
    platform::FileDelete(indexPath_);
    if (madeData) platform::FileDelete(dataPath_);
    throw EFileException(EFileException::Kind::Create, e.FileName());
  }
}

void TIdxFile::Upgrade() { RecountHeader(true); }

// Counters and sizes from the records and the data file, as an upgrade computes them.
void TIdxFile::RecountHeader(bool upgrade) {
  std::int32_t unread = 0, items = 0;
  Recount(unread, items);
  TSpaceInfo space = GetSpaceInfo();  // reads the header afresh
  header_.UnreadCount = unread;
  header_.ItemCount = items;
  header_.WastedBytes = store_limits::ClampToInt32(space.Wasted);
  header_.TotalBytes = store_limits::ClampToInt32(space.DataFileSize);
  if (upgrade) header_.Version = k_idxVersion;
  header_.SetCountsPending(false);
  WriteHeader();
}

// A compaction that stopped between its two renames is finished before the pair is used:
// its new data file is in place and only its new index fits it.
void TIdxFile::FinishCompaction() {
  TPackFiles packFiles(basePath_);
  if (!FinishPackCommit(packFiles, indexPath_)) throw UnfinishedPackError(basePath_, dataPath_, packFiles);
}

TFileGuard TIdxFile::OpenIndex(bool forWriting) {
  FinishCompaction();
  return TFileGuard::Open(indexPath_, forWriting ? platform::FileAccess::ReadWrite : platform::FileAccess::Read);
}

TFileGuard TIdxFile::OpenData(bool forWriting) {
  return TFileGuard::Open(dataPath_, forWriting ? platform::FileAccess::ReadWrite : platform::FileAccess::Read);
}

bool TIdxFile::KeepsCounters() const { return false; }

void TIdxFile::Recount(std::int32_t& unreadCount, std::int32_t& itemCount) {
  unreadCount = 0;
  itemCount = 0;
}

bool TIdxFile::IsUnreadRecord(const TIdxRecord&, bool& unread) const {
  unread = true;
  return false;
}

void TIdxFile::ReadHeader() {
  TFileGuard index = OpenIndex(false);
  ReadHeaderFrom(index);
}

void TIdxFile::WriteHeader() {
  TFileGuard index = OpenIndex(true);
  WriteHeaderTo(index);
}

void TIdxFile::WriteHeader(const TIdxHeader& header) {
  header_ = header;
  WriteHeader();
}

void TIdxFile::ReadHeaderFrom(TFileGuard& index) {
  std::uint8_t bytes[k_idxHeaderSize];
  index.ReadExactAt(0, bytes, k_idxHeaderSize);
  DecodeHeader(bytes, header_);
}

void TIdxFile::WriteHeaderTo(TFileGuard& index) {
  std::uint8_t bytes[k_idxHeaderSize];
  EncodeHeader(header_, bytes);
  index.WriteAt(0, bytes, k_idxHeaderSize);
}

void TIdxFile::RefuseIfEncrypted(TFileGuard& index) {
  ReadHeaderFrom(index);
  if (header_.Encrypted == 1) throw EOperateOnEncrypted();
}

void TIdxFile::UpdateCounters(int unreadDelta, int itemDelta, std::int64_t wastedItemSize,
                              std::int64_t addedItemSize) {
  if (!KeepsCounters()) return;
  TFileGuard index = OpenIndex(true);
  CloseAndNotify(index, WriteCountersTo(index, unreadDelta, itemDelta, wastedItemSize, addedItemSize));
}

void TIdxFile::MarkCountsPending(TFileGuard& index) {
  if (!KeepsCounters()) return;
  ReadHeaderFrom(index);
  header_.SetCountsPending(true);
  WriteHeaderTo(index);
}

bool TIdxFile::WriteCountersTo(TFileGuard& index, int unreadDelta, int itemDelta, std::int64_t wastedItemSize,
                               std::int64_t addedItemSize) {
  bool nothing = unreadDelta == 0 && itemDelta == 0 && wastedItemSize < 0 && addedItemSize < 0;
  if (!KeepsCounters() || (nothing && !header_.CountsPending())) return false;
  using store_limits::WrapAdd;
  ReadHeaderFrom(index);
  header_.UnreadCount = WrapAdd(header_.UnreadCount, unreadDelta);
  header_.ItemCount = WrapAdd(header_.ItemCount, itemDelta);
  if (wastedItemSize >= 0) header_.WastedBytes = WrapAdd(header_.WastedBytes, wastedItemSize + k_separatorSize);
  if (addedItemSize >= 0) header_.TotalBytes = WrapAdd(header_.TotalBytes, addedItemSize + k_separatorSize);
  header_.SetCountsPending(false);
  WriteHeaderTo(index);
  return unreadDelta != 0 || itemDelta != 0;
}

// Closes the index before notifying, so that the notifier may use the pair freely.
void TIdxFile::CloseAndNotify(TFileGuard& index, bool notify) {
  index.Close();
  if (notify) Notify();
}

void TIdxFile::Notify() {
  const TChangeNotifier& notifier = ChangeNotifier();
  if (notifier) notifier(*this);
}

int TIdxFile::UnreadDelta(const TIdxRecord& before, const TIdxRecord& after) const {
  bool wasUnread = false, isUnread = false;
  int delta = 0;
  if (IsUnreadRecord(before, wasUnread) && wasUnread) --delta;
  if (IsUnreadRecord(after, isUnread) && isUnread) ++delta;
  return delta;
}

bool TIdxFile::IsEncrypted() {
  ReadHeader();
  return header_.Encrypted == 1;
}

void TIdxFile::SetEncrypted(bool encrypted) {
  TFileGuard index = OpenIndex(true);
  ReadHeaderFrom(index);
  header_.Encrypted = encrypted ? 1 : 0;
  WriteHeaderTo(index);
  index.Close();
  if (KeepsCounters()) Notify();
}

void TIdxFile::SetTitle(const std::string& title) {
  if (title.empty()) return;
  TFileGuard index = OpenIndex(true);
  ReadHeaderFrom(index);
  std::string cut = gbk::Cut(title, k_idxTitleLength);
  header_.Title.fill(0);
  std::copy(cut.begin(), cut.end(), header_.Title.begin());
  WriteHeaderTo(index);
}

std::string TIdxFile::GetTitle() {
  ReadHeader();
  return header_.TitleText();
}

bool TIdxFile::NeedsPack(int percent) {
  if (percent <= 0 || percent >= 100) return false;
  ReadHeader();
  std::int64_t wasted = header_.WastedBytes, total = header_.TotalBytes;
  if (wasted == 0 || total == 0) return false;
  return wasted * 100 / total >= percent;
}
