// A line of text asked for in a small dialog: the name of a new mailbox, a mailbox's new
// name.
#pragma once

#include <windows.h>

#include <string>

namespace quillet::ui {

struct TTextPrompt {
  HWND hwnd = nullptr;
  std::string question;  // GBK
  std::string text;      // in: the text the field starts with; out: what was typed
};

// Runs the dialog; false when it was cancelled (text unchanged).
bool AskText(HWND owner, const std::string& question, std::string& text);
// The dialog's procedure (tests drive the dialog made with CreateDialogParamW).
INT_PTR CALLBACK TextPromptProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace quillet::ui
