// The editor's state: the windows, the document, the display font and its grey table,
// the drawing options, the tool table and the drag in progress. WinMain owns the one
// Editor; every window of the program reaches it through its own state.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "glyphora/convert/gray_table.h"
#include "glyphora/document/document.h"
#include "glyphora/document/preferences.h"
#include "glyphora/tools/drawing_options.h"
#include "glyphora/tools/raster_seam.h"
#include "glyphora/tools/stroke.h"
#include "glyphora/tools/tool_table.h"
#include "platform/library.h"

namespace glyphora::app {

// What the view passes to a tool's Mouse handler.
enum class MouseEvent : int { Press = 0, Drag = 1, Release = 2 };

// The drag in progress, as the tools keep it between press and release.
struct ToolDrag {
  bool active = false;
  int startColumn = 0;  // the cell pressed
  int startRow = 0;
  int column = 0;  // the cell the mouse is over
  int row = 0;
  bool moving = false;  // the selection tool moves the floating selection
  bool resizing = false;  // ... or drags its corner handle
  int grabColumn = 0;   // the pressed cell relative to the floating page's corner
  int grabRow = 0;
  Stroke stroke;  // the pencil's and the rubber's points
};

// The settings the editor works with (from the preferences record).
struct EditorSettings {
  std::string fontFace = "Courier New";
  int fontSize = 9;
  std::string ramp = " `'~!:;=*&%j3$S84UAR#@HNM";
  std::string notice = "Please view in a fixed-width font such as Courier.";
  int defaultWidth = k_defaultDocWidth;
  int defaultHeight = k_defaultDocHeight;
  bool transparent = false;       // selections laid down without their blanks
  unsigned char shapeCharacter = 0;  // 0: the shapes choose their own characters
  int thickness = 1;
  COLORREF selectionColour = RGB(0xC0, 0xFF, 0xFF);
};

class ViewLink;

struct Editor {
  HWND frame = nullptr;
  HWND toolBar = nullptr;
  HWND view = nullptr;
  HWND helpLine = nullptr;
  HACCEL accelerators = nullptr;
  HFONT displayFont = nullptr;
  Document* document = nullptr;
  ViewLink* link = nullptr;  // the document's window interface (the view)
  GrayTable grays;
  Preferences preferences;  // the record as loaded, saved again by the preferences dialog
  EditorSettings settings;
  DrawingOptions options;
  ToolRecord tools[k_toolCount] = {};
  RasterOps raster{};
  ToolDrag drag;
  // Loads the simple mail library for Send Email (platform::LoadLibraryByName).
  std::unique_ptr<platform::TLibrary> (*loadLibrary)(const std::string& name) = platform::LoadLibraryByName;
  // Answers the questions and messages the commands would show; null: message boxes.
  // Tests set it so that no box blocks them.
  int (*ask)(Editor* editor, const std::string& text, const std::string& title, UINT style) = nullptr;
};

// The editor whose view shows the document (every document of the program has one).
Editor* EditorOf(Document* document);

// A message box owned by the frame with the editor's English captions (or editor->ask).
int EditorAsk(Editor* editor, const std::string& text, const std::string& title, UINT style);
// Shows the system's message for an error number (nothing for 0); returns the number.
int TestError(Editor* editor, int error);

}  // namespace glyphora::app
