#include "glyphora/app/editor_setup.h"

#include <commctrl.h>

#include "glyphora/app/frame_window.h"
#include "glyphora/app/tool_handlers.h"
#include "glyphora/convert/font_grays.h"
#include "glyphora/drawing/platform_raster_ops.h"
#include "platform/system_error.h"
#include "platform/win32/wide.h"

namespace glyphora::app {

namespace {

constexpr int k_screenDpi = 96;
constexpr int k_pointsPerInch = 72;

// The font the grey table was measured with: the same height, Western characters (so
// the face is not swapped for a CJK one under a Chinese locale), fixed pitch.
HFONT MakeDisplayFont(const EditorSettings& settings) {
  return CreateFontW(-(settings.fontSize * k_screenDpi / k_pointsPerInch), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                     ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FIXED_PITCH | FF_MODERN,
                     platform::win32::WideFromGbk(settings.fontFace).c_str());
}

}  // namespace

int EditorStart(Editor* editor) {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_BAR_CLASSES};
  InitCommonControlsEx(&controls);
  int error = CalculateFontGrays(&editor->grays, editor->settings.fontFace, editor->settings.fontSize);
  if (error == 0) error = CalculateGrayChars(&editor->grays, editor->settings.ramp.c_str());
  if (error != 0) return error;
  editor->displayFont = MakeDisplayFont(editor->settings);
  if (editor->displayFont == nullptr) return platform::k_ERROR_GEN_FAILURE;
  editor->raster = PlatformRasterOps();
  ToolHandlersInstall(editor);
  return 0;
}

void EditorFinish(Editor* editor) {
  if (editor->displayFont != nullptr) DeleteObject(editor->displayFont);
  editor->displayFont = nullptr;
}

HWND EditorOpenWindow(Editor* editor, int show) {
  HWND frame = FrameCreate(editor);
  if (frame == nullptr) return nullptr;
  ShowWindow(frame, show);
  UpdateWindow(frame);
  return frame;
}

}  // namespace glyphora::app
