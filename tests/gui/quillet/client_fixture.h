// The mail client made in the test's process against a scratch home, as "quillet.exe
// FOLDER" would start it. Message boxes are recorded instead of shown and answered with
// answer_; the list and tree read back as a person sees them.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "quillet/ui/client_start.h"
#include "tests/store/mailbox/store_test_support.h"

namespace quillet_gui_test {

struct TBox {
  std::string text;
  std::string title;
  UINT style;
  std::string yesCaption;
};

class ClientWindow : public store_test::ScratchTest {
 protected:
  void TearDown() override;
  // 0 when the main window is up, else the start's exit code. Unless askMailer_ is set,
  // the home's ini file says [Network] CheckMailer=0 first, as a user who cleared the
  // start-up question's check box, so that no modal question waits.
  int Start(const std::string& directory);

  std::unique_ptr<quillet::ui::TClientApp> app_;
  std::vector<TBox> boxes_;
  int answer_ = IDOK;
  bool askMailer_ = false;
};

// The text of a list cell, as the list view asks the window for it.
std::string CellText(HWND list, int row, int column);
// The text of the tree's first item.
std::string FirstTreeText(HWND tree);

}  // namespace quillet_gui_test
