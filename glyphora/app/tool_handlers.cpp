#include "glyphora/app/tool_handlers.h"

#include <algorithm>
#include <cstdlib>

#include "glyphora/app/source_render.h"
#include "glyphora/app/text_handlers.h"
#include "glyphora/tools/circle_shape.h"
#include "glyphora/tools/line_shape.h"
#include "glyphora/tools/rectangle_shape.h"
#include "glyphora/tools/selection.h"
#include "glyphora/tools/shape_float.h"

namespace glyphora::app {

namespace {

BlitMode SelectionMode(const Editor* e) {
  return e->settings.transparent ? BlitMode::SkipBlank : BlitMode::EmptyAsBlank;
}

bool InsideFloating(const DocState& s, int column, int row) {
  CellRect r = DocFloatingArea(s);
  return s.floating != 0 && column >= r.left && column < r.right && row >= r.top && row < r.bottom;
}

// Press inside the floating selection: move it (one action); on the handle past its
// bottom-right corner: resize it (one action); elsewhere: lay it down and start a new
// rectangle.
void SelectPress(Editor* e, Document* d, int column, int row) {
  ToolDrag& drag = e->drag;
  drag.resizing = OnResizeHandle(d->current, column, row);
  drag.moving = InsideFloating(d->current, column, row);
  if (drag.resizing) {
    TestError(e, DocBeginAction(d));
  } else if (drag.moving) {
    drag.grabColumn = column - d->current.floatingColumn;
    drag.grabRow = row - d->current.floatingRow;
    TestError(e, DocBeginAction(d));
  } else if (d->current.floating != 0) {
    int error = DocBeginAction(d);
    if (error == 0) error = DocFrontPageDrop(d, true, true);
    TestError(e, error);
  }
}

void SelectMouse(Document* d, int event, int column, int row) {
  Editor* e = EditorOf(d);
  ToolDrag& drag = e->drag;
  if (event == static_cast<int>(MouseEvent::Press)) {
    drag.startColumn = drag.column = column;
    drag.startRow = drag.row = row;
    SelectPress(e, d, column, row);
    return;
  }
  drag.column = column;
  drag.row = row;
  if (drag.resizing) {
    TestError(e, SelectionResize(d, column - d->current.floatingColumn, row - d->current.floatingRow));
  } else if (drag.moving) {
    SelectionMoveTo(d, column - drag.grabColumn, row - drag.grabRow);
  } else if (event == static_cast<int>(MouseEvent::Release)) {
    CellRect r{std::min(drag.startColumn, column), std::min(drag.startRow, row),
               std::max(drag.startColumn, column) + 1, std::max(drag.startRow, row) + 1};
    if (column != drag.startColumn || row != drag.startRow) TestError(e, SelectionLift(d, r, SelectionMode(e)));
  }
}

// Leaving the selection tool lays the floating selection down.
void SelectActive(Document* d, int active) {
  if (active == 0 && d->current.floating != 0) DocFrontPageDrop(d, true, true);
}

void StrokeMouse(Document* d, int event, int column, int row, bool rubber) {
  Editor* e = EditorOf(d);
  if (event == static_cast<int>(MouseEvent::Press)) e->drag.stroke = Stroke();
  if (event == static_cast<int>(MouseEvent::Release)) return;
  Stroke* stroke = &e->drag.stroke;
  TestError(e, StrokeTo(d, stroke, e->options, column, row, rubber ? RubberPoint : PencilPoint));
}

void PencilMouse(Document* d, int event, int column, int row) { StrokeMouse(d, event, column, row, false); }
void RubberMouse(Document* d, int event, int column, int row) { StrokeMouse(d, event, column, row, true); }

void BucketMouse(Document* d, int event, int column, int row) {
  Editor* e = EditorOf(d);
  if (event == static_cast<int>(MouseEvent::Press))
    TestError(e, BucketFill(d, column, row, e->options.character, e->raster));
}

// Lays a finished shape on the picture: one action (the float), merged at once.
void LayShape(Editor* e, Document* d, Page* shape, int error, int column, int row) {
  if (error == 0) error = ShapeFloat(d, shape, column, row);
  if (error == 0) error = DocFrontPageDrop(d, true, true);
  PageKill(shape);  // left empty when the document took it
  TestError(e, error);
}

// The shape tools follow the drag with a rubber band and draw on release.
bool ShapeDrag(Editor* e, int event, int column, int row) {
  ToolDrag& drag = e->drag;
  if (event == static_cast<int>(MouseEvent::Press)) {
    drag.startColumn = column;
    drag.startRow = row;
  }
  drag.column = column;
  drag.row = row;
  return event == static_cast<int>(MouseEvent::Release);
}

void LineMouse(Document* d, int event, int column, int row) {
  Editor* e = EditorOf(d);
  if (!ShapeDrag(e, event, column, row)) return;
  const ToolDrag& g = e->drag;
  int dx = column - g.startColumn, dy = row - g.startRow;
  LineExtent line{std::abs(dx), std::abs(dy), (dx < 0) != (dy < 0) && dx != 0 && dy != 0,
                e->settings.shapeCharacter, e->settings.thickness};
  int left = std::min(column, g.startColumn), top = std::min(row, g.startRow);
  LineTarget target{&d->current.mainPage, left, top};
  Page shape;
  int error = LineMakePage(&shape, line, CellSize{e->grays.fontWidth, e->grays.fontHeight},
                           e->options.compounds ? &target : nullptr, e->raster);
  LayShape(e, d, &shape, error, left, top);
}

// The rectangle and the circle fill the box from the pressed cell to the released one.
template <class Make>
void BoxMouse(Document* d, int event, int column, int row, Make make) {
  Editor* e = EditorOf(d);
  if (!ShapeDrag(e, event, column, row)) return;
  const ToolDrag& g = e->drag;
  Page shape;
  int error = make(e, &shape, std::abs(column - g.startColumn) + 1, std::abs(row - g.startRow) + 1);
  LayShape(e, d, &shape, error, std::min(column, g.startColumn), std::min(row, g.startRow));
}

void RectangleMouse(Document* d, int event, int column, int row) {
  BoxMouse(d, event, column, row, [](Editor* e, Page* shape, int width, int height) {
    return RectangleMakePage(shape, width, height, e->settings.shapeCharacter, e->settings.thickness);
  });
}

void CircleMouse(Document* d, int event, int column, int row) {
  BoxMouse(d, event, column, row, [](Editor* e, Page* shape, int width, int height) {
    return CircleMakePage(shape, width, height, e->settings.shapeCharacter, e->settings.thickness,
                          CellSize{e->grays.fontWidth, e->grays.fontHeight}, e->raster);
  });
}

// A printable key chooses the drawing character; Backspace gives the shapes their own.
void DrawKey(Document* d, int key) {
  Editor* e = EditorOf(d);
  if (key == '\b') {
    e->settings.shapeCharacter = 0;
  } else if (key > ' ' && key < 127) {
    e->options.character = static_cast<unsigned char>(key);
    e->settings.shapeCharacter = static_cast<unsigned char>(key);
  }
  if (e->toolBar != nullptr) InvalidateRect(e->toolBar, nullptr, TRUE);
}

}  // namespace

void ToolHandlersInstall(Editor* editor) {
  ToolHandlers own[k_toolCount] = {};
  own[0].mouse = SelectMouse;
  own[0].active = SelectActive;
  own[0].recalc = SelectionRecalc;
  own[3].mouse = PencilMouse;
  own[4].mouse = RubberMouse;
  own[5].mouse = BucketMouse;
  own[6].mouse = LineMouse;
  own[7].mouse = CircleMouse;
  own[8].mouse = RectangleMouse;
  for (int tool : {3, 4, 5, 6, 7, 8}) own[tool].key = DrawKey;
  TextHandlersFill(own);
  ToolTableBuild(own, editor->tools);
}

}  // namespace glyphora::app
