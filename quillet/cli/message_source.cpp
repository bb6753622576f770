#include "quillet/cli/message_source.h"

#include "quillet/common/exceptions.h"
#include "quillet/store/mailbox/mail_box.h"

namespace {

class TFileSource : public TMessageSource {
 public:
  explicit TFileSource(const std::string& path) : file_(path, TFileStream::fmOpenRead) {}
  TStream& Stream() override { return file_; }
  std::int64_t Size() override { return file_.Size(); }
  std::int64_t Offset() override { return 0; }

 private:
  TFileStream file_;
};

// One stored message read in place: a view of its range of the data file.
class TStoredSource : public TMessageSource {
 public:
  TStoredSource(const std::string& dataPath, std::int32_t offset, std::int32_t size)
      : range_(dataPath, offset, size) {}
  TStream& Stream() override { return range_; }
  std::int64_t Size() override { return range_.Size(); }
  std::int64_t Offset() override { return 0; }

 private:
  TFileRangeStream range_;
};

}  // namespace

std::unique_ptr<TMessageSource> OpenMessageFile(const std::string& path) {
  return std::make_unique<TFileSource>(path);
}

std::unique_ptr<TMessageSource> OpenStoredMessage(const std::string& basePath, std::int64_t id) {
  TMailBox box(basePath);
  TIdxRecord record;
  if (id < INT32_MIN || id > INT32_MAX || !box.FindRecord(static_cast<std::int32_t>(id), record))
    throw Exception("No message with id " + std::to_string(id));
  if (box.IsEncrypted()) throw EOperateOnEncrypted();
  return std::make_unique<TStoredSource>(box.DataPath(), record.DataOffset, record.DataSize);
}
