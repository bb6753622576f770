#include "glyphora/document/doc_paste.h"

namespace glyphora {

PasteAction DocPasteAction(const ClipContents& clip, int currentTool) {
  bool textTool = currentTool == k_textTool || currentTool == k_bigTextTool;
  if (clip.text && clip.textHasTab) return PasteAction::Table;
  if (clip.text && textTool) return PasteAction::IntoTextTool;
  if (clip.bitmap) return PasteAction::Bitmap;
  if (clip.metafile) return PasteAction::Metafile;
  if (clip.page) return PasteAction::Page;
  if (clip.text) return PasteAction::TextTool;
  return PasteAction::Nothing;
}

int DocPasteTool(PasteAction action, int currentTool) {
  switch (action) {
    case PasteAction::Table:
    case PasteAction::Bitmap:
    case PasteAction::Metafile:
    case PasteAction::Page: return k_selectTool;
    case PasteAction::TextTool: return k_textTool;
    default: return currentTool;
  }
}

}  // namespace glyphora
