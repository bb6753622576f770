#include "glyphora/tools/stroke.h"

#include <algorithm>
#include <cstdlib>

#include "glyphora/tools/direction_character.h"

namespace glyphora {

namespace {

bool Repeats(const Stroke& stroke, int column, int row) {
  return stroke.count > 0 && stroke.columns[stroke.count - 1] == column &&
         stroke.rows[stroke.count - 1] == row;
}

void Record(Stroke* stroke, int column, int row) {
  if (stroke->count == 2) {
    stroke->columns[0] = stroke->columns[1];
    stroke->rows[0] = stroke->rows[1];
    stroke->count = 1;
  }
  stroke->columns[stroke->count] = column;
  stroke->rows[stroke->count] = row;
  ++stroke->count;
}

void Stamp(Document* document, int column, int row, unsigned char character, std::uint16_t brush) {
  Page& page = document->current.mainPage;
  SetCharsPage(&page, column, row, character, BrushSize(brush), BrushRound(brush));
  DocInvalArea(document, GetSizedRect(page, column, row, BrushSize(brush)));
}

int StrokePoint(Document* document, Stroke* stroke, int column, int row, unsigned char character,
                std::uint16_t brush, bool direction) {
  if (Repeats(*stroke, column, row)) return 0;
  if (stroke->count == 0) {
    int error = DocBeginAction(document);
    if (error != 0) return error;
  }
  int size = std::max(BrushSize(brush), 1);
  int error = DocPageExtend(document, std::min(row + 1 + size / 2, k_maxDocHeight));
  if (error != 0) return error;
  if (direction && stroke->count > 0) {
    int last = stroke->count - 1;
    character = static_cast<unsigned char>(
        DirectionCharacter(column - stroke->columns[last], row - stroke->rows[last]));
    Stamp(document, stroke->columns[last], stroke->rows[last], character, brush);
  } else if (direction) {
    character = static_cast<unsigned char>(DirectionCharacter(0, 0));
  }
  Stamp(document, column, row, character, brush);
  Record(stroke, column, row);
  return 0;
}

}  // namespace

int PencilPoint(Document* document, Stroke* stroke, const DrawingOptions& options, int column,
                int row) {
  return StrokePoint(document, stroke, column, row, options.character, options.pencilBrush,
                     options.directionMode);
}

int RubberPoint(Document* document, Stroke* stroke, const DrawingOptions& options, int column,
                int row) {
  return StrokePoint(document, stroke, column, row, k_blankCell, options.rubberBrush, false);
}

namespace {

// a * i / n rounded to the nearest whole number, halves away from zero (n > 0).
int Step(int a, int i, int n) {
  int twice = 2 * a * i;
  return twice >= 0 ? (twice + n) / (2 * n) : -((-twice + n) / (2 * n));
}

}  // namespace

int StrokeTo(Document* document, Stroke* stroke, const DrawingOptions& options, int column, int row,
             StrokePointFunction point) {
  if (stroke->count == 0) return point(document, stroke, options, column, row);
  int fromColumn = stroke->columns[stroke->count - 1], fromRow = stroke->rows[stroke->count - 1];
  int dx = column - fromColumn, dy = row - fromRow;
  int steps = std::max(std::abs(dx), std::abs(dy));
  for (int i = 1; i <= steps; ++i) {
    int error = point(document, stroke, options, fromColumn + Step(dx, i, steps), fromRow + Step(dy, i, steps));
    if (error != 0) return error;
  }
  return 0;
}

}  // namespace glyphora
