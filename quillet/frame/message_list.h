// The message list of one mailbox as the virtual list view shows it: the heads in display
// order, the texts and looks of each row, click-to-sort, the status text and the column
// widths. Rows are made only when the view asks for them, so a mailbox of 100,000
// messages costs one index read and one sort.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "quillet/store/mailbox/head_sort.h"
#include "quillet/store/mailbox/mail_box.h"
#include "quillet/store/system/system_settings.h"

// The list's columns, left to right; their widths are the [Window Position] ListHead
// numbers in this order.
enum class TListColumn { Priority = 0, Attachment = 1, Sender = 2, Size = 3, Subject = 4, Date = 5 };
inline constexpr int k_listColumnCount = 6;

enum class TPriorityIcon { High, Normal, Low };  // IC_PRIORITYHIGH, IC_PRIORITYNORMAL, IC_PRIORITYLOW
// 1-2 high, 4-5 low, anything else normal.
TPriorityIcon PriorityIconOf(std::uint8_t priority);

struct TListRow {
  std::array<std::string, k_listColumnCount> texts;  // the icon columns' texts are empty
  TPriorityIcon priority = TPriorityIcon::Normal;     // 1-2 high, 3 normal, 4-5 low
  bool attachment = false;
  bool italic = false;  // State 2: queued to send
  bool bold = false;    // unread
  // The label's colour (0x00BBGGRR) for labels 1 to 7; the whole row has it with
  // [MsgLabel] LabelRow, else only the sender and subject texts.
  std::optional<std::int32_t> labelColor;
  bool labelWholeRow = false;
};

// The column captions: "" for the icon columns, then "发件人", "大小", "主题", "日期".
std::array<std::string, k_listColumnCount> ListColumnCaptions();
// The widths in ListHead ("40,40,150,40,150,80"); a text that is not six numbers of 0 to
// 2000 gives the default's widths.
std::array<int, k_listColumnCount> ListColumnWidths(const std::string& listHead);
// The widths as ListHead keeps them.
std::string ListHeadText(const std::array<int, k_listColumnCount>& widths);
// The sort a column header's click asks for (head_sort.h): the attachment
// column has none.
THeadColumn SortColumnOf(TListColumn column);
// "YYYY-MM-DD HH:MM" of a date value; empty for 0.
std::string ListDateText(TDateTime date);
// Sizes in kilobytes, rounded up: "1K" for 1 to 1024 bytes, "0K" for none.
std::string ListSizeText(std::uint32_t size);

class TMessageList {
 public:
  explicit TMessageList(const TSystemSettings& settings) : settings_(settings) {}

  // The mailbox's live heads in file order, then the current sort (EFileException when
  // the index cannot be read).
  void Load(TMailBox& box);
  int Count() const { return static_cast<int>(order_.size()); }
  const TMailHead& Head(int row) const { return *order_[static_cast<std::size_t>(row)]; }
  const std::vector<const TMailHead*>& Rows() const { return constRows_; }
  // The row of a message id, -1 when it is not listed.
  int RowOf(std::int32_t id) const;
  TListRow Row(int row) const;
  // "共: %d, 未读: %d".
  std::string StatusText() const;

  // A header click: the same column again turns the order round; another column sorts
  // ascending. The sort menu sets the column and the direction directly.
  void ClickColumn(TListColumn column);
  void SetSort(THeadColumn column, bool ascending);
  THeadColumn SortColumn() const { return sortColumn_; }
  bool SortAscending() const { return ascending_; }

  // A message's head after a change (marking) or a removal; keeps the order.
  void Update(const TMailHead& head);
  void Remove(std::int32_t id);

 private:
  void Resort();
  void Reindex();

  const TSystemSettings& settings_;
  THeadList heads_;
  std::vector<TMailHead*> order_;
  std::vector<const TMailHead*> constRows_;
  int unread_ = 0;
  THeadColumn sortColumn_ = THeadColumn::None;
  bool ascending_ = true;
};
