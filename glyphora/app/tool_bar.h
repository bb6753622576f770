// The tool bar on the left of the frame: the nine tool buttons at their table positions,
// then the option buttons of the current tool.
#pragma once

#include "glyphora/app/editor.h"
#include "glyphora/tools/option_buttons.h"

namespace glyphora::app {

constexpr wchar_t k_toolBarClass[] = L"GlyphoraToolBar";
constexpr int k_toolBarWidth = 44;

HWND ToolBarCreate(Editor* editor, HWND parent);
// The option buttons the tool shows, in order; returns how many (at most k_buttonKindCount).
// The selection tool adds the button of what floats: rules for a table, scaling for a picture.
int ToolOptionKinds(const DocState& state, int tool, ButtonKind* kinds);
// The place of the current tool's option button at index (as ToolOptionKinds orders
// them); empty past the last.
RECT ToolBarOptionRect(const Editor* editor, int index);
// Makes a tool current (ToolSelect) and shows its help line.
void ToolBarSelect(Editor* editor, int tool);
// The help line's text for the current tool.
void ShowToolHelp(Editor* editor, int tool);

}  // namespace glyphora::app
