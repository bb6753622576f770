#include "tests/gui/quillet/client_fixture.h"

#include <commctrl.h>

#include "platform/file.h"
#include "platform/win32/wide.h"
#include "quillet/store/system/command_line.h"
#include "quillet/store/system/setup_manager.h"

namespace quillet_gui_test {

namespace kit = platform::win32::ui;

void ClientWindow::TearDown() {
  app_.reset();
  // The closed frame asked the thread to quit; the program's loop would end on it, the
  // next test's dialogs must not.
  MSG quit;
  while (PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
  }
  store_test::ScratchTest::TearDown();
}

int ClientWindow::Start(const std::string& directory) {
  app_ = std::make_unique<quillet::ui::TClientApp>(
      [this](HWND, const std::string& text, const std::string& title, UINT style, const kit::ButtonCaptions& captions) {
        boxes_.push_back({text, title, style, captions.yes});
        return answer_;
      });
  if (!askMailer_ && platform::DirectoryExists(directory))
    TSetupManager(IniFilePath(directory, Folder() + "quillet.exe")).WriteBool("Network", "CheckMailer", false);
  return quillet::ui::ClientStart(app_.get(), {directory}, Folder() + "quillet.exe", SW_SHOWNOACTIVATE);
}

std::string CellText(HWND list, int row, int column) {
  wchar_t text[256] = {};
  LVITEMW item{};
  item.iSubItem = column;
  item.pszText = text;
  item.cchTextMax = 256;
  SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
  return platform::win32::GbkFromWide(text);
}

std::string FirstTreeText(HWND tree) {
  wchar_t text[128] = {};
  TVITEMW item{};
  item.mask = TVIF_TEXT;
  item.hItem = reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0));
  item.pszText = text;
  item.cchTextMax = 128;
  SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
  return platform::win32::GbkFromWide(text);
}

}  // namespace quillet_gui_test
