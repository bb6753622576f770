#include "quillet/ui/message_pane.h"

#include <commctrl.h>
#include <richedit.h>
#include <windowsx.h>

#include <algorithm>

#include "platform/file.h"
#include "platform/win32/ui/window_state.h"
#include "platform/win32/ui/window_text.h"
#include "platform/win32/wide.h"
#include "quillet/common/exceptions.h"
#include "quillet/frame/message_list.h"
#include "quillet/ui/child_control.h"
#include "quillet/ui/shell_execute.h"
#include "quillet/ui/viewer_resources.h"
#include "quillet/viewer/attachment_files.h"
#include "quillet/viewer/viewer_texts.h"

namespace quillet::ui {
namespace {

namespace kit = platform::win32::ui;

constexpr wchar_t k_paneClass[] = L"TF_msgpane";
constexpr int k_rowHeight = 22;
constexpr int k_labelWidth = 60;
constexpr int k_attachHeight = 84;
constexpr int k_buttonWidth = 110;
constexpr int k_buttonHeight = 24;
constexpr int k_gap = 4;
constexpr UINT_PTR k_subclassId = 0x4D50;  // "MP"

const char* const k_labelTexts[] = {viewer_texts::k_labelSender, viewer_texts::k_labelReceiver,
                                    viewer_texts::k_labelDate, viewer_texts::k_labelSubject};

std::int64_t Milliseconds() { return static_cast<std::int64_t>(GetTickCount64()); }

// The envelope's fields and the body hand their context menu to the pane.
LRESULT CALLBACK TextProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data) {
  const auto* pane = reinterpret_cast<const TMessagePane*>(data);
  if (message == WM_CONTEXTMENU && pane->contextMenu) return SendMessageW(pane->hwnd, message, wParam, lParam);
  if (message == WM_NCDESTROY) RemoveWindowSubclass(hwnd, TextProcedure, k_subclassId);
  return DefSubclassProc(hwnd, message, wParam, lParam);
}

bool InEnvelopeOrBody(const TMessagePane* pane, HWND control) {
  return control == pane->body || std::find(pane->fields.begin(), pane->fields.end(), control) != pane->fields.end() ||
         std::find(pane->labels.begin(), pane->labels.end(), control) != pane->labels.end();
}

// The menu's point: the mouse's, or for the menu key the control's top left corner.
void ContextMenu(TMessagePane* pane, HWND control, LPARAM lParam) {
  if (!pane->contextMenu || pane->message == nullptr || !InEnvelopeOrBody(pane, control)) return;
  POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  if (at.x == -1 && at.y == -1) {
    RECT rect;
    GetWindowRect(control, &rect);
    at = {rect.left, rect.top};
  }
  pane->contextMenu(at);
}

void CreateControls(TMessagePane* pane) {
  for (std::size_t i = 0; i < pane->fields.size(); ++i) {
    const int id = QUILLET_IDC_VIEWER_SENDER + static_cast<int>(i);
    pane->labels[i] = CreateChildControl(pane->hwnd, L"STATIC", SS_RIGHT, QUILLET_IDC_VIEWER_LABEL + static_cast<int>(i),
                                         0, k_labelTexts[i]);
    pane->fields[i] = CreateChildControl(pane->hwnd, L"EDIT", ES_READONLY | ES_AUTOHSCROLL | WS_TABSTOP, id,
                                         WS_EX_CLIENTEDGE);
  }
  pane->body = CreateChildControl(pane->hwnd, RICHEDIT_CLASSW,
                                  ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | WS_VSCROLL | WS_HSCROLL | WS_TABSTOP,
                                  QUILLET_IDC_VIEWER_BODY, WS_EX_CLIENTEDGE);
  SendMessageW(pane->body, EM_AUTOURLDETECT, TRUE, 0);
  SendMessageW(pane->body, EM_SETEVENTMASK, 0, ENM_LINK);
  for (HWND text : {pane->fields[0], pane->fields[1], pane->fields[2], pane->fields[3], pane->body})
    SetWindowSubclass(text, TextProcedure, k_subclassId, reinterpret_cast<DWORD_PTR>(pane));
  pane->attachments = CreateChildControl(pane->hwnd, WC_LISTVIEWW, LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS |
                                         WS_TABSTOP, QUILLET_IDC_VIEWER_ATTACHMENTS, WS_EX_CLIENTEDGE);
  SendMessageW(pane->attachments, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
  AddListColumn(pane->attachments, 0, viewer_texts::k_columnAttachName, 200);
  AddListColumn(pane->attachments, 1, viewer_texts::k_columnAttachType, 140);
  AddListColumn(pane->attachments, 2, viewer_texts::k_columnAttachSize, 60);
  pane->openButton = CreateChildControl(pane->hwnd, L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP, QUILLET_IDC_VIEWER_OPEN, 0,
                                        viewer_texts::k_buttonOpen);
  pane->saveButton = CreateChildControl(pane->hwnd, L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP, QUILLET_IDC_VIEWER_SAVE, 0,
                                        viewer_texts::k_buttonSave);
  pane->browserButton = CreateChildControl(pane->hwnd, L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP,
                                           QUILLET_IDC_VIEWER_BROWSER, 0, viewer_texts::k_buttonBrowser);
}

bool HasAttachments(const TMessagePane* pane) { return SendMessageW(pane->attachments, LVM_GETITEMCOUNT, 0, 0) > 0; }

// The envelope on top, the attachment strip (when there are attachments) at the bottom
// with its buttons on the right, the body between.
void Layout(TMessagePane* pane) {
  RECT client;
  GetClientRect(pane->hwnd, &client);
  const int width = static_cast<int>(client.right);
  for (std::size_t i = 0; i < pane->fields.size(); ++i) {
    const int top = static_cast<int>(i) * k_rowHeight + 2;
    MoveWindow(pane->labels[i], 0, top + 3, k_labelWidth, k_rowHeight - 4, TRUE);
    MoveWindow(pane->fields[i], k_labelWidth + k_gap, top, std::max(width - k_labelWidth - 2 * k_gap, 0),
               k_rowHeight - 2, TRUE);
  }
  const int bodyTop = static_cast<int>(pane->fields.size()) * k_rowHeight + k_gap;
  const bool attached = HasAttachments(pane);
  const int strip = attached ? k_attachHeight : 0;
  MoveWindow(pane->body, 0, bodyTop, width, std::max<int>(client.bottom - bodyTop - strip, 0), TRUE);
  const int stripTop = static_cast<int>(client.bottom) - strip;
  const int listWidth = std::max(width - k_buttonWidth - 2 * k_gap, 0);
  MoveWindow(pane->attachments, 0, stripTop, listWidth, strip, TRUE);
  HWND buttons[] = {pane->openButton, pane->saveButton, pane->browserButton};
  for (int i = 0; i < 3; ++i)
    MoveWindow(buttons[i], listWidth + k_gap, stripTop + i * (k_buttonHeight + 3), k_buttonWidth, k_buttonHeight, TRUE);
  const int shown = attached ? SW_SHOWNA : SW_HIDE;
  for (HWND control : {pane->attachments, pane->openButton, pane->saveButton}) ShowWindow(control, shown);
  ShowWindow(pane->browserButton, attached && pane->html ? SW_SHOWNA : SW_HIDE);
}

void TellShellResult(TMessagePane* pane, int result) {
  const std::string error = ShellOpenErrorText(result);
  if (!error.empty()) pane->services.prompts.ShowMessage(error);
}

// A click on a detected address in the body opens it with the shell.
void OpenLink(TMessagePane* pane, const ENLINK* link) {
  if (link->msg != WM_LBUTTONUP || link->chrg.cpMax <= link->chrg.cpMin) return;
  std::wstring url(static_cast<std::size_t>(link->chrg.cpMax - link->chrg.cpMin) + 1, L'\0');
  TEXTRANGEW range{link->chrg, url.data()};
  url.resize(static_cast<std::size_t>(SendMessageW(pane->body, EM_GETTEXTRANGE, 0, reinterpret_cast<LPARAM>(&range))));
  TellShellResult(pane, pane->services.shell->Open(platform::win32::GbkFromWide(url)));
}

int ChosenAttachment(const TMessagePane* pane) { return std::max(SelectedListRow(pane->attachments), 0); }

LRESULT Notify(TMessagePane* pane, const NMHDR* header) {
  if (header->hwndFrom == pane->body && header->code == EN_LINK) {
    OpenLink(pane, reinterpret_cast<const ENLINK*>(header));
  } else if (header->hwndFrom == pane->attachments && header->code == NM_DBLCLK) {
    OpenAttachment(pane, ChosenAttachment(pane));
  }
  return 0;
}

void Command(TMessagePane* pane, int id) {
  if (pane->message == nullptr) return;
  if (id == QUILLET_IDC_VIEWER_OPEN) OpenAttachment(pane, ChosenAttachment(pane));
  if (id == QUILLET_IDC_VIEWER_SAVE) SaveAttachment(pane, ChosenAttachment(pane));
  if (id == QUILLET_IDC_VIEWER_BROWSER) OpenHtmlPage(pane);
}

void ArmAutoRead(TMessagePane* pane) {
  KillTimer(pane->hwnd, QUILLET_TIMER_AUTOREAD);
  if (const auto remaining = pane->autoRead.Remaining(Milliseconds()))
    SetTimer(pane->hwnd, QUILLET_TIMER_AUTOREAD, static_cast<UINT>(std::min<std::int64_t>(*remaining, 0x7FFFFFFF)),
             nullptr);
}

void AutoReadTick(TMessagePane* pane) {
  const auto due = pane->autoRead.Due(Milliseconds());
  if (!due) {
    ArmAutoRead(pane);
    return;
  }
  KillTimer(pane->hwnd, QUILLET_TIMER_AUTOREAD);
  if (pane->box == nullptr) return;
  TBoxObject& box = *pane->box;
  try {
    pane->services.manager.MarkMessages(box, {*due}, TMarkChange{TMarkField::Unread, 0});
  } catch (const Exception& error) {
    box.ReleaseBox();
    pane->services.prompts.ShowMessage(error.Message());
    return;
  }
  box.ReleaseBox();
  if (pane->services.markedRead) pane->services.markedRead(box, *due);
}

LRESULT CALLBACK PaneProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* pane = kit::WindowState<TMessagePane>(hwnd, message, lParam);
  if (pane == nullptr) return DefWindowProcW(hwnd, message, wParam, lParam);
  switch (message) {
    case WM_CREATE:
      CreateControls(pane);
      return 0;
    case WM_SIZE:
      Layout(pane);
      return 0;
    case WM_NOTIFY:
      return Notify(pane, reinterpret_cast<const NMHDR*>(lParam));
    case WM_COMMAND:
      Command(pane, LOWORD(wParam));
      return 0;
    case WM_CONTEXTMENU:
      ContextMenu(pane, reinterpret_cast<HWND>(wParam), lParam);
      return 0;
    case WM_TIMER:
      if (wParam == QUILLET_TIMER_AUTOREAD) AutoReadTick(pane);
      return 0;
    case WM_DESTROY:
      KillTimer(hwnd, QUILLET_TIMER_AUTOREAD);
      return 0;
    default:
      return DefWindowProcW(hwnd, message, wParam, lParam);
  }
}

void FillAttachments(TMessagePane* pane, const TMessageDisplay& display) {
  SendMessageW(pane->attachments, LVM_DELETEALLITEMS, 0, 0);
  int row = 0;
  for (const TAttachmentRow& attachment : display.attachments) {
    const std::string texts[] = {attachment.name, attachment.contentType,
                                 ListSizeText(static_cast<std::uint32_t>(attachment.encodedSize))};
    AddListRow(pane->attachments, row++, texts, 3);
  }
}

void Fill(TMessagePane* pane, const TMessageDisplay& display) {
  const std::string* texts[] = {&display.envelope.sender, &display.envelope.receiver, &display.envelope.date,
                                &display.envelope.subject};
  for (std::size_t i = 0; i < pane->fields.size(); ++i) kit::SetWindowTextGbk(pane->fields[i], *texts[i]);
  pane->html = display.showHtml;
  kit::SetWindowTextGbk(pane->body, display.showHtml ? pane->message->HtmlText() : display.body);
  SetPaneWordWrap(pane, display.wordWrap);
  FillAttachments(pane, display);
  Layout(pane);
}

TAttachmentFiles FilesOf(TMessagePane* pane) {
  return TAttachmentFiles(pane->message->Decoded(), {pane->box->Box().DataPath(), pane->id, pane->services.tempFolder},
                          pane->services.attachList, platform::FileExists);
}

// Runs an attachment action; an error is told.
template <class TAction>
void WithFiles(TMessagePane* pane, TAction action) {
  if (pane->message == nullptr || pane->box == nullptr) return;
  try {
    TAttachmentFiles files = FilesOf(pane);
    action(files);
  } catch (const Exception& error) {
    pane->services.prompts.ShowMessage(error.Message());
  }
  pane->box->ReleaseBox();
}

bool ValidAttachment(const TMessagePane* pane, int index) {
  return pane->message != nullptr && index >= 0 &&
         index < static_cast<int>(pane->message->Decoded().Attachments().size());
}

}  // namespace

kit::FileFilters DialogFilters(const std::string& text) {
  kit::FileFilters filters;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t bar = text.find('|', start);
    const std::size_t end = text.find('|', bar == std::string::npos ? text.size() : bar + 1);
    if (bar == std::string::npos) break;
    filters.emplace_back(text.substr(start, bar - start), text.substr(bar + 1, end - bar - 1));
    start = end == std::string::npos ? text.size() : end + 1;
  }
  return filters;
}

TViewerServices::TViewerServices(TSystemManager& manager, TUserPrompts& prompts)
    : manager(manager),
      prompts(prompts),
      tempFolder(platform::TempFolder()),
      shell(std::make_unique<TShellExecute>()),
      saveDialog(kit::SaveFileDialog),
      trackMenu([](HMENU menu, HWND owner, POINT at) {
        return static_cast<int>(TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, at.x, at.y, 0,
                                               owner, nullptr));
      }) {
  LoadLibraryW(L"riched20.dll");  // the body's rich edit class; kept for the run
}

HWND CreateMessagePane(TMessagePane* pane, HWND parent) {
  if (!kit::RegisterWindowClass({k_paneClass, PaneProcedure, nullptr, nullptr,
                                 reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1)}))
    return nullptr;
  kit::WindowParams params{k_paneClass, std::wstring()};
  params.style = WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN;
  params.exStyle = WS_EX_CONTROLPARENT;
  params.parent = parent;
  params.bounds = {0, 0, 0, 0};
  return kit::CreateStateWindow(params, pane);
}

bool ShowPaneMessage(TMessagePane* pane, TBoxObject& box, std::int32_t id) {
  ClearMessagePane(pane);
  TMailHead head;
  try {
    pane->message = std::make_unique<TViewedMessage>(box.Box(), id, pane->services.prompts);
    box.Box().ReadHead(id, head);
  } catch (const Exception& error) {
    box.ReleaseBox();
    ClearMessagePane(pane);
    pane->services.prompts.ShowMessage(error.Message());
    return false;
  }
  box.ReleaseBox();
  pane->box = &box;
  pane->id = id;
  Fill(pane, pane->message->Display(pane->services.manager.Settings()));
  pane->autoRead.Shown(id, head.Unread != 0, Milliseconds());
  ArmAutoRead(pane);
  return true;
}

void ClearMessagePane(TMessagePane* pane) {
  pane->message.reset();
  pane->box = nullptr;
  pane->id = -1;
  pane->html = false;
  pane->autoRead.Hidden();
  KillTimer(pane->hwnd, QUILLET_TIMER_AUTOREAD);
  for (HWND field : pane->fields) kit::SetWindowTextGbk(field, std::string());
  kit::SetWindowTextGbk(pane->body, std::string());
  SendMessageW(pane->attachments, LVM_DELETEALLITEMS, 0, 0);
  Layout(pane);
}

bool PaneShows(const TMessagePane* pane, const TBoxObject* box, std::int32_t id) {
  return pane->message != nullptr && pane->box == box && pane->id == id;
}

void SetPaneWordWrap(TMessagePane* pane, bool wrap) {
  // A line width of 1 turns wrapping off; 0 wraps at the window's edge.
  SendMessageW(pane->body, EM_SETTARGETDEVICE, 0, wrap ? 0 : 1);
}

void OpenAttachment(TMessagePane* pane, int index) {
  if (!ValidAttachment(pane, index)) return;
  WithFiles(pane, [&](TAttachmentFiles& files) { files.Open(index, *pane->services.shell, pane->services.prompts); });
}

void SaveAttachment(TMessagePane* pane, int index) {
  if (!ValidAttachment(pane, index)) return;
  kit::FileDialogRequest request;
  request.owner = pane->hwnd;
  request.filters = DialogFilters(viewer_texts::k_saveFilter);
  request.path = pane->message->Decoded().Attachments()[static_cast<std::size_t>(index)].FileName;
  if (!pane->services.saveDialog(&request)) return;
  SetCursor(LoadCursorW(nullptr, IDC_WAIT));
  WithFiles(pane, [&](TAttachmentFiles& files) { files.SaveAs(index, request.path); });
  SetCursor(LoadCursorW(nullptr, IDC_ARROW));
}

void OpenHtmlPage(TMessagePane* pane) {
  WithFiles(pane, [&](TAttachmentFiles& files) {
    const std::string page = files.HtmlPage();
    if (!page.empty()) TellShellResult(pane, pane->services.shell->Open(page));
  });
}

}  // namespace quillet::ui
