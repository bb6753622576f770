// The selection tool's Recalc: a floating table or picture laid out again from its
// source after its option (rules, picture scaling) changed; pictures drawn from their source.
#pragma once

#include "glyphora/app/editor.h"

namespace glyphora::app {

// A picture source (a bitmap or an enhanced metafile, as the clipboard held it) drawn on a
// new page of width x height with the preferences' scaling. k_ERROR_INVALID_DATA for a
// damaged source; the page may be made even when drawing then fails.
int PictureSourceRender(const Editor* editor, SourceKind kind, const SourceBlock& source, int width, int height,
                        Page* page);

// Renders the floating selection again from its table or bitmap source with the
// preferences' rule modes and scaling; other selections are left as they are.
void SelectionRecalc(Document* document);

// The cell just past the floating selection's bottom-right corner: a drag from it
// resizes the selection.
bool OnResizeHandle(const DocState& state, int column, int row);
// Gives the floating selection width x height cells (at least 1 x 1): a picture is drawn
// again at that size, a table laid out again to that width, any other page cut or
// extended with empty cells. Part of the action the caller began.
int SelectionResize(Document* document, int width, int height);

}  // namespace glyphora::app
