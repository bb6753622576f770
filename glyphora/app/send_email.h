// Send Email: the picture's text handed to the user's mail program through the simple
// mail library, loaded by name for each send.
#pragma once

#include <memory>
#include <string>

#include "glyphora/app/editor.h"
#include "platform/library.h"

namespace glyphora::app {

constexpr char k_mailLibrary[] = "MAPI32.DLL";
constexpr char k_sendMailFunction[] = "MAPISendMail";
constexpr unsigned long k_sendMailFlags = 9;  // MAPI_LOGON_UI | MAPI_DIALOG

// How the library is loaded; tests pass their own so that no mail program is started.
using LibraryLoader = std::unique_ptr<platform::TLibrary> (*)(const std::string& name);

// Makes the text of the floating page, else of the picture (copy form, notice first),
// and calls the library's send function with no session, the view as parent, a message
// whose only field is that text, and the flags 9. When the library, the function or the
// call fails, string 405 is shown. True when the call succeeded.
bool CommandSendEmail(Editor* editor, LibraryLoader loader);

}  // namespace glyphora::app
