#include "glyphora/tools/tool_select.h"

#include "platform/system_error.h"

namespace glyphora {

namespace {

void Leave(Document* document, const ToolHandlers& h) {
  if (h.temp != nullptr) h.temp(document, 1, 0);
  if (h.active != nullptr) h.active(document, 0);
  if (h.buttons != nullptr) h.buttons(document, 0);
}

void Enter(Document* document, const ToolHandlers& h) {
  if (h.active != nullptr) h.active(document, 1);
  if (h.temp != nullptr) h.temp(document, 0, 0);
  if (h.buttons != nullptr) h.buttons(document, 1);
}

bool ValidTool(int tool) { return tool >= 0 && tool < k_toolCount; }

}  // namespace

int ToolSelect(Document* document, const ToolRecord table[k_toolCount], int tool,
               ToolButtonPainter* painter) {
  int old = document->current.tool;
  if (!ValidTool(tool) || !ValidTool(old)) return platform::k_ERROR_INVALID_PARAMETER;
  Leave(document, table[old].handlers);
  if (painter != nullptr) painter->DrawButton(old);
  document->current.tool = tool;
  Enter(document, table[tool].handlers);
  if (painter != nullptr) painter->DrawButton(tool);
  return 0;
}

}  // namespace glyphora
