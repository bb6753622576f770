// Drives the shipped glyphora.exe from outside as a person would, pausing at each scene
// so that the script can take a screenshot:
//   glyphora_smoke_driver.exe GLYPHORA_EXE ART_FILE SIGNAL_FOLDER
// At scene N it writes SIGNAL_FOLDER\N.ready and waits for N.done. Exit code 0 when the
// program showed every scene and ended after its close question; else the failed step.
#include <windows.h>

#include <cstdio>
#include <cmath>
#include <cstring>
#include <vector>
#include <string>

namespace {

constexpr DWORD k_stepTimeout = 20000;
constexpr int k_textTop = 39;
constexpr int k_bigTextTop = 72;
constexpr int k_pencilTop = 108;
constexpr int k_lineTop = 210;
constexpr int k_circleTop = 243;
constexpr int k_rectangleTop = 276;

HWND WaitWindow(const wchar_t* className, const wchar_t* title, HWND parent = nullptr, DWORD timeout = k_stepTimeout) {
  for (DWORD waited = 0; waited < timeout; waited += 50) {
    HWND hwnd = parent != nullptr ? FindWindowExW(parent, nullptr, className, title) : FindWindowW(className, title);
    if (hwnd != nullptr && (parent != nullptr || IsWindowVisible(hwnd))) return hwnd;
    Sleep(50);
  }
  return nullptr;
}

// Scene n: writes n.ready holding the scene's name, waits for n.done.
bool Scene(const std::wstring& folder, const char* name) {
  static int n = 0;
  ++n;
  Sleep(700);  // the windows have painted
  std::wstring ready = folder + L"\\" + std::to_wstring(n) + L".ready";
  std::wstring done = folder + L"\\" + std::to_wstring(n) + L".done";
  HANDLE file = CreateFileW(ready.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  WriteFile(file, name, static_cast<DWORD>(std::strlen(name)), &written, nullptr);
  CloseHandle(file);
  for (DWORD waited = 0; waited < k_stepTimeout; waited += 50) {
    if (GetFileAttributesW(done.c_str()) != INVALID_FILE_ATTRIBUTES) return true;
    Sleep(50);
  }
  return false;
}

void Click(HWND hwnd, int x, int y) {
  PostMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
  PostMessageW(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

void DragPixels(HWND view, int x0, int y0, int x1, int y1) {
  PostMessageW(view, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x0, y0));
  for (int i = 1; i <= 8; ++i)
    PostMessageW(view, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x0 + (x1 - x0) * i / 8, y0 + (y1 - y0) * i / 8));
  PostMessageW(view, WM_LBUTTONUP, 0, MAKELPARAM(x1, y1));
}

// A 96 x 64 picture on the clipboard: a dark ring on white, shaded from left to right.
bool PutPicture(HWND owner) {
  const int width = 96, height = 64, row = width * 3;
  std::vector<unsigned char> dib(sizeof(BITMAPINFOHEADER) + row * height);
  auto* header = reinterpret_cast<BITMAPINFOHEADER*>(dib.data());
  header->biSize = sizeof(BITMAPINFOHEADER);
  header->biWidth = width;
  header->biHeight = height;
  header->biPlanes = 1;
  header->biBitCount = 24;
  unsigned char* pixels = dib.data() + sizeof(BITMAPINFOHEADER);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      double dx = (x - width / 2.0) / (width / 2.0), dy = (y - height / 2.0) / (height / 2.0);
      double r = std::sqrt(dx * dx + dy * dy);
      double ink = r < 0.9 ? (r > 0.55 ? 1.0 : 0.15 + 0.85 * x / width) : 0.0;
      auto grey = static_cast<unsigned char>(255 - 255 * ink);
      unsigned char* p = pixels + y * row + x * 3;
      p[0] = p[1] = p[2] = grey;
    }
  }
  if (!OpenClipboard(owner)) return false;
  EmptyClipboard();
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, dib.size());
  std::memcpy(GlobalLock(block), dib.data(), dib.size());
  GlobalUnlock(block);
  bool put = SetClipboardData(CF_DIB, block) != nullptr;
  CloseClipboard();
  return put;
}

// Posted like the clicks, so the keys come after them.
void TypeKeys(HWND frame, const wchar_t* keys) {
  for (; *keys != 0; ++keys) PostMessageW(frame, WM_CHAR, *keys, 0);
}

// Select All, Clear: an empty page for what comes next.
void ClearPage(HWND frame) {
  PostMessageW(frame, WM_COMMAND, 16, 0);
  PostMessageW(frame, WM_COMMAND, 15, 0);
}

bool ShowDialog(HWND frame, int command, const wchar_t* title, const std::wstring& folder, const char* scene) {
  PostMessageW(frame, WM_COMMAND, command, 0);
  HWND dialog = WaitWindow(L"#32770", title);
  if (dialog == nullptr || !Scene(folder, scene)) return false;
  PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
  Sleep(300);
  return true;
}

bool PutTableText(HWND owner) {
  const wchar_t table[] = L"Tool\tKeys\tUse\r\nPencil\tP\tfreehand\r\nLine\tL\tstraight lines\r\nBucket\tB\tfill\r\n";
  if (!OpenClipboard(owner)) return false;
  EmptyClipboard();
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, sizeof table);
  std::memcpy(GlobalLock(block), table, sizeof table);
  GlobalUnlock(block);
  bool put = SetClipboardData(CF_UNICODETEXT, block) != nullptr;
  CloseClipboard();
  return put;
}

int Run(const std::wstring& exe, const std::wstring& art, const std::wstring& folder) {
  std::wstring command = L"\"" + exe + L"\" \"" + art + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(exe.c_str(), &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
    return 10;
  HWND frame = WaitWindow(L"GlyphoraFrame", nullptr);
  if (frame == nullptr) return 11;
  HWND bar = WaitWindow(L"GlyphoraToolBar", nullptr, frame);
  HWND view = WaitWindow(L"GlyphoraView", nullptr, frame);
  if (bar == nullptr || view == nullptr) return 12;
  // A new place asks whether to register the document file type: yes.
  if (HWND question = WaitWindow(L"#32770", L"Glyphora", nullptr, 3000)) {
    if (!Scene(folder, "file-type-question")) return 21;
    PostMessageW(question, WM_COMMAND, IDYES, 0);
    Sleep(300);
  }
  Click(bar, 20, k_rectangleTop + 16);  // a rectangle round the art
  DragPixels(view, 60, 40, 520, 330);
  Click(bar, 20, k_pencilTop + 16);  // a pencil stroke under it
  DragPixels(view, 80, 350, 400, 360);
  Click(bar, 20, k_circleTop + 16);  // an ellipse and a line beside the art
  DragPixels(view, 380, 200, 500, 320);
  Click(bar, 20, k_lineTop + 16);
  DragPixels(view, 80, 320, 340, 220);
  if (!Scene(folder, "drawing")) return 13;
  if (!PutPicture(frame)) return 22;
  ClearPage(frame);
  PostMessageW(frame, WM_COMMAND, 14, 0);  // Paste: the picture becomes characters
  if (!Scene(folder, "picture")) return 23;
  if (!PutTableText(frame)) return 14;
  ClearPage(frame);
  PostMessageW(frame, WM_COMMAND, 14, 0);  // Paste: tab-separated text becomes a table
  if (!Scene(folder, "table")) return 15;
  ClearPage(frame);
  Click(bar, 20, k_textTop + 16);  // typed text, then big text under it
  Click(view, 60, 20);
  TypeKeys(frame, L"Typed with the text tool,\rright here.");
  Click(bar, 20, k_bigTextTop + 16);
  Click(view, 60, 90);
  TypeKeys(frame, L"Big");
  if (!Scene(folder, "text")) return 24;
  if (!ShowDialog(frame, 23, L"Preferences", folder, "preferences")) return 16;
  if (!ShowDialog(frame, 22, L"Dimensions", folder, "dimensions")) return 17;
  PostMessageW(frame, WM_CLOSE, 0, 0);  // the drawing has changes: the question comes
  HWND question = WaitWindow(L"#32770", L"Confirm Close");
  if (question == nullptr) return 18;
  if (!Scene(folder, "close-question")) return 19;
  PostMessageW(question, WM_COMMAND, IDNO, 0);
  if (WaitForSingleObject(process.hProcess, k_stepTimeout) != WAIT_OBJECT_0) return 20;
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: glyphora_smoke_driver GLYPHORA_EXE ART_FILE SIGNAL_FOLDER\n");
    return 2;
  }
  int result = Run(argv[1], argv[2], argv[3]);
  if (result != 0) std::fprintf(stderr, "glyphora_smoke_driver: step %d failed\n", result);
  return result;
}
