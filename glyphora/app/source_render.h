// The selection tool's Recalc: a floating table or picture laid out again from its
// source after its option (rules, picture scaling) changed.
#pragma once

#include "glyphora/app/editor.h"

namespace glyphora::app {

// Renders the floating selection again from its table or bitmap source with the
// preferences' rule modes and scaling; other selections are left as they are.
void SelectionRecalc(Document* document);

}  // namespace glyphora::app
