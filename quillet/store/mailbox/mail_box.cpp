#include "quillet/store/mailbox/mail_box.h"

namespace {
constexpr int k_statusByte = 5;  // in the summary; 1 = unread
}

TMailBox::TMailBox(const std::string& basePath) : TIdxFile(basePath, TDeferOpen{}) { OpenPair(); }

bool TMailBox::KeepsCounters() const { return true; }

void TMailBox::Recount(std::int32_t& unreadCount, std::int32_t& itemCount) {
  unreadCount = 0;
  itemCount = 0;
  ForEachLiveRecord([&](const TIdxRecord& record) {
    ++itemCount;
    if (record.Summary[k_statusByte] == 1) ++unreadCount;
  });
}

bool TMailBox::IsUnreadRecord(const TIdxRecord& record, bool& unread) const {
  unread = record.Summary[k_statusByte] == 1;
  return true;
}

void TMailBox::AddMessage(TMailHead& head, TStream& text) {
  TIdxRecord record = RecordOfHead(head);
  Append(record, text, text.Size(), 0);
  head.Id = record.Id;
}

bool TMailBox::ReadHead(std::int32_t id, TMailHead& head) {
  TIdxRecord record;
  if (!FindRecord(id, record)) return false;
  DecodeHead(record, head);
  return true;
}

void TMailBox::WriteHead(const TMailHead& head) {
  TIdxSummary summary;
  EncodeSummary(head, summary);
  if (!EditLiveRecord(head.Id, [&](TIdxRecord& stored) { stored.Summary = summary; }))
    throw EIdxFileError(k_textNoRecordHead);
}

void TMailBox::LoadHeads(THeadList& heads) {
  ForEachLiveRecord([&](const TIdxRecord& record) {
    auto head = std::make_unique<TMailHead>();
    DecodeHead(record, *head);
    heads.Add(std::move(head));
  });
}

void TMailBox::ListIds(std::vector<std::int32_t>& ids) {
  ForEachLiveRecord([&](const TIdxRecord& record) { ids.push_back(record.Id); });
}

void TMailBox::StoreStreamed(TMailHead& head) {
  TIdxRecord record = RecordOfHead(head);
  EndAppend(record);
  head.Id = record.Id;
}

void TMailBox::ReadLines(std::int32_t id, TStringList& lines) {
  lines.clear();
  std::string text;
  if (!ReadLocatedText(id, text)) return;
  TMemoryStream stream(std::move(text));
  std::int64_t size = stream.Size();
  std::string line;
  while (stream.Position() < size) {
    ReadLine(stream, line);
    lines.push_back(line);
  }
}
