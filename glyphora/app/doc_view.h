// The document window: the page drawn in the display font cell by cell, the rulers above
// and to the left, the scroll bars, and the mouse handed to the current tool.
#pragma once

#include "glyphora/app/editor.h"

namespace glyphora::app {

// The document's window interface over the view: tools are told through the tool
// table, repaints go to the view.
class ViewLink : public DocWindow {
 public:
  explicit ViewLink(Editor* editor) : editor_(editor) {}
  Editor* editor() const { return editor_; }
  // The document this link serves; until it is set (inside DocumentCreate) the tools'
  // handlers are not called.
  void Attach(Document* document) { document_ = document; }
  void ToolTemp(int tool, int leaving) override;
  void ToolButtons(int tool, int show) override;
  void ToolActive(int tool, int active) override;
  void InvalArea(const CellRect& cells) override;
  void ResetScrolling() override;

 private:
  Editor* editor_;
  Document* document_ = nullptr;
};

constexpr wchar_t k_viewClass[] = L"GlyphoraView";

// Creates the view as a child of the frame (hidden until placed).
HWND DocViewCreate(Editor* editor, HWND parent);
// Recomputes the view rectangle from the client size and the cell, and the scroll bars.
void DocViewLayout(Editor* editor);

}  // namespace glyphora::app
