#include "glyphora/tools/tool_table.h"

#include "glyphora/tools/tools_texts.h"

namespace glyphora {

namespace {

// Whose handler fills a slot: the tool's own, another tool's (by index), or none.
constexpr int k_own = -1;
constexpr int k_none = -2;
constexpr int k_select = static_cast<int>(ToolIndex::Select);
constexpr int k_text = static_cast<int>(ToolIndex::Text);
constexpr int k_slotCount = 8;

struct ToolLayout {
  std::int16_t buttonTop;
  std::int16_t iconResource;
  int owners[k_slotCount];  // Temp, Idle, Key, Mouse, Active, Buttons, Recalc, Placing
};

// The drawing tools have Key, Mouse, Buttons and Placing of their own and nothing else.
constexpr ToolLayout Drawing(std::int16_t buttonTop, std::int16_t iconResource) {
  return {buttonTop, iconResource, {k_none, k_none, k_own, k_own, k_none, k_own, k_none, k_own}};
}

constexpr ToolLayout k_layout[k_toolCount] = {
    {3, 128, {k_own, k_own, k_own, k_own, k_own, k_own, k_own, k_own}},
    {39, 130, {k_select, k_select, k_own, k_own, k_own, k_own, k_own, k_own}},
    {72, 131, {k_select, k_select, k_own, k_text, k_text, k_own, k_own, k_text}},
    Drawing(108, 132),
    Drawing(141, 133),
    Drawing(174, 134),
    Drawing(210, 135),
    Drawing(243, 136),
    Drawing(276, 137),
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
    for (int slot = 0; slot < k_slotCount; ++slot) {
      int owner = layout.owners[slot] == k_own ? tool : layout.owners[slot];
      from[slot] = owner == k_none ? nullptr : &ownHandlers[owner];
    }
    CopySlots(&record.handlers, from);
  }
}

const char* ToolString(int id) {
  for (const ToolStringEntry& entry : k_toolStrings)
    if (entry.id == id) return entry.text;
  return nullptr;
}

}  // namespace glyphora
