// The selection tool's actions on the floating selection: lifting cells off the picture,
// floating a page, moving, transforming and clearing it. Each that changes the picture
// begins one undoable action; a move is part of the drag that began one.
#pragma once

#include "glyphora/convert/page_transform.h"
#include "glyphora/document/document.h"

namespace glyphora {

// Makes *page the floating selection at (column, row), laid down later with mode. A
// selection already floating is merged first. The document takes the page's buffer and
// *page is left empty. k_ERROR_INVALID_PARAMETER for a position past 16 bits; on
// failure the page is still the caller's.
int SelectionFloat(Document* document, Page* page, int column, int row, BlitMode mode);
// Lifts the cells of rect (clipped to the page) into a new floating selection, laid down
// later with mode; the cells left behind are empty. A selection already floating is
// merged first. An empty rectangle after clipping changes nothing (0).
int SelectionLift(Document* document, const CellRect& rect, BlitMode mode);
// The whole page lifted (Select All).
int DocumentSelAll(Document* document, BlitMode mode);
// Moves the floating selection's top-left cell to (column, row), held to 16 bits, and
// repaints where it was and where it is. Nothing floats: nothing happens.
void SelectionMoveTo(Document* document, int column, int row);
// Replaces the floating page by its transform (PageTransform) as one action, the
// selection keeping its top-left cell. k_ERROR_INVALID_FUNCTION when nothing floats.
int SelectionTransform(Document* document, Transform transform, const GrayTable& grays);
// Clear: the floating selection is thrown away as one action. Nothing floats: nothing
// happens (0).
int SelectionClear(Document* document);
// The page a copy takes: the floating page while one floats, else the main page.
const Page& SelectionCopyPage(const Document& document);

}  // namespace glyphora
