#include "glyphora/cli/draw_command.h"

#include <string>

#include "glyphora/cli/command_support.h"
#include "glyphora/convert/font_grays.h"
#include "glyphora/document/document_file.h"
#include "glyphora/drawing/platform_raster_ops.h"
#include "glyphora/tools/circle_shape.h"
#include "glyphora/tools/line_shape.h"
#include "glyphora/tools/rectangle_shape.h"
#include "glyphora/tools/shape_float.h"
#include "glyphora/tools/stroke.h"

namespace glyphora::cli {

namespace {

// The flags and options every shape may take; which ones a shape reads is its own.
struct DrawRequest {
  std::string file;
  Document* doc = nullptr;  // opened once the shape's arguments are read
  CliArgs* args = nullptr;
  const DrawPlatform* platform = nullptr;
  bool rising = false;
  bool round = false;
  bool compounds = true;
  unsigned char character = 0;  // none given
  int thickness = 1;
};

unsigned char OneByte(const std::string& text, const char* what) {
  if (text.size() != 1) throw UsageError(std::string(what) + " must be one character");
  return static_cast<unsigned char>(text[0]);
}

int Coordinate(DrawRequest& r, const char* what) {
  return ParseNumber(r.args->Word(what), what, INT16_MIN, INT16_MAX);
}

int Extent(DrawRequest& r, const char* what, int least) {
  return ParseNumber(r.args->Word(what), what, least, INT16_MAX);
}

// The shape's arguments are all read: anything left over is a usage error, then the
// file is opened as the editor would.
void Open(DrawRequest& r) {
  r.args->ExpectEnd();
  Check(DocumentOpen(&r.doc, nullptr, r.file, k_defaultDocWidth));
}

const DrawPlatform& NeedPlatform(const DrawRequest& r, const char* shape) {
  if (r.platform == nullptr)
    throw UsageError(std::string(shape) + " needs the platform's drawing, which this build lacks");
  return *r.platform;
}

void FloatShape(DrawRequest& r, Page* shape, int column, int row) {
  int error = ShapeFloat(r.doc, shape, column, row);
  PageKill(shape);  // left empty when the document took it
  Check(error);
}

void DrawLine(DrawRequest& r) {
  int column = Coordinate(r, "COL"), row = Coordinate(r, "ROW");
  LineExtent line{Extent(r, "DX", 0), Extent(r, "DY", 0), r.rising, r.character, r.thickness};
  const DrawPlatform& platform = NeedPlatform(r, "line");
  Open(r);
  LineTarget target{&r.doc->current.mainPage, column, row};
  Page shape;
  Check(LineMakePage(&shape, line, platform.cell, r.compounds ? &target : nullptr, platform.raster));
  FloatShape(r, &shape, column, row);
}

void DrawBox(DrawRequest& r, bool circle) {
  int column = Coordinate(r, "COL"), row = Coordinate(r, "ROW");
  int width = Extent(r, "W", 1), height = Extent(r, "H", 1);
  const DrawPlatform* platform = circle ? &NeedPlatform(r, "circle") : nullptr;
  Open(r);
  Page shape;
  if (circle) {
    Check(CircleMakePage(&shape, width, height, r.character, r.thickness, platform->cell,
                         platform->raster));
  } else {
    Check(RectangleMakePage(&shape, width, height, r.character, r.thickness));
  }
  FloatShape(r, &shape, column, row);
}

void DrawFill(DrawRequest& r) {
  int column = Coordinate(r, "COL"), row = Coordinate(r, "ROW");
  unsigned char character = OneByte(r.args->Word("CHAR"), "CHAR");
  const DrawPlatform& platform = NeedPlatform(r, "fill");
  Open(r);
  Check(BucketFill(r.doc, column, row, character, platform.raster));
}

// One stamp of the pencil or the rubber.
void DrawStamp(DrawRequest& r, bool rubber) {
  int column = Coordinate(r, "COL"), row = Coordinate(r, "ROW");
  int size = r.args->NumberOption("--size", 1, 1, k_maxBrushSize);
  Open(r);
  DrawingOptions options;
  options.pencilBrush = options.rubberBrush = BrushWord(size, r.round);
  if (r.character != 0) options.character = r.character;
  Stroke stroke;
  Check(rubber ? RubberPoint(r.doc, &stroke, options, column, row)
               : PencilPoint(r.doc, &stroke, options, column, row));
}

void DrawShape(DrawRequest& r, const std::string& shape) {
  if (shape == "line") return DrawLine(r);
  if (shape == "rect" || shape == "circle") return DrawBox(r, shape == "circle");
  if (shape == "fill") return DrawFill(r);
  if (shape == "pencil" || shape == "erase") return DrawStamp(r, shape == "erase");
  throw UsageError("unknown shape " + shape);
}

// Frees the request's document when the command ends.
struct DocumentOwner {
  DrawRequest* request;
  ~DocumentOwner() {
    if (request->doc != nullptr) DocumentKill(request->doc);
  }
};

}  // namespace

int RunDraw(CliArgs& args, const DrawPlatform* platform) {
  DrawRequest r;
  r.args = &args;
  r.platform = platform;
  r.rising = args.Flag("--rising");
  r.round = args.Flag("--round");
  r.compounds = !args.Flag("--no-compounds");
  std::string character = args.Option("--char", "");
  if (!character.empty()) r.character = OneByte(character, "--char");
  r.thickness = args.NumberOption("--thickness", 1, 1, k_maxDocWidth);
  r.file = args.Word("FILE");
  std::string shape = args.Word("SHAPE");
  DocumentOwner owner{&r};
  DrawShape(r, shape);
  if (r.doc->current.floating != 0) Check(DocFrontPageDrop(r.doc, true, true));
  PrintPage(r.doc->current.mainPage, TextForm::File);
  return 0;
}

DrawPlatform PlatformDrawing(const GlobalOptions& options) {
  GrayTable grays;
  Check(CalculateFontGrays(&grays, options.font, options.size));
  return DrawPlatform{PlatformRasterOps(), CellSize{grays.fontWidth, grays.fontHeight}};
}

}  // namespace glyphora::cli
