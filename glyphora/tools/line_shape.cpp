#include "glyphora/tools/line_shape.h"

#include "glyphora/tools/brush.h"
#include "glyphora/tools/compound_character.h"
#include "platform/system_error.h"

namespace glyphora {

namespace {

// The written character where the block covers (column, row) of the shape page.
unsigned char Ink(unsigned char character, const LineTarget* target, int column, int row) {
  if (target == nullptr) return character;
  unsigned char existing = GetCharPage(*target->page, target->column + column, target->row + row);
  if (existing == k_emptyCell || existing == k_blankCell) return character;
  return CompoundCharacter(character, existing);
}

void SetBlock(Page* shape, int x, int y, int columns, int rows, unsigned char character,
              const LineTarget* target) {
  for (int row = y; row < y + rows; ++row)
    for (int column = x; column < x + columns; ++column)
      shape->cells[row * shape->width + column] = Ink(character, target, column, row);
}

int DrawLine(MonoBitmap* bitmap, const LineExtent& line, const RasterOps& raster) {
  if (line.rising) return raster.line(bitmap, line.dx, 0, -line.dx, 2 * line.dy);
  return raster.line(bitmap, 0, 0, 2 * line.dx, 2 * line.dy);
}

}  // namespace

unsigned char LineCharacter(const LineExtent& line) {
  if (line.character != 0) return line.character;
  if (line.dx > 2 * line.dy) return '-';
  if (line.dy > 2 * line.dx) return '|';
  return line.rising ? '/' : '\\';
}

int LineMakePage(Page* shape, const LineExtent& line, const CellSize& cell, const LineTarget* target,
                 const RasterOps& raster) {
  if (line.dx < 0 || line.dy < 0 || line.thickness < 1 || line.dx > INT16_MAX ||
      line.dy > INT16_MAX || line.thickness > INT16_MAX)
    return platform::k_ERROR_INVALID_PARAMETER;
  int rows = VerticalThickness(line.thickness, cell);
  Page page;
  MonoBitmap bitmap;
  int error = ShapeCanvasNew(&page, line.dx + line.thickness, line.dy + rows, &bitmap, line.dx + 1,
                             line.dy + 1);
  if (error != 0) return error;
  error = DrawLine(&bitmap, line, raster);
  unsigned char character = LineCharacter(line);
  for (int y = 0; error == 0 && y < bitmap.height; ++y)
    for (int x = 0; x < bitmap.width; ++x)
      if (MonoPixel(&bitmap, x, y) == k_black)
        SetBlock(&page, x, y, line.thickness, rows, character, target);
  return ShapeCanvasFinish(shape, &page, &bitmap, error);
}

}  // namespace glyphora
