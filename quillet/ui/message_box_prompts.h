// The questions of the core asked in the program's message boxes, with Chinese button
// captions, and its password question in a small dialog.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "platform/win32/ui/message_box.h"
#include "quillet/common/user_prompts.h"

namespace quillet::ui {

// How a box is shown: ShowMessageBox, or a test's recorder.
using TShowBox = std::function<int(HWND, const std::string& text, const std::string& title, UINT style,
                                   const platform::win32::ui::ButtonCaptions&)>;

class TMessageBoxPrompts : public TUserPrompts {
 public:
  // title: every box's title (GBK).
  explicit TMessageBoxPrompts(std::string title, TShowBox show = platform::win32::ui::ShowMessageBox)
      : title_(std::move(title)), show_(std::move(show)) {}
  // The window the boxes belong to (none before the main window exists).
  void SetOwner(HWND owner) { owner_ = owner; }

  void ShowMessage(const std::string& text) override;
  // Yes/No with No as the default button; a box that cannot be shown answers No.
  bool AskYesNo(const std::string& text) override;
  bool AskPassword(const std::string& question, std::string& password) override;

 private:
  std::string title_;
  TShowBox show_;
  HWND owner_ = nullptr;
};

}  // namespace quillet::ui
