#include "quillet/frame/message_list.h"

#include <algorithm>
#include <cstdio>
#include <sstream>

#include "quillet/common/text_format.h"
#include "quillet/frame/frame_texts.h"

namespace {

constexpr std::uint8_t k_stateQueued = 2;
constexpr int k_maxColumnWidth = 2000;

std::size_t Column(TListColumn column) { return static_cast<std::size_t>(column); }

}  // namespace

TPriorityIcon PriorityIconOf(std::uint8_t priority) {
  if (priority >= 1 && priority <= 2) return TPriorityIcon::High;
  if (priority >= 4 && priority <= 5) return TPriorityIcon::Low;
  return TPriorityIcon::Normal;
}

std::array<std::string, k_listColumnCount> ListColumnCaptions() {
  return {"", "", frame_texts::k_columnSender, frame_texts::k_columnSize, frame_texts::k_columnSubject,
          frame_texts::k_columnDate};
}

std::array<int, k_listColumnCount> ListColumnWidths(const std::string& listHead) {
  std::array<int, k_listColumnCount> widths{};
  std::istringstream in(listHead);
  std::string item;
  std::size_t count = 0;
  while (std::getline(in, item, ',')) {
    const bool digits = !item.empty() && item.size() <= 4 &&
                        std::all_of(item.begin(), item.end(), [](char c) { return c >= '0' && c <= '9'; });
    if (!digits || count >= widths.size() || std::stoi(item) > k_maxColumnWidth)
      return listHead == frame_texts::k_defaultListHead ? widths : ListColumnWidths(frame_texts::k_defaultListHead);
    widths[count++] = std::stoi(item);
  }
  if (count != widths.size()) return ListColumnWidths(frame_texts::k_defaultListHead);
  return widths;
}

std::string ListHeadText(const std::array<int, k_listColumnCount>& widths) {
  std::string text;
  for (int width : widths) text += (text.empty() ? "" : ",") + std::to_string(width);
  return text;
}

THeadColumn SortColumnOf(TListColumn column) {
  switch (column) {
    case TListColumn::Priority: return THeadColumn::Priority;
    case TListColumn::Attachment: return THeadColumn::None;
    case TListColumn::Sender: return THeadColumn::Correspondent;
    case TListColumn::Size: return THeadColumn::Size;
    case TListColumn::Subject: return THeadColumn::Subject;
    case TListColumn::Date: return THeadColumn::Date;
  }
  return THeadColumn::None;
}

std::string ListDateText(TDateTime date) {
  if (date == 0) return {};
  const TDateParts parts = DecodeDateTime(date);
  char text[32];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d", parts.year, parts.month, parts.day, parts.hour,
                parts.minute);
  return text;
}

std::string ListSizeText(std::uint32_t size) {
  return std::to_string((static_cast<std::uint64_t>(size) + 1023) / 1024) + "K";
}

void TMessageList::Load(TMailBox& box) {
  THeadList heads;
  box.LoadHeads(heads);
  heads_ = std::move(heads);
  Resort();
  unread_ = CountUnread(order_);
}

int TMessageList::RowOf(std::int32_t id) const {
  for (std::size_t i = 0; i < order_.size(); ++i)
    if (order_[i]->Id == id) return static_cast<int>(i);
  return -1;
}

TListRow TMessageList::Row(int row) const {
  const TMailHead& head = Head(row);
  TListRow result;
  result.texts[Column(TListColumn::Sender)] = head.Correspondent;
  result.texts[Column(TListColumn::Size)] = ListSizeText(head.Size);
  result.texts[Column(TListColumn::Subject)] = head.Subject;
  result.texts[Column(TListColumn::Date)] = ListDateText(head.Date);
  result.priority = PriorityIconOf(head.Priority);
  result.attachment = head.HasAttachment != 0;
  result.italic = head.State == k_stateQueued;
  result.bold = head.Unread == 1;
  if (head.Label >= 1 && head.Label <= k_labelCount) {
    result.labelColor = settings_.Labels[static_cast<std::size_t>(head.Label - 1)].Color;
    result.labelWholeRow = settings_.LabelRow;
  }
  return result;
}

std::string TMessageList::StatusText() const {
  return FormatText(frame_texts::k_listStatus, {std::to_string(Count()), std::to_string(unread_)});
}

void TMessageList::ClickColumn(TListColumn column) {
  const THeadColumn sort = SortColumnOf(column);
  if (sort == THeadColumn::None) return;
  SetSort(sort, sort == sortColumn_ ? !ascending_ : true);
}

void TMessageList::SetSort(THeadColumn column, bool ascending) {
  sortColumn_ = column;
  ascending_ = ascending;
  Resort();
}

void TMessageList::Resort() {
  // Every sort starts from file order, so "none" shows the file order again.
  order_.clear();
  order_.reserve(static_cast<std::size_t>(heads_.Count()));
  for (const auto& head : heads_.Items()) order_.push_back(head.get());
  SortHeads(order_, sortColumn_, ascending_);
  Reindex();
}

void TMessageList::Reindex() { constRows_.assign(order_.begin(), order_.end()); }

void TMessageList::Update(const TMailHead& head) {
  const int row = RowOf(head.Id);
  if (row < 0) return;
  TMailHead& listed = *order_[static_cast<std::size_t>(row)];
  unread_ += (head.Unread == 1) - (listed.Unread == 1);
  listed = head;
}

void TMessageList::Remove(std::int32_t id) {
  const int row = RowOf(id);
  if (row < 0) return;
  const TMailHead* gone = order_[static_cast<std::size_t>(row)];
  unread_ -= gone->Unread == 1;
  order_.erase(order_.begin() + row);
  Reindex();
  auto& items = heads_.Items();
  items.erase(std::find_if(items.begin(), items.end(), [gone](const auto& head) { return head.get() == gone; }));
}
