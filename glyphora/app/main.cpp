// glyphora.exe: the text-art editor. The composition root: the editor's state, its
// window, and the message loop with the menu's accelerators.
#include <windows.h>
#include <shellapi.h>

#include "glyphora/app/app_resources.h"
#include "glyphora/app/editor.h"
#include "glyphora/app/editor_setup.h"
#include "glyphora/app/file_commands.h"
#include "glyphora/app/file_type_check.h"
#include "glyphora/app/preferences_store.h"
#include "platform/win32/ui/window_state.h"
#include "platform/win32/wide.h"

namespace {

// The shell opens a document as `"glyphora.exe" FILE`.
void OpenArgument(glyphora::app::Editor* editor) {
  int count = 0;
  LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
  if (arguments == nullptr) return;
  if (count > 1) glyphora::app::OpenPath(editor, platform::win32::GbkFromWide(arguments[1]));
  LocalFree(arguments);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int show) {
  glyphora::app::Editor editor;
  glyphora::app::LoadPreferences(&editor, &editor.preferences);
  if (glyphora::app::TestError(&editor, glyphora::app::EditorStart(&editor)) != 0) return 1;
  HWND frame = glyphora::app::EditorOpenWindow(&editor, show);
  if (frame == nullptr) {
    glyphora::app::TestError(&editor, static_cast<int>(GetLastError()));
    glyphora::app::EditorFinish(&editor);
    return 1;
  }
  glyphora::app::FileTypeCheck(&editor, glyphora::app::ModulePath());
  OpenArgument(&editor);
  HACCEL accelerators = LoadAcceleratorsW(platform::win32::ui::ModuleInstance(), GLYPHORA_ACCEL_NAME);
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (accelerators != nullptr && TranslateAcceleratorW(frame, accelerators, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  glyphora::app::EditorFinish(&editor);
  return static_cast<int>(message.wParam);
}
