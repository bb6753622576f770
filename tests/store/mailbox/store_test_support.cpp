#include "tests/store/mailbox/store_test_support.h"

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <random>

#include "platform/file.h"
#include "platform/unique_file.h"
#include "quillet/store/mailbox/mail_head.h"

namespace store_test {

void ScratchTest::SetUp() {
  const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
  std::random_device random;
  folder_ = platform::TempFolder() + "qstore_" + info->test_suite_name() + "_" + info->name() + "_" +
            std::to_string(random() % 1000000);
  for (char& c : folder_)
    if (c == '/' && platform::PathSeparator() == '\\') c = '\\';
  ASSERT_TRUE(platform::MakeDirectory(folder_)) << folder_;
  folder_ += platform::PathSeparator();
  SetChangeNotifier(nullptr);
}

void ScratchTest::TearDown() {
  SetChangeNotifier(nullptr);
  std::error_code ignored;
  std::filesystem::remove_all(std::filesystem::path(folder_), ignored);
}

void SmallDiskTest::SetUp() {
  ScratchTest::SetUp();
  if (platform::PathSeparator() != '/') GTEST_SKIP() << "a small file system can only be mounted natively";
  small_ = Folder() + "small";
  ASSERT_TRUE(platform::MakeDirectory(small_));
  std::string mount = "mount -t tmpfs -o size=256k tmpfs '" + small_ + "' 2>/dev/null";
  if (std::system(mount.c_str()) != 0) GTEST_SKIP() << "cannot mount a small file system (needs root)";
  mounted_ = true;
  small_ += '/';
}

void SmallDiskTest::TearDown() {
  if (mounted_) std::system(("umount '" + small_ + "'").c_str());
  ScratchTest::TearDown();
}

std::int64_t SmallDiskTest::Fill(const std::string& name) {
  platform::UniqueFile file(platform::FileCreate(small_ + name));
  std::string chunk(1024, 'f');
  std::int64_t size = 0;
  while (platform::FileWrite(file.Get(), chunk.data(), 1024) == 1024) size += 1024;
  return size;
}

std::string ReadFileBytes(const std::string& path) {
  platform::FileHandle f = platform::FileOpen(path, platform::FileAccess::Read);
  if (f == platform::k_invalidFile) return std::string();
  std::string bytes(static_cast<size_t>(platform::FileSizeOf(f)), '\0');
  std::int32_t n = bytes.empty() ? 0 : platform::FileRead(f, &bytes[0], static_cast<std::int32_t>(bytes.size()));
  platform::FileClose(f);
  bytes.resize(static_cast<size_t>(n < 0 ? 0 : n));
  return bytes;
}

void WriteFileBytes(const std::string& path, const std::string& bytes) {
  platform::FileHandle f = platform::FileCreate(path);
  ASSERT_NE(f, platform::k_invalidFile) << path;
  if (!bytes.empty()) {
    EXPECT_EQ(platform::FileWrite(f, bytes.data(), static_cast<std::int32_t>(bytes.size())),
              static_cast<std::int32_t>(bytes.size()));
  }
  platform::FileClose(f);
}

void AppendFileBytes(const std::string& path, const std::string& bytes) {
  platform::FileHandle f = platform::FileOpen(path, platform::FileAccess::ReadWrite);
  ASSERT_NE(f, platform::k_invalidFile) << path;
  platform::FileSeek(f, 0, platform::SeekOrigin::End);
  EXPECT_EQ(platform::FileWrite(f, bytes.data(), static_cast<std::int32_t>(bytes.size())),
            static_cast<std::int32_t>(bytes.size()));
  platform::FileClose(f);
}

std::int64_t FileSize(const std::string& path) { return platform::FileSizeByName(path); }

std::string MessageText(const std::string& subject, const std::string& body) {
  return "From: someone@example.org\r\nSubject: " + subject + "\r\n\r\n" + body + "\r\n";
}

TMailHead Head(const std::string& correspondent, const std::string& subject, bool unread) {
  TMailHead head;
  head.Correspondent = correspondent;
  head.Subject = subject;
  head.Unread = unread ? 1 : 0;
  head.Date = 45000.5;
  return head;
}

std::int32_t AddText(TMailBox& box, const std::string& text, bool unread, const std::string& subject) {
  TMailHead head = Head("someone", subject, unread);
  TMemoryStream stream(text);
  box.AddMessage(head, stream);
  return head.Id;
}

std::string ReadText(TIdxFile& pair, std::int32_t id, bool whole) {
  TMemoryStream out;
  if (!pair.ReadMessage(id, out, whole)) return "<none>";
  EXPECT_EQ(out.Position(), 0);
  return out.Bytes();
}

std::int32_t Int32At(const std::string& bytes, std::size_t offset) {
  std::uint32_t v = 0;
  for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(bytes.at(offset + static_cast<size_t>(i)));
  return static_cast<std::int32_t>(v);
}

double DoubleAt(const std::string& bytes, std::size_t offset) {
  std::uint64_t bits = 0;
  for (int i = 7; i >= 0; --i) bits = (bits << 8) | static_cast<unsigned char>(bytes.at(offset + static_cast<size_t>(i)));
  double value;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}

void PutInt32At(std::string& bytes, std::size_t offset, std::int32_t value) {
  std::uint32_t v = static_cast<std::uint32_t>(value);
  for (int i = 0; i < 4; ++i) bytes.at(offset + static_cast<size_t>(i)) = static_cast<char>(v >> (8 * i));
}

void PutDoubleAt(std::string& bytes, std::size_t offset, double value) {
  std::uint64_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  for (int i = 0; i < 8; ++i) bytes.at(offset + static_cast<size_t>(i)) = static_cast<char>(bits >> (8 * i));
}

std::string RawHeader(const TIdxHeader& header) {
  std::uint8_t bytes[k_idxHeaderSize];
  EncodeHeader(header, bytes);
  return std::string(reinterpret_cast<const char*>(bytes), k_idxHeaderSize);
}

std::string RawRecord(const TIdxRecord& record) {
  std::uint8_t bytes[k_idxRecordSize];
  EncodeRecord(record, bytes);
  return std::string(reinterpret_cast<const char*>(bytes), k_idxRecordSize);
}

std::string Separator() { return std::string(k_itemSeparator.begin(), k_itemSeparator.end()); }

void WritePair(const std::string& base, const std::vector<std::int32_t>& ids, const std::vector<std::string>& texts,
               std::int32_t lastId) {
  std::string data, index;
  std::int32_t highest = 0;
  for (size_t i = 0; i < ids.size(); ++i) {
    data += Separator();
    TMailHead head = Head("sender " + std::to_string(ids[i]), "subject " + std::to_string(ids[i]), true);
    head.Id = ids[i];
    TIdxRecord record = RecordOfHead(head);
    record.DataOffset = static_cast<std::int32_t>(data.size());
    record.DataSize = static_cast<std::int32_t>(texts[i].size());
    data += texts[i];
    index += RawRecord(record);
    highest = std::max(highest, ids[i]);
  }
  TIdxHeader header;
  header.LastId = lastId >= 0 ? lastId : highest;
  header.ItemCount = static_cast<std::int32_t>(ids.size());
  header.UnreadCount = static_cast<std::int32_t>(ids.size());
  header.TotalBytes = static_cast<std::int32_t>(64 + data.size());
  WriteFileBytes(base + ".IND", RawHeader(header) + index);
  WriteFileBytes(base + ".BOX", data);
}

FileFaults::FileFaults(Rule rule) : rule_(std::move(rule)) {
  platform::SetFileFaultHook([this](platform::FileChange change) {
    ++calls_;
    return rule_ && rule_(change, calls_);
  });
}

FileFaults::~FileFaults() { platform::SetFileFaultHook(nullptr); }

FileFaults::Rule FileFaults::FromCall(int n) {
  return [n](platform::FileChange, int call) { return call >= n; };
}

FileFaults::Rule FileFaults::OnlyCall(int n) {
  return [n](platform::FileChange, int call) { return call == n; };
}

FileFaults::Rule FileFaults::AllOf(platform::FileChange kind) {
  return [kind](platform::FileChange change, int) { return change == kind; };
}

void ExpectCountersConsistent(TMailBox& box, std::int64_t baseline) {
  std::int32_t unread = 0, items = 0;
  box.Recount(unread, items);
  box.ReadHeader();
  const TIdxHeader& h = box.Header();
  EXPECT_EQ(h.UnreadCount, unread);
  EXPECT_EQ(h.ItemCount, items);
  std::vector<TIdxRecord> records;
  box.ListRecords(records);
  std::int64_t live = 0;
  for (const TIdxRecord& r : records) live += r.DataSize + k_separatorSize;
  EXPECT_EQ(std::int64_t{h.TotalBytes} - h.WastedBytes, baseline + live);
}

}  // namespace store_test
