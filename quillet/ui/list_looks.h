// How the message list draws a row: bold when unread, italic when queued to send (state
// 2), the label's colour on the sender and subject (the whole row with LabelRow), and the
// priority and attachment columns as small pictures.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "quillet/frame/message_list.h"

namespace quillet::ui {

class TListLooks {
 public:
  TListLooks() = default;
  ~TListLooks();
  TListLooks(const TListLooks&) = delete;
  TListLooks& operator=(const TListLooks&) = delete;

  // The fonts made from the list's own and the pictures given to the list.
  void SetUp(HWND list);
  // The list's NM_CUSTOMDRAW answer for a row of the messages.
  LRESULT Draw(const TMessageList& messages, NMLVCUSTOMDRAW* draw) const;

 private:
  HFONT FontOf(const TListRow& row) const;

  HFONT fonts_[4] = {};  // plain, bold, italic, bold italic
  HIMAGELIST pictures_ = nullptr;
};

// The picture of an icon cell (LVIF_IMAGE) in the list's image list: high and low
// priority, attachment; -1 for none (normal priority, no attachment, other columns).
int CellPicture(const TListRow& row, int column);

}  // namespace quillet::ui
