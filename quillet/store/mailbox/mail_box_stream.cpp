// Opening a stored message in place, as the viewer and the command line parse it.
#include <memory>
#include <string>

#include "quillet/store/mailbox/mailbox_texts.h"
#include "quillet/common/range_stream.h"
#include "quillet/store/mailbox/mail_box.h"
#include "quillet/store/mailbox/store_limits.h"

std::unique_ptr<TStream> TMailBox::OpenMessageStream(std::int32_t id) {
  TIdxRecord record;
  if (!FindRecord(id, record)) throw EIdxFileError(std::string(k_textNoMessageWithId) + std::to_string(id));
  if (IsEncrypted()) throw EOperateOnEncrypted();
  auto data = std::make_unique<TFileStream>(DataPath(), TFileStream::Mode::OpenRead);
  if (!store_limits::TextWithin(record, data->Size())) throw EFileException(EFileException::Kind::Read, DataPath());
  return std::make_unique<TRangeStream>(std::move(data), record.DataOffset, record.DataSize);
}
