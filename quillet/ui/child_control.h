// Child controls of the message windows: made with the window's module, texts in GBK.
#pragma once

#include <windows.h>

#include <string>

namespace quillet::ui {

// A visible child in the dialog font.
HWND CreateChildControl(HWND parent, const wchar_t* className, DWORD style, int id, DWORD exStyle = 0,
                        const std::string& text = std::string());
// An MDI child of the class (registered already) with the state as its create parameter
// (MdiChildState), maximised when the active child is (or style asks for it); null when
// it cannot be made.
HWND CreateMdiChild(HWND mdiClient, const wchar_t* className, const std::wstring& title, void* state,
                    DWORD style = 0);
// Appends a report column (GBK caption) to a list view.
void AddListColumn(HWND list, int index, const std::string& caption, int width);
// Appends a row of texts (GBK) to a report list view.
void AddListRow(HWND list, int row, const std::string* texts, int count);
// The first selected row of a list view; -1 when none is.
int SelectedListRow(HWND list);
// Makes the row the only selected one, focused and scrolled into view.
void SelectListRow(HWND list, int row);

}  // namespace quillet::ui
