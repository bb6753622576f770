#include "glyphora/tools/tool_table.h"

#include "glyphora/tools/tools_texts.h"

namespace glyphora {

namespace {

// Whose handler fills a slot: a tool index, or k_none for an empty slot.
constexpr int k_none = -1;
constexpr int k_slotCount = 8;

struct ToolLayout {
  std::int16_t buttonTop;
  std::int16_t iconResource;
  int owners[k_slotCount];  // Temp, Idle, Key, Mouse, Active, Buttons, Recalc, Placing
};

constexpr int S = static_cast<int>(ToolIndex::Select);
constexpr int T = static_cast<int>(ToolIndex::Text);
constexpr int B = static_cast<int>(ToolIndex::BigText);
constexpr int N = k_none;

constexpr ToolLayout k_layout[k_toolCount] = {
    {3, 128, {S, S, S, S, S, S, S, S}},
    {39, 130, {S, S, T, T, T, T, T, T}},
    {72, 131, {S, S, B, T, T, B, B, T}},
    {108, 132, {N, N, 3, 3, N, 3, N, 3}},
    {141, 133, {N, N, 4, 4, N, 4, N, 4}},
    {174, 134, {N, N, 5, 5, N, 5, N, 5}},
    {210, 135, {N, N, 6, 6, N, 6, N, 6}},
    {243, 136, {N, N, 7, 7, N, 7, N, 7}},
    {276, 137, {N, N, 8, 8, N, 8, N, 8}},
};

// Slot i of *to from the set from[i] (none when null), in the layout's order.
void CopySlots(ToolHandlers* to, const ToolHandlers* const from[k_slotCount]) {
  to->temp = from[0] ? from[0]->temp : nullptr;
  to->idle = from[1] ? from[1]->idle : nullptr;
  to->key = from[2] ? from[2]->key : nullptr;
  to->mouse = from[3] ? from[3]->mouse : nullptr;
  to->active = from[4] ? from[4]->active : nullptr;
  to->buttons = from[5] ? from[5]->buttons : nullptr;
  to->recalc = from[6] ? from[6]->recalc : nullptr;
  to->placing = from[7] ? from[7]->placing : nullptr;
}

}  // namespace

void ToolTableBuild(const ToolHandlers ownHandlers[k_toolCount], ToolRecord table[k_toolCount]) {
  for (int tool = 0; tool < k_toolCount; ++tool) {
    const ToolLayout& layout = k_layout[tool];
    ToolRecord& record = table[tool];
    record.buttonTop = layout.buttonTop;
    record.iconResource = layout.iconResource;
    // Two strings per tool from 1, with 3 and 4 (the floating selections' names) skipped.
    record.nameString = static_cast<std::int16_t>(tool == 0 ? 1 : 2 * tool + 3);
    record.helpString = static_cast<std::int16_t>(record.nameString + 1);
    const ToolHandlers* from[k_slotCount];
    for (int slot = 0; slot < k_slotCount; ++slot)
      from[slot] = layout.owners[slot] == k_none ? nullptr : &ownHandlers[layout.owners[slot]];
    CopySlots(&record.handlers, from);
  }
}

const char* ToolString(int id) {
  for (const ToolStringEntry& entry : k_toolStrings)
    if (entry.id == id) return entry.text;
  return nullptr;
}

}  // namespace glyphora
