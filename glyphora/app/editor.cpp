#include "glyphora/app/editor.h"

#include "platform/system_error.h"
#include "platform/win32/ui/message_box.h"

namespace glyphora::app {

int EditorAsk(Editor* editor, const std::string& text, const std::string& title, UINT style) {
  if (editor->ask != nullptr) return editor->ask(editor, text, title, style);
  return platform::win32::ui::ShowMessageBox(editor->frame, text, title, style,
                                             platform::win32::ui::k_englishCaptions);
}

int TestError(Editor* editor, int error) {
  if (error != 0) EditorAsk(editor, platform::SystemErrorMessage(error), "Glyphora", MB_OK | MB_ICONEXCLAMATION);
  return error;
}

}  // namespace glyphora::app
