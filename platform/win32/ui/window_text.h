// Window and control texts in GBK, through the W functions.
#pragma once

#include <windows.h>

#include <string>

namespace platform::win32::ui {

std::string WindowTextGbk(HWND hwnd);
bool SetWindowTextGbk(HWND hwnd, const std::string& text);
// A string resource of the module as GBK ("" when there is none).
std::string ResourceString(UINT id);
// The dialog item's text, and its whole decimal number (false when it holds anything else
// or a number outside int).
std::string DialogItemTextGbk(HWND dialog, int id);
bool DialogItemNumber(HWND dialog, int id, int* value);

}  // namespace platform::win32::ui
