#include "glyphora/app/send_email.h"

#include <mapi.h>

#include "glyphora/app/app_resources.h"
#include "glyphora/convert/page_to_text.h"
#include "glyphora/tools/selection.h"
#include "platform/win32/ui/window_text.h"

namespace glyphora::app {

namespace {

// The page's text, freed on every path.
struct NoteText {
  char* text = nullptr;
  std::int32_t length = 0;
  ~NoteText() { Destroy(text); }
};

bool CallSendMail(Editor* editor, platform::TLibrary* library, char* note) {
  if (library == nullptr) return false;
  auto send = reinterpret_cast<LPMAPISENDMAIL>(library->Function(k_sendMailFunction));
  if (send == nullptr) return false;
  MapiMessage message{};
  message.lpszNoteText = note;
  ULONG result = send(0, reinterpret_cast<ULONG_PTR>(editor->view), &message, k_sendMailFlags, 0);
  return result == SUCCESS_SUCCESS;
}

}  // namespace

static_assert(k_sendMailFlags == (MAPI_LOGON_UI | MAPI_DIALOG), "the send flags");

bool CommandSendEmail(Editor* editor, LibraryLoader loader) {
  NoteText note;
  int error = PageToText(&note.text, &note.length, SelectionCopyPage(*editor->document), TextForm::Copy,
                         editor->settings.notice.c_str());
  if (TestError(editor, error) != 0) return false;
  bool sent = false;
  {
    std::unique_ptr<platform::TLibrary> library = loader(k_mailLibrary);
    sent = CallSendMail(editor, library.get(), note.text);
  }  // unloaded before any message is shown
  if (!sent)
    EditorAsk(editor, platform::win32::ui::ResourceString(STR_MAPI_PROBLEM), "Glyphora", MB_OK | MB_ICONEXCLAMATION);
  return sent;
}

}  // namespace glyphora::app
