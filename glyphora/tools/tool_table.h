// The tool bar's table: nine tools in a fixed order, each with its button, icon, strings
// and the handlers the document calls while it is current. The tool's index is what the
// document state stores (DocState::tool), so undo restores the tool too.
#pragma once

#include <cstdint>

#include "glyphora/document/document.h"

namespace glyphora {

// Tool indexes as stored in the document state.
enum class ToolIndex : int {
  Select = 0,
  Text = 1,
  BigText = 2,
  Pencil = 3,
  Rubber = 4,
  Bucket = 5,
  Line = 6,
  Circle = 7,
  Rectangle = 8,
};

constexpr int k_toolCount = 9;
constexpr int k_toolButtonHeight = 32;

// A tool's handlers; a null slot is skipped by whoever dispatches.
struct ToolHandlers {
  // Leaving 1 before a document-wide change (undo), 0 after it; spare is always 0.
  void (*temp)(Document* document, int leaving, int spare) = nullptr;
  void (*idle)(Document* document) = nullptr;
  void (*key)(Document* document, int key) = nullptr;
  void (*mouse)(Document* document, int event, int column, int row) = nullptr;
  // 1 when the tool becomes current (also on document creation), 0 when it stops.
  void (*active)(Document* document, int flag) = nullptr;
  // 1 shows the tool's option buttons, 0 takes them down.
  void (*buttons)(Document* document, int flag) = nullptr;
  // An option changed: render the floating selection again from its source.
  void (*recalc)(Document* document) = nullptr;
  // The mouse moved: show where the next action lands.
  void (*placing)(Document* document, int column, int row) = nullptr;
};

struct ToolRecord {
  std::int16_t buttonTop;     // pixels from the top of the bar; the button is 32 high
  std::int16_t iconResource;
  std::int16_t nameString;    // ids of k_toolStrings
  std::int16_t helpString;
  ToolHandlers handlers;
};

// The records of the nine tools in index order with every handler slot filled from the
// tools' own handler sets (ownHandlers, by tool index): a tool that shares a slot with
// another tool (the text tools take the selection tool's Temp and Idle, the big-text tool
// the text tool's Mouse, Active and Placing) gets that tool's handler; a slot the tool
// does not have stays null whatever its own set holds.
void ToolTableBuild(const ToolHandlers ownHandlers[k_toolCount], ToolRecord table[k_toolCount]);

// The text of a string id of the tool bar, or null for an unknown id.
const char* ToolString(int id);

}  // namespace glyphora
