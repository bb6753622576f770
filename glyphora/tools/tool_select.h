// Making a tool current.
#pragma once

#include "glyphora/tools/tool_table.h"

namespace glyphora {

// Repaints one tool button (the bar shows the current tool pressed).
class ToolButtonPainter {
 public:
  virtual ~ToolButtonPainter() = default;
  virtual void DrawButton(int tool) = 0;
};

// Makes tool current: the old tool gets Temp (1, 0), Active (0) and Buttons (0) and its
// button is repainted; the index is stored in the document's current state; the new tool
// gets Active (1), Temp (0, 0) and Buttons (1) and its button is repainted. Empty slots
// are skipped; painter may be null. k_ERROR_INVALID_PARAMETER (and no call) for an index
// outside the table.
int ToolSelect(Document* document, const ToolRecord table[k_toolCount], int tool,
               ToolButtonPainter* painter);

}  // namespace glyphora
