#include "quillet/ui/list_looks.h"

#include "platform/win32/raster/gdi_scoped.h"

namespace quillet::ui {

namespace {

namespace win32 = platform::win32;

constexpr int k_pictureSize = 16;
constexpr COLORREF k_pictureMask = RGB(255, 0, 255);
enum TPicture { k_pictureHigh = 0, k_pictureLow = 1, k_pictureAttachment = 2 };

// A red exclamation mark, a blue arrow downwards, a paper clip.
void DrawPicture(HDC dc, int picture) {
  const RECT whole{0, 0, k_pictureSize, k_pictureSize};
  const win32::ScopedGdiObject mask(CreateSolidBrush(k_pictureMask));
  FillRect(dc, &whole, static_cast<HBRUSH>(mask.get()));
  if (picture == k_pictureHigh) {
    const win32::ScopedGdiObject red(CreateSolidBrush(RGB(204, 0, 0)));
    const RECT bar{6, 1, 10, 11};
    const RECT dot{6, 12, 10, 15};
    FillRect(dc, &bar, static_cast<HBRUSH>(red.get()));
    FillRect(dc, &dot, static_cast<HBRUSH>(red.get()));
  } else if (picture == k_pictureLow) {
    const win32::ScopedGdiObject blue(CreateSolidBrush(RGB(0, 64, 192)));
    const win32::ScopedSelection brush(dc, blue.get());
    const win32::ScopedSelection pen(dc, GetStockObject(NULL_PEN));
    const POINT arrow[] = {{6, 1}, {10, 1}, {10, 8}, {14, 8}, {8, 15}, {2, 8}, {6, 8}};
    Polygon(dc, arrow, 7);
  } else {
    const win32::ScopedGdiObject grey(CreatePen(PS_SOLID, 1, RGB(64, 64, 64)));
    const win32::ScopedSelection pen(dc, grey.get());
    const win32::ScopedSelection brush(dc, GetStockObject(NULL_BRUSH));
    RoundRect(dc, 4, 1, 12, 15, 6, 6);
    RoundRect(dc, 6, 4, 10, 12, 4, 4);
  }
}

HIMAGELIST MakePictures() {
  HIMAGELIST pictures = ImageList_Create(k_pictureSize, k_pictureSize, ILC_COLOR24 | ILC_MASK, 3, 0);
  const win32::ScopedMemoryDc dc;
  for (int picture : {k_pictureHigh, k_pictureLow, k_pictureAttachment}) {
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, k_pictureSize, k_pictureSize);
    ReleaseDC(nullptr, screen);
    {
      const win32::ScopedSelection selected(dc.get(), bitmap);
      DrawPicture(dc.get(), picture);
    }
    ImageList_AddMasked(pictures, bitmap, k_pictureMask);
    DeleteObject(bitmap);
  }
  return pictures;
}

HFONT FontLike(HFONT base, bool bold, bool italic) {
  LOGFONTW font{};
  GetObjectW(base != nullptr ? base : GetStockObject(DEFAULT_GUI_FONT), sizeof font, &font);
  font.lfWeight = bold ? FW_BOLD : FW_NORMAL;
  font.lfItalic = italic ? TRUE : FALSE;
  return CreateFontIndirectW(&font);
}

}  // namespace

int CellPicture(const TListRow& row, int column) {
  if (column == static_cast<int>(TListColumn::Priority) && row.priority == TPriorityIcon::High) return k_pictureHigh;
  if (column == static_cast<int>(TListColumn::Priority) && row.priority == TPriorityIcon::Low) return k_pictureLow;
  if (column == static_cast<int>(TListColumn::Attachment) && row.attachment) return k_pictureAttachment;
  return -1;
}

TListLooks::~TListLooks() {
  for (HFONT font : fonts_)
    if (font != nullptr) DeleteObject(font);
  if (pictures_ != nullptr) ImageList_Destroy(pictures_);
}

void TListLooks::SetUp(HWND list) {
  const auto base = reinterpret_cast<HFONT>(SendMessageW(list, WM_GETFONT, 0, 0));
  for (int i = 0; i < 4; ++i) fonts_[i] = FontLike(base, (i & 1) != 0, (i & 2) != 0);
  pictures_ = MakePictures();
  SendMessageW(list, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(pictures_));
}

HFONT TListLooks::FontOf(const TListRow& row) const { return fonts_[(row.bold ? 1 : 0) + (row.italic ? 2 : 0)]; }

LRESULT TListLooks::Draw(const TMessageList& messages, NMLVCUSTOMDRAW* draw) const {
  const DWORD stage = draw->nmcd.dwDrawStage;
  if (stage == CDDS_PREPAINT) return CDRF_NOTIFYITEMDRAW;
  if ((stage & CDDS_ITEMPREPAINT) != CDDS_ITEMPREPAINT) return CDRF_DODEFAULT;
  const auto index = static_cast<int>(draw->nmcd.dwItemSpec);
  if (index < 0 || index >= messages.Count()) return CDRF_DODEFAULT;
  const TListRow row = messages.Row(index);
  SelectObject(draw->nmcd.hdc, FontOf(row));
  const bool labelled = row.labelColor.has_value() &&
                        (row.labelWholeRow || draw->iSubItem == static_cast<int>(TListColumn::Sender) ||
                         draw->iSubItem == static_cast<int>(TListColumn::Subject));
  draw->clrText = labelled ? static_cast<COLORREF>(*row.labelColor) : GetSysColor(COLOR_WINDOWTEXT);
  return CDRF_NEWFONT | ((stage & CDDS_SUBITEM) != 0 ? 0 : CDRF_NOTIFYSUBITEMDRAW);
}

}  // namespace quillet::ui
