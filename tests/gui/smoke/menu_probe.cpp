// Loaded into a running quillet.exe by quillet_smoke_driver (a remote LoadLibraryW):
// writes the menu of the process's TF_main window, as the person sees it, to the file
// named like this library plus ".txt", then refuses to stay loaded so that the next
// probe runs afresh. Menus cannot be read from another process under Wine; from inside
// the process they can.
//
// One line per menu entry, UTF-8, TAB-separated: depth, command id (0 for a menu that
// opens a submenu), "enabled" or "grayed", caption. Separators and the maximised child's
// bitmap entries are left out.
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

struct TFrameSearch {
  DWORD process;
  HWND found;
};

BOOL CALLBACK MatchFrame(HWND hwnd, LPARAM param) {
  auto* search = reinterpret_cast<TFrameSearch*>(param);
  DWORD owner = 0;
  GetWindowThreadProcessId(hwnd, &owner);
  wchar_t name[16] = {};
  GetClassNameW(hwnd, name, 16);
  if (owner != search->process || std::wstring(name) != L"TF_main") return TRUE;
  search->found = hwnd;
  return FALSE;
}

HWND FindOwnFrame() {
  TFrameSearch search{GetCurrentProcessId(), nullptr};
  EnumWindows(MatchFrame, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::string Utf8(const std::wstring& wide) {
  if (wide.empty()) return std::string();
  const int size = WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
  std::string text(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), static_cast<int>(wide.size()), text.data(), size, nullptr, nullptr);
  return text;
}

void WriteMenu(HMENU menu, int depth, std::string* out) {
  const int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    wchar_t caption[256] = {};
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STATE | MIIM_SUBMENU | MIIM_STRING;
    info.dwTypeData = caption;
    info.cch = 255;
    if (!GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info)) continue;
    if ((info.fType & (MFT_SEPARATOR | MFT_BITMAP)) != 0 || caption[0] == L'\0') continue;
    const bool grayed = (info.fState & MFS_GRAYED) != 0;
    const unsigned id = info.hSubMenu != nullptr ? 0u : info.wID;
    *out += std::to_string(depth) + "\t" + std::to_string(id) + "\t" + (grayed ? "grayed" : "enabled") + "\t" +
            Utf8(caption) + "\n";
    if (info.hSubMenu != nullptr) WriteMenu(info.hSubMenu, depth + 1, out);
  }
}

void WriteProbe(HINSTANCE self) {
  wchar_t path[MAX_PATH + 8] = {};
  if (GetModuleFileNameW(self, path, MAX_PATH) == 0) return;
  const std::wstring outPath = std::wstring(path) + L".txt";
  std::string lines;
  HWND frame = FindOwnFrame();
  if (frame != nullptr && GetMenu(frame) != nullptr) WriteMenu(GetMenu(frame), 0, &lines);
  HANDLE file = CreateFileW(outPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  WriteFile(file, lines.data(), static_cast<DWORD>(lines.size()), &written, nullptr);
  CloseHandle(file);
}

}  // namespace

BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID) {
  if (reason != DLL_PROCESS_ATTACH) return TRUE;
  WriteProbe(self);
  return FALSE;  // unloaded again at once
}
