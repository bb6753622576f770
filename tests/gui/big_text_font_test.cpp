// The big-text font dialog opened from the tool bar's face row and filled in by the test
// while it shows: the record, the registry and the big text follow the choice.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "glyphora/app/app_resources.h"
#include "glyphora/app/tool_bar.h"
#include "platform/registry.h"
#include "platform/win32/ui/window_text.h"
#include "tests/gui/editor_fixture.h"

namespace {

using glyphora_gui_test::EditorWindow;
using Rows = std::vector<std::string>;
namespace ui = platform::win32::ui;

constexpr int k_bigTextTool = 2;
constexpr int k_pencilTool = 3;
constexpr int k_fontButton = 2;  // after Transparent and the justification

// What the test puts into the dialog once it shows, before pressing OK.
struct FontChoice {
  const char* face;
  const char* size;
  bool italic;
  bool refused;  // the size is out of range: the dialog stays and is cancelled
};
const FontChoice* g_choice = nullptr;  // read by the timer that runs inside the dialog's loop

void CALLBACK FillDialog(HWND, UINT, UINT_PTR timer, DWORD) {
  HWND dialog = FindWindowW(L"#32770", L"Big Text Font");
  if (dialog == nullptr) return;  // not shown yet
  KillTimer(nullptr, timer);
  std::wstring face(g_choice->face, g_choice->face + std::string(g_choice->face).size());
  SendDlgItemMessageW(dialog, IDC_BIG_FACE, CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(face.c_str()));
  ui::SetWindowTextGbk(GetDlgItem(dialog, IDC_BIG_SIZE), g_choice->size);
  CheckDlgButton(dialog, IDC_BIG_BOLD, BST_UNCHECKED);
  CheckDlgButton(dialog, IDC_BIG_ITALIC, g_choice->italic ? BST_CHECKED : BST_UNCHECKED);
  SendMessageW(dialog, WM_COMMAND, IDOK, 0);
  if (IsWindow(dialog)) SendMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
}

// Clicks the face row of the font chooser; the dialog it opens is filled in as choice says.
void ChooseFont(glyphora::app::Editor* editor, const FontChoice& choice) {
  g_choice = &choice;
  SetTimer(nullptr, 0, 20, FillDialog);
  RECT r = glyphora::app::ToolBarOptionRect(editor, k_fontButton);
  LPARAM at = MAKELPARAM(r.left + 2, r.top + 16);
  SendMessageW(editor->toolBar, WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessageW(editor->toolBar, WM_LBUTTONUP, 0, at);
}

std::string StoredFace() {
  std::string stored;
  platform::RegistryReadBinary(platform::RegistryRoot::CurrentUser, "Software\\Brindle\\Glyphora", "Preferences", stored);
  return stored.size() < 129 ? std::string() : std::string(stored.c_str() + 97);
}

TEST_F(EditorWindow, BigTextFontDialogChoosesTheFaceSizeAndStyleTheBigTextDrawsWith) {
  editor_.preferences.bigTextSize = 20;
  editor_.preferences.bigTextStyle = 0;
  ClickTool(k_bigTextTool);
  Drag({{0, 0}});
  Type("H");
  const Rows arial = FloatingRows();
  ASSERT_EQ(editor_.preferences.bigTextFace, "Arial");
  const FontChoice choices[] = {
      {"Liberation Mono", "128", true, true},
      {"Liberation Mono", "20", true, false},
  };
  for (const FontChoice& c : choices) {
    asked_.clear();
    ChooseFont(&editor_, c);
    if (c.refused) {
      EXPECT_EQ(asked_, std::vector<std::string>{"Big Text Font|Choose a font, and a size of 4 to 127."});
      EXPECT_EQ(editor_.preferences.bigTextFace, "Arial");
      EXPECT_EQ(FloatingRows(), arial);
      continue;
    }
    EXPECT_TRUE(asked_.empty());
    EXPECT_EQ(editor_.preferences.bigTextFace, c.face);
    EXPECT_EQ(editor_.preferences.bigTextSize, 20);
    EXPECT_EQ(editor_.preferences.bigTextStyle, 2);  // italic alone
    EXPECT_EQ(StoredFace(), c.face);  // the record is saved, the face at its offset 97
  }
  const Rows chosen = FloatingRows();  // the floating text laid out again in the chosen font
  EXPECT_NE(chosen, arial);
  ClickTool(k_pencilTool);  // laid down; the next big text is drawn in the chosen font too
  ClickTool(k_bigTextTool);
  Drag({{0, 0}});
  Type("H");
  EXPECT_EQ(FloatingRows(), chosen);
  platform::RegistryDeleteKey(platform::RegistryRoot::CurrentUser, "Software\\Brindle");
}

}  // namespace
