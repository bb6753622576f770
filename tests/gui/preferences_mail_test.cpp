// Preferences through the registry and their dialog; Send Email through a library that
// the test hands in (no mail program is ever started).
#include <gtest/gtest.h>
#include <windows.h>
#include <mapi.h>

#include <memory>
#include <string>
#include <vector>

#include "glyphora/app/app_resources.h"
#include "glyphora/app/preferences_dialog.h"
#include "glyphora/app/preferences_store.h"
#include "glyphora/app/file_type_check.h"
#include "glyphora/app/send_email.h"
#include "platform/registry.h"
#include "platform/win32/ui/window_state.h"
#include "platform/win32/ui/window_text.h"
#include "tests/gui/editor_fixture.h"

namespace {

using glyphora_gui_test::EditorWindow;
namespace ui = platform::win32::ui;

const char k_key[] = "Software\\Brindle\\Glyphora";
const std::string k_later = "Glyphora|The Glyphora preferences are from a later version than this version of Glyphora. "
                            "Some settings may be lost.";

std::string StoredRecord() {
  std::string stored;
  platform::RegistryReadBinary(platform::RegistryRoot::CurrentUser, k_key, "Preferences", stored);
  return stored;
}

TEST_F(EditorWindow, PreferencesRoundTripThroughTheRegistry) {
  glyphora::Preferences written;
  written.fontSize = 11;
  written.defaultWidth = 900;  // held to 500 when read
  std::vector<unsigned char> record = glyphora::PreferencesEncode(written);
  struct Case {
    std::vector<unsigned char> bytes;
    bool warned;
  };
  std::vector<unsigned char> version5 = record, oversized = record;
  version5[0] = 5;
  oversized.resize(700);
  for (const Case& c : {Case{record, false}, Case{version5, true}, Case{oversized, true}}) {
    ASSERT_TRUE(platform::RegistryWriteBinary(platform::RegistryRoot::CurrentUser, k_key, "Preferences",
                                              std::string(c.bytes.begin(), c.bytes.end())));
    asked_.clear();
    glyphora::Preferences read;
    glyphora::app::LoadPreferences(&editor_, &read);
    EXPECT_EQ(asked_, c.warned ? std::vector<std::string>{k_later} : std::vector<std::string>{});
    EXPECT_EQ(read.fontSize, 11);
    EXPECT_EQ(editor_.settings.defaultWidth, 500);
    ASSERT_TRUE(glyphora::app::SavePreferences(read));
    std::string saved = StoredRecord();
    ASSERT_EQ(saved.size(), 648u);
    EXPECT_EQ(saved[0], 4);
    EXPECT_EQ(static_cast<unsigned char>(saved[32]) + 256 * static_cast<unsigned char>(saved[33]), 500);
  }
  platform::RegistryDeleteKey(platform::RegistryRoot::CurrentUser, "Software\\Brindle");
}

TEST_F(EditorWindow, PreferencesDialogRefusesBadRampsAndMeasuresTheFontAgain) {
  glyphora::app::PreferencesState state;
  state.editor = &editor_;
  HWND dialog = CreateDialogParamW(ui::ModuleInstance(), MAKEINTRESOURCEW(DLG_PREFERENCES), editor_.frame,
                                   glyphora::app::PreferencesProc, reinterpret_cast<LPARAM>(&state));
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(ui::DialogItemTextGbk(dialog, IDC_PREF_RAMP), " `'~!:;=*&%j3$S84UAR#@HNM");
  EXPECT_GT(SendDlgItemMessageW(dialog, IDC_PREF_FONT, CB_GETCOUNT, 0, 0), 0);  // fixed-width fonts only
  EXPECT_EQ(ui::DialogItemTextGbk(dialog, IDC_PREF_FONT), "Courier New");  // the record's face stays chosen
  SendMessageW(dialog, WM_COMMAND, IDC_PREF_PRESET2, 0);
  EXPECT_EQ(ui::DialogItemTextGbk(dialog, IDC_PREF_SIZE), "10");
  EXPECT_EQ(ui::DialogItemTextGbk(dialog, IDC_PREF_RAMP), " .`'^\"-!~=?+j%3$95&8SDX#NB@");
  const std::pair<const char*, const char*> refused[] = {
      {"aaaa", "Preferences|There must be at least 2 different characters available for pictures."},
      {"ab\xA1\xA1", "Preferences|Only ordinary ASCII characters (values 32 to 127) are allowed. This is because "
                     "Email messages must travel through many different types of computers to arrive at their "
                     "destination."},
  };
  for (const auto& [ramp, message] : refused) {
    asked_.clear();
    ui::SetWindowTextGbk(GetDlgItem(dialog, IDC_PREF_RAMP), ramp);
    SendMessageW(dialog, WM_COMMAND, IDOK, 0);
    EXPECT_FALSE(state.confirmed);
    EXPECT_EQ(asked_, std::vector<std::string>{message});
  }
  ui::SetWindowTextGbk(GetDlgItem(dialog, IDC_PREF_RAMP), " #");
  SendMessageW(dialog, WM_COMMAND, IDOK, 0);
  EXPECT_TRUE(state.confirmed);
  EXPECT_EQ(editor_.settings.ramp, " #");
  EXPECT_EQ(editor_.settings.fontSize, 10);
  for (int gray : {0, 255}) EXPECT_EQ(editor_.grays.grayChars[gray], gray == 0 ? ' ' : '#');
  EXPECT_EQ(StoredRecord().substr(385, 3), std::string(" #\0", 3));
  DestroyWindow(dialog);
  platform::RegistryDeleteKey(platform::RegistryRoot::CurrentUser, "Software\\Brindle");
}

// What the library's send function was given.
struct SendCall {
  int calls = 0;
  ULONG_PTR session = 1, parent = 0;
  std::string note;
  bool otherFieldsEmpty = false;
  FLAGS flags = 0;
  ULONG reserved = 1;
  ULONG result = SUCCESS_SUCCESS;
} g_send;

ULONG WINAPI FakeSendMail(LHANDLE session, ULONG_PTR parent, lpMapiMessage message, FLAGS flags, ULONG reserved) {
  ++g_send.calls;
  g_send.session = session;
  g_send.parent = parent;
  g_send.note = message->lpszNoteText != nullptr ? message->lpszNoteText : "";
  g_send.otherFieldsEmpty = message->lpszSubject == nullptr && message->nRecipCount == 0 &&
                            message->nFileCount == 0 && message->lpRecips == nullptr && message->lpFiles == nullptr;
  g_send.flags = flags;
  g_send.reserved = reserved;
  return g_send.result;
}

class FakeLibrary : public platform::TLibrary {
 public:
  explicit FakeLibrary(bool hasFunction) : hasFunction_(hasFunction) {}
  platform::TLibraryFunction Function(const std::string& name) const override {
    if (!hasFunction_ || name != "MAPISendMail") return nullptr;
    return reinterpret_cast<platform::TLibraryFunction>(FakeSendMail);
  }

 private:
  bool hasFunction_;
};

std::string g_loadedName;
std::unique_ptr<platform::TLibrary> NoLibrary(const std::string& name) {
  g_loadedName = name;
  return nullptr;
}
std::unique_ptr<platform::TLibrary> LibraryWithoutFunction(const std::string&) {
  return std::make_unique<FakeLibrary>(false);
}
std::unique_ptr<platform::TLibrary> MailLibrary(const std::string&) { return std::make_unique<FakeLibrary>(true); }

TEST_F(EditorWindow, SendEmailHandsTheTextToTheLibraryOrShowsString405) {
  const std::string problem = "Glyphora|There is a problem using MAPI on your system, probably due to absence of the "
                              "MAPI32.DLL file or a client supporting simple MAPI. Please copy and paste your drawing "
                              "manually.";
  editor_.settings.notice = "N";
  SetRows({"ab"});
  g_send = SendCall();
  g_send.result = MAPI_E_FAILURE;
  const std::pair<glyphora::app::LibraryLoader, bool> cases[] = {
      {NoLibrary, false}, {LibraryWithoutFunction, false}, {MailLibrary, false}};
  for (const auto& [loader, sent] : cases) {
    asked_.clear();
    EXPECT_EQ(glyphora::app::CommandSendEmail(&editor_, loader), sent);
    EXPECT_EQ(asked_, std::vector<std::string>{problem});
  }
  EXPECT_EQ(g_loadedName, "MAPI32.DLL");
  EXPECT_EQ(g_send.calls, 1);
  asked_.clear();
  g_send = SendCall();
  EXPECT_TRUE(glyphora::app::CommandSendEmail(&editor_, MailLibrary));
  EXPECT_TRUE(asked_.empty());
  EXPECT_EQ(g_send.session, 0u);
  EXPECT_EQ(g_send.parent, reinterpret_cast<ULONG_PTR>(editor_.view));
  EXPECT_EQ(g_send.note, "N \r\n  \r\nab\r\n");
  EXPECT_TRUE(g_send.otherFieldsEmpty);
  EXPECT_EQ(g_send.flags, 9u);
  EXPECT_EQ(g_send.reserved, 0u);
}

TEST_F(EditorWindow, FileTypeIsWrittenOnlyAfterQuestion406) {
  const std::string path = "C:\\Art\\glyphora.exe";
  const std::string question = "Glyphora|Currently, Glyphora files cannot be double-clicked in the Explorer or have "
                               "their icon displayed. This is because you have just installed or moved Glyphora.\r\n"
                               "Would you like to configure the Windows registry for them?";
  platform::RegistryDeleteKey(platform::RegistryRoot::ClassesRoot, "GLYfile");
  answers_ = {IDNO, IDYES};
  EXPECT_FALSE(glyphora::app::FileTypeCheck(&editor_, path));
  EXPECT_FALSE(platform::RegistryKeyExists(platform::RegistryRoot::ClassesRoot, "GLYfile"));
  EXPECT_TRUE(glyphora::app::FileTypeCheck(&editor_, path));
  std::string command;
  platform::RegistryReadString(platform::RegistryRoot::ClassesRoot, "GLYfile\\Shell\\open\\command", "", command);
  EXPECT_EQ(command, "\"C:\\Art\\glyphora.exe\" %1");
  EXPECT_TRUE(glyphora::app::FileTypeCheck(&editor_, path));  // all in place: no question
  EXPECT_EQ(asked_, (std::vector<std::string>{question, question}));
  platform::RegistryDeleteKey(platform::RegistryRoot::ClassesRoot, "GLYfile");
  platform::RegistryDeleteKey(platform::RegistryRoot::ClassesRoot, ".gly");
}

}  // namespace
