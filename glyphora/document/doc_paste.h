// What a paste does, from what the clipboard holds and which tool is current.
#pragma once

namespace glyphora {

// Tools the paste switches between (the tool table's indices).
constexpr int k_selectTool = 0;
constexpr int k_textTool = 1;
constexpr int k_bigTextTool = 2;

// The forms the clipboard offers.
struct ClipContents {
  bool text = false;
  bool textHasTab = false;
  bool bitmap = false;
  bool metafile = false;
  bool page = false;  // the private page form
};

enum class PasteAction {
  Nothing,
  Table,         // the selection tool, the text as a table (source kind Table)
  IntoTextTool,  // the text into the current text or big-text tool
  Bitmap,        // the selection tool, the bitmap as a picture (source kind Bitmap)
  Metafile,      // the selection tool, the metafile as a picture (source kind Metafile)
  Page,          // the selection tool, the page as a floating selection
  TextTool,      // the text tool, the text inserted there
};

// The first that applies: tab-separated text is a table; text goes into a current text
// tool; then a bitmap, a metafile, a page; last, text switches to the text tool.
PasteAction DocPasteAction(const ClipContents& clip, int currentTool);
// The tool a paste action makes current (currentTool when it keeps it).
int DocPasteTool(PasteAction action, int currentTool);

}  // namespace glyphora
