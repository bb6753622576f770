// TMailBox: a pair whose items are messages and whose record summaries are message
// summaries (mail_head.h). It keeps the header's unread and item counters.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "quillet/common/lines.h"
#include "quillet/common/stream.h"
#include "quillet/store/mailbox/head_sort.h"
#include "quillet/store/mailbox/idx_file.h"
#include "quillet/store/mailbox/mail_head.h"

class TMailBox : public TIdxFile {
 public:
  // Opens (creating or upgrading) the mailbox pair over the base path.
  explicit TMailBox(const std::string& basePath);

  bool KeepsCounters() const override;
  // Live records, and those of them whose status byte is 1.
  void Recount(std::int32_t& unreadCount, std::int32_t& itemCount) override;
  // Unread is the summary's status byte = 1; it always applies.
  bool IsUnreadRecord(const TIdxRecord& record, bool& unread) const override;

  // Stores the whole stream (from position 0) as a new message with the head's summary;
  // the head gets the new id.
  void AddMessage(TMailHead& head, TStream& text);
  // False when the id has no live record.
  bool ReadHead(std::int32_t id, TMailHead& head);
  // Rewrites the head's record with the head's summary (location unchanged). Raises
  // EIdxFileError "Can not find record head in EditHead" when it has no live record.
  void WriteHead(const TMailHead& head);
  // Appends a head for every live record, in file order.
  void LoadHeads(THeadList& heads);
  // Appends the id of every live record, in file order.
  void ListIds(std::vector<std::int32_t>& ids);
  // Ends a streamed append (BeginAppend): a new message when the head's Id is -1, else
  // the new text of that message. The head gets the resulting id.
  void StoreStreamed(TMailHead& head);
  // The item's lines (the shared ReadLine rules) within its text; empty when the id has
  // no record. Works on deleted records too, as their text is still there.
  void ReadLines(std::int32_t id, TStringList& lines);
  // The live item's text as a read-only stream over the data file (mail_box_stream.cpp),
  // for the parser; the stream keeps the data file open until it is destroyed. Raises
  // EIdxFileError "No message with id N" when the id has no live record,
  // EOperateOnEncrypted on an encrypted pair, and EFileException kind read when the text
  // does not lie within the data file.
  std::unique_ptr<TStream> OpenMessageStream(std::int32_t id);

  static int CountUnread(const std::vector<TMailHead*>& heads) { return ::CountUnread(heads); }
  static void SortHeads(std::vector<TMailHead*>& heads, int column, bool ascending) {
    ::SortHeads(heads, column, ascending);
  }
};
