// Drives the windows of a running quillet.exe from outside, one step per run, so that
// quillet_smoke.sh can keep its scenes as a table of short shell lines:
//   quillet_smoke_driver.exe find CLASS TITLE [MS]   waits (20 s, or MS) for a visible
//                                                    top-level window ("-": any class or title);
//                                                    prints its handle
//   quillet_smoke_driver.exe child HWND CLASS        the same for a visible descendant
//   quillet_smoke_driver.exe texts HWND              the window's title and every child's text
//   quillet_smoke_driver.exe rows LIST               a list view's rows, one cell a field
//   quillet_smoke_driver.exe rect HWND               the window's place on the screen, as
//                                                    WIDTHxHEIGHT+LEFT+TOP
//   quillet_smoke_driver.exe menu HWND               the menu of the process's TF_main
//   quillet_smoke_driver.exe command HWND ID         posts WM_COMMAND ID
//   quillet_smoke_driver.exe close HWND              posts WM_CLOSE
//   quillet_smoke_driver.exe settext HWND ID TEXT    sets the text of the dialog item ID
//   quillet_smoke_driver.exe select LIST ROW         selects and focuses a list-view row
//   quillet_smoke_driver.exe gone HWND               waits until the window is destroyed
// Output is UTF-8, one record a line, fields TAB-separated; the exit code is 0 on success,
// 1 when a wait timed out or a window was missing, 2 on a usage error.
//
// Texts of status bars and list views live in the other process: the request goes
// through a buffer allocated there. Menus cannot be read across processes under Wine, so
// "menu" loads quillet_menu_probe.dll (beside this program) into the target, which writes
// them out from inside.
#include <windows.h>
#include <commctrl.h>
#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <cwchar>
#include <exception>
#include <string>
#include <vector>

namespace {

constexpr DWORD k_stepTimeout = 20000;
constexpr DWORD k_poll = 50;
constexpr int k_textLimit = 4096;

void Print(const std::wstring& line) {
  std::wstring withEnd = line + L"\n";
  const int size = WideCharToMultiByte(CP_UTF8, 0, withEnd.c_str(), static_cast<int>(withEnd.size()), nullptr, 0,
                                       nullptr, nullptr);
  std::string bytes(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, withEnd.c_str(), static_cast<int>(withEnd.size()), bytes.data(), size, nullptr,
                      nullptr);
  std::fwrite(bytes.data(), 1, bytes.size(), stdout);
}

// Line breaks and TABs of a text shown as \n and \t, so that one record stays one line.
std::wstring OneLine(const std::wstring& text) {
  std::wstring line;
  for (wchar_t c : text) {
    if (c == L'\r') continue;
    if (c == L'\n') line += L"\\n";
    else if (c == L'\t') line += L"\\t";
    else line += c;
  }
  return line;
}

HWND ParseHandle(const wchar_t* text) {
  return reinterpret_cast<HWND>(static_cast<UINT_PTR>(std::wcstoull(text, nullptr, 10)));
}

std::wstring HandleText(HWND hwnd) { return std::to_wstring(reinterpret_cast<UINT_PTR>(hwnd)); }

// Memory in the window's process, for the controls whose messages carry pointers.
class TRemoteBuffer {
 public:
  TRemoteBuffer(HWND hwnd, SIZE_T size) : size_(size) {
    DWORD owner = 0;
    GetWindowThreadProcessId(hwnd, &owner);
    process_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, owner);
    if (process_ != nullptr) address_ = VirtualAllocEx(process_, nullptr, size, MEM_COMMIT, PAGE_READWRITE);
  }
  ~TRemoteBuffer() {
    if (address_ != nullptr) VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
    if (process_ != nullptr) CloseHandle(process_);
  }
  TRemoteBuffer(const TRemoteBuffer&) = delete;
  TRemoteBuffer& operator=(const TRemoteBuffer&) = delete;

  bool Ok() const { return address_ != nullptr; }
  LPARAM Address() const { return reinterpret_cast<LPARAM>(address_); }
  bool Write(const void* data, SIZE_T size) { return WriteProcessMemory(process_, address_, data, size, nullptr) != 0; }
  bool Read(void* data, SIZE_T size) const { return ReadProcessMemory(process_, address_, data, size, nullptr) != 0; }
  std::wstring ReadText() const {
    std::vector<wchar_t> text(size_ / sizeof(wchar_t) + 1, L'\0');
    if (!Read(text.data(), size_)) return std::wstring();
    text.back() = L'\0';
    return text.data();
  }

 private:
  HANDLE process_ = nullptr;
  void* address_ = nullptr;
  SIZE_T size_;
};

std::wstring WindowText(HWND hwnd) {
  std::vector<wchar_t> text(k_textLimit, L'\0');
  SendMessageTimeoutW(hwnd, WM_GETTEXT, k_textLimit, reinterpret_cast<LPARAM>(text.data()), SMTO_ABORTIFHUNG, 5000,
                      nullptr);
  return text.data();
}

std::wstring ClassOf(HWND hwnd) {
  wchar_t name[128] = {};
  GetClassNameW(hwnd, name, 128);
  return name;
}

void PrintStatusPanels(HWND bar, const std::wstring& prefix) {
  const int parts = static_cast<int>(SendMessageW(bar, SB_GETPARTS, 0, 0));
  TRemoteBuffer buffer(bar, k_textLimit * sizeof(wchar_t));
  if (!buffer.Ok()) return;
  for (int part = 0; part < parts; ++part) {
    const wchar_t empty = L'\0';
    buffer.Write(&empty, sizeof empty);
    SendMessageW(bar, SB_GETTEXTW, static_cast<WPARAM>(part), buffer.Address());
    Print(prefix + L"panel " + std::to_wstring(part) + L"\t" + OneLine(buffer.ReadText()));
  }
}

// Each row of a list view, its cells TAB-separated after prefix, read through an item and
// a text buffer placed in the list's process.
bool PrintRows(HWND list, const std::wstring& prefix) {
  HWND header = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
  const int columns = header != nullptr ? static_cast<int>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0)) : 1;
  const int rows = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
  TRemoteBuffer item(list, sizeof(LVITEMW));
  TRemoteBuffer text(list, k_textLimit * sizeof(wchar_t));
  if (!item.Ok() || !text.Ok()) return false;
  for (int row = 0; row < rows; ++row) {
    std::wstring line = prefix;
    for (int column = 0; column < columns; ++column) {
      LVITEMW request{};
      request.iSubItem = column;
      request.pszText = reinterpret_cast<LPWSTR>(text.Address());
      request.cchTextMax = k_textLimit;
      const wchar_t empty = L'\0';
      text.Write(&empty, sizeof empty);
      item.Write(&request, sizeof request);
      SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), item.Address());
      line += (column == 0 ? L"" : L"\t") + OneLine(text.ReadText());
    }
    Print(line);
  }
  return true;
}

HTREEITEM TreeItem(HWND tree, UINT which, HTREEITEM from) {
  return reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_GETNEXTITEM, which, reinterpret_cast<LPARAM>(from)));
}

// The items from first on and their children in display order, each with its depth and
// text after prefix; item and text are buffers in the tree's process.
void PrintTreeLevel(HWND tree, HTREEITEM first, int depth, TRemoteBuffer& item, TRemoteBuffer& text,
                    const std::wstring& prefix) {
  for (HTREEITEM handle = first; handle != nullptr; handle = TreeItem(tree, TVGN_NEXT, handle)) {
    TVITEMW request{};
    request.mask = TVIF_TEXT;
    request.hItem = handle;
    request.pszText = reinterpret_cast<LPWSTR>(text.Address());
    request.cchTextMax = k_textLimit;
    item.Write(&request, sizeof request);
    SendMessageW(tree, TVM_GETITEMW, 0, item.Address());
    Print(prefix + L"item " + std::to_wstring(depth) + L"\t" + OneLine(text.ReadText()));
    PrintTreeLevel(tree, TreeItem(tree, TVGN_CHILD, handle), depth + 1, item, text, prefix);
  }
}

void PrintTreeItems(HWND tree, const std::wstring& prefix) {
  TRemoteBuffer item(tree, sizeof(TVITEMW));
  TRemoteBuffer text(tree, k_textLimit * sizeof(wchar_t));
  if (item.Ok() && text.Ok()) PrintTreeLevel(tree, TreeItem(tree, TVGN_ROOT, nullptr), 0, item, text, prefix);
}

void PrintListBox(HWND box, const std::wstring& prefix) {
  const int count = static_cast<int>(SendMessageW(box, LB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    std::vector<wchar_t> text(static_cast<std::size_t>(SendMessageW(box, LB_GETTEXTLEN, i, 0)) + 1, L'\0');
    SendMessageW(box, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text.data()));
    Print(prefix + L"item\t" + OneLine(text.data()));
  }
}

// HWND, class, control id, text; a status bar gives one record per panel, a list view
// its row count and a record per row, a tree view and a list box one per item.
BOOL CALLBACK PrintChild(HWND child, LPARAM) {
  const std::wstring className = ClassOf(child);
  const std::wstring prefix = HandleText(child) + L"\t" + className + L"\t" +
                              std::to_wstring(GetDlgCtrlID(child)) + L"\t";
  if (className == STATUSCLASSNAMEW) {
    PrintStatusPanels(child, prefix);
  } else if (className == WC_LISTVIEWW) {
    Print(prefix + L"rows " + std::to_wstring(SendMessageW(child, LVM_GETITEMCOUNT, 0, 0)));
    PrintRows(child, prefix + L"row\t");
  } else if (className == L"ListBox") {
    PrintListBox(child, prefix);
  } else if (className == WC_TREEVIEWW) {
    Print(prefix + L"items " + std::to_wstring(SendMessageW(child, TVM_GETCOUNT, 0, 0)));
    PrintTreeItems(child, prefix);
  } else {
    Print(prefix + OneLine(WindowText(child)));
  }
  return TRUE;
}

// Polls find() until it gives a visible window; prints its handle.
template <typename TFind>
int WaitFor(TFind find, DWORD timeout) {
  for (DWORD waited = 0; waited < timeout; waited += k_poll) {
    HWND hwnd = find();
    if (hwnd != nullptr && IsWindowVisible(hwnd)) {
      Print(HandleText(hwnd));
      return 0;
    }
    Sleep(k_poll);
  }
  return 1;
}

int Find(const wchar_t* className, const wchar_t* title, DWORD timeout) {
  const wchar_t* wantedClass = std::wcscmp(className, L"-") == 0 ? nullptr : className;
  const wchar_t* wantedTitle = std::wcscmp(title, L"-") == 0 ? nullptr : title;
  return WaitFor([&] { return FindWindowW(wantedClass, wantedTitle); }, timeout);
}

struct TChildSearch {
  const std::wstring* className;
  HWND found;
};

BOOL CALLBACK MatchChild(HWND hwnd, LPARAM param) {
  auto* search = reinterpret_cast<TChildSearch*>(param);
  if (ClassOf(hwnd) != *search->className || !IsWindowVisible(hwnd)) return TRUE;
  search->found = hwnd;
  return FALSE;
}

int Child(HWND parent, const std::wstring& className) {
  return WaitFor(
      [&] {
        TChildSearch search{&className, nullptr};
        EnumChildWindows(parent, MatchChild, reinterpret_cast<LPARAM>(&search));
        return search.found;
      },
      k_stepTimeout);
}

int Rows(HWND list) { return IsWindow(list) && PrintRows(list, L"") ? 0 : 1; }

int Texts(HWND hwnd) {
  if (!IsWindow(hwnd)) return 1;
  Print(HandleText(hwnd) + L"\t" + ClassOf(hwnd) + L"\ttitle\t" + OneLine(WindowText(hwnd)));
  EnumChildWindows(hwnd, PrintChild, 0);
  return 0;
}

std::wstring ProbePath() {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder = path;
  folder.resize(folder.find_last_of(L'\\') + 1);
  return folder + L"quillet_menu_probe.dll";
}

// The probe library loaded in the window's process by a thread started there.
bool RunProbe(HWND hwnd, const std::wstring& probe) {
  DWORD owner = 0;
  GetWindowThreadProcessId(hwnd, &owner);
  HANDLE process = OpenProcess(PROCESS_ALL_ACCESS, FALSE, owner);
  if (process == nullptr) return false;
  const SIZE_T size = (probe.size() + 1) * sizeof(wchar_t);
  void* remotePath = VirtualAllocEx(process, nullptr, size, MEM_COMMIT, PAGE_READWRITE);
  bool ran = false;
  if (remotePath != nullptr && WriteProcessMemory(process, remotePath, probe.c_str(), size, nullptr)) {
    auto load = reinterpret_cast<LPTHREAD_START_ROUTINE>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "LoadLibraryW")));
    if (HANDLE thread = CreateRemoteThread(process, nullptr, 0, load, remotePath, 0, nullptr)) {
      ran = WaitForSingleObject(thread, k_stepTimeout) == WAIT_OBJECT_0;
      CloseHandle(thread);
    }
  }
  if (remotePath != nullptr) VirtualFreeEx(process, remotePath, 0, MEM_RELEASE);
  CloseHandle(process);
  return ran;
}

int Menu(HWND hwnd) {
  if (!IsWindow(hwnd)) return 1;
  const std::wstring probe = ProbePath();
  const std::wstring output = probe + L".txt";
  DeleteFileW(output.c_str());
  if (!RunProbe(hwnd, probe)) return 1;
  FILE* file = _wfopen(output.c_str(), L"rb");
  if (file == nullptr) return 1;
  char chunk[4096];
  std::size_t got = 0;
  while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0) std::fwrite(chunk, 1, got, stdout);
  std::fclose(file);
  DeleteFileW(output.c_str());
  return 0;
}

int Select(HWND list, int row) {
  if (!IsWindow(list)) return 1;
  TRemoteBuffer buffer(list, sizeof(LVITEMW));
  LVITEMW item{};
  item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  item.state = LVIS_SELECTED | LVIS_FOCUSED;
  if (!buffer.Ok() || !buffer.Write(&item, sizeof item)) return 1;
  SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(row), buffer.Address());
  SendMessageW(list, LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
  return 0;
}

int Rect(HWND hwnd) {
  RECT place;
  if (!GetWindowRect(hwnd, &place)) return 1;
  Print(std::to_wstring(place.right - place.left) + L"x" + std::to_wstring(place.bottom - place.top) + L"+" +
        std::to_wstring(place.left) + L"+" + std::to_wstring(place.top));
  return 0;
}

int Gone(HWND hwnd) {
  for (DWORD waited = 0; waited < k_stepTimeout; waited += k_poll) {
    if (!IsWindow(hwnd)) return 0;
    Sleep(k_poll);
  }
  return 1;
}

int Run(const std::vector<std::wstring>& args) {
  const std::wstring& step = args[0];
  const std::size_t count = args.size();
  if (step == L"find" && (count == 3 || count == 4))
    return Find(args[1].c_str(), args[2].c_str(), count == 4 ? std::stoul(args[3]) : k_stepTimeout);
  if (step == L"child" && count == 3) return Child(ParseHandle(args[1].c_str()), args[2]);
  if (step == L"rect" && count == 2) return Rect(ParseHandle(args[1].c_str()));
  if (step == L"rows" && count == 2) return Rows(ParseHandle(args[1].c_str()));
  if (step == L"close" && count == 2) return PostMessageW(ParseHandle(args[1].c_str()), WM_CLOSE, 0, 0) ? 0 : 1;
  if (step == L"settext" && count == 4) {
    HWND item = GetDlgItem(ParseHandle(args[1].c_str()), std::stoi(args[2]));
    return item != nullptr && SendMessageW(item, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(args[3].c_str())) ? 0 : 1;
  }
  if (step == L"texts" && count == 2) return Texts(ParseHandle(args[1].c_str()));
  if (step == L"menu" && count == 2) return Menu(ParseHandle(args[1].c_str()));
  if (step == L"gone" && count == 2) return Gone(ParseHandle(args[1].c_str()));
  if (step == L"select" && count == 3) return Select(ParseHandle(args[1].c_str()), std::stoi(args[2]));
  if (step == L"command" && count == 3) {
    HWND hwnd = ParseHandle(args[1].c_str());
    return PostMessageW(hwnd, WM_COMMAND, static_cast<WPARAM>(std::stoul(args[2])), 0) ? 0 : 1;
  }
  return 2;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  _setmode(_fileno(stdout), _O_BINARY);
  if (argc < 2) {
    std::fprintf(stderr, "usage: quillet_smoke_driver find|child|texts|rows|rect|menu|command|close|settext|select|gone ...\n");
    return 2;
  }
  int result = 2;
  try {
    result = Run(std::vector<std::wstring>(argv + 1, argv + argc));
  } catch (const std::exception&) {  // a number that does not parse
  }
  if (result == 2) std::fprintf(stderr, "quillet_smoke_driver: bad arguments\n");
  std::fflush(stdout);
  return result;
}
