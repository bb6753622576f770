// Find and find again over the message list (TDlg_find): a text looked for in each
// message in list order, in its header or in its whole text.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "quillet/store/mailbox/mail_box.h"

struct TFindOptions {
  std::string text;
  bool headersOnly = false;    // "只查找邮件头": the header lines only
  bool caseSensitive = false;  // "字母大小写敏感"; otherwise ASCII letters fold
};

// Whether the message holds the text: in its stored header lines (up to the first empty
// line) or, unless headers only, anywhere in its stored text; the decoded correspondent
// and subject of its head count as header too. GBK double-byte characters are never
// folded, and a match never starts on a trail byte. An empty text matches nothing.
bool MessageMatches(const std::string& messageText, const TMailHead& head, const TFindOptions& options);

class TMessageFinder {
 public:
  // The find dialog's OK: the search that find again repeats.
  void SetQuery(TFindOptions options) { query_ = std::move(options); }
  const std::optional<TFindOptions>& Query() const { return query_; }
  // The first row after `from` (-1: from the top) whose message matches; -1 when no row
  // down to the end does (the search does not wrap) or there is no query. rows are the
  // list's heads in display order; a row whose message is gone is passed over.
  int FindNext(TMailBox& box, const std::vector<const TMailHead*>& rows, int from) const;

 private:
  std::optional<TFindOptions> query_;
};
