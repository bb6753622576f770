// The document: one page of the picture with its floating selection and one level of
// undo, and the window it is shown in. Every operation returns 0 or a system error number.
#pragma once

#include <cstdint>

#include "glyphora/document/doc_state.h"
#include "glyphora/document/page/page_reduce.h"

namespace glyphora {

// What the document asks of its window and of the tools (the editor's GUI answers; a
// document without a window skips these calls).
class DocWindow {
 public:
  virtual ~DocWindow() = default;
  // The tool's Temp handler: leaving 1 before a document-wide change, 0 after it.
  virtual void ToolTemp(int tool, int leaving) = 0;
  // The tool's Buttons handler: 1 shows its option buttons, 0 takes them down.
  virtual void ToolButtons(int tool, int show) = 0;
  // The tool's Active handler: 1 when it becomes current, 0 when it stops being so.
  virtual void ToolActive(int tool, int active) = 0;
  // Repaint the cells of the rectangle (which may reach beyond the page).
  virtual void InvalArea(const CellRect& cells) = 0;
  // The page width changed: recompute the scroll ranges and repaint everything.
  virtual void ResetScrolling() = 0;
};

// The part of the window's client area that shows cells, in pixels, and where it is.
struct DocView {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  int firstColumn = 0;
  int firstRow = 0;
  int visibleRows = 0;
  int cellWidth = 1;  // the display font's cell (fontWidth x fontHeight)
  int cellHeight = 1;
};

constexpr int k_pathBufferSize = 512;
// The preferences' size of a new document; the width also wraps opened text files.
constexpr int k_defaultDocWidth = 74;
constexpr int k_defaultDocHeight = 24;

struct Document {
  DocWindow* window = nullptr;
  char path[k_pathBufferSize] = {};
  int hasPath = 0;
  int dirty = 0;
  DocView view;
  DocState current;
  DocState undo;
};

// A document with an empty main page of width x height cells (at least 1 x 1, at most
// k_maxDocWidth x k_maxDocHeight, else k_ERROR_INVALID_PARAMETER), its undo state a copy
// of it, and the selection tool (0) current. The current tool's Active handler is called
// with 1. On failure *document is untouched and nothing is left allocated.
int DocumentCreate(Document** document, DocWindow* window, int width, int height);
// Calls the current tool's Active handler with 0 and frees both states and the record.
void DocumentKill(Document* document);

// Begins an undoable action: the undo state becomes a deep copy of the current one, and
// the document is dirty. On failure nothing changes.
int DocBeginAction(Document* document);
// Swaps the current and the undo state whole (tool index included), telling the tools
// and repainting; a second undo redoes.
void DocumentUndo(Document* document);
// Drops the floating selection: with merge, it is laid on the main page with the merge
// mode (the page grows down to hold it, up to k_maxDocHeight rows); with kill, the
// floating page and its source are freed and nothing floats any more.
int DocFrontPageDrop(Document* document, bool merge, bool kill);
// Grows the main page to height rows (never shrinks it) and recomputes the visible rows.
int DocPageExtend(Document* document, int height);
// Asks the window to repaint a rectangle of cells.
void DocInvalArea(Document* document, const CellRect& cells);
// The cells the floating page covers on the main page.
CellRect DocFloatingArea(const DocState& state);

}  // namespace glyphora
