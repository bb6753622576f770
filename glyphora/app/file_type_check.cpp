#include "glyphora/app/file_type_check.h"

#include "glyphora/app/app_resources.h"
#include "glyphora/document/file_type.h"
#include "platform/registry.h"
#include "platform/win32/ui/window_text.h"
#include "platform/win32/wide.h"

namespace glyphora::app {

namespace {

constexpr auto k_classes = platform::RegistryRoot::ClassesRoot;

bool AllRight(const std::vector<FileTypeValue>& values) {
  for (const FileTypeValue& v : values) {
    std::string stored;
    if (platform::RegistryReadString(k_classes, v.key, v.name, stored) != platform::RegistryLookup::Found ||
        stored != v.value)
      return false;
  }
  return true;
}

}  // namespace

std::string ModulePath() {
  wchar_t path[MAX_PATH] = {};
  DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
  return platform::win32::GbkFromWide(std::wstring(path, length));
}

bool FileTypeCheck(Editor* editor, const std::string& editorPath) {
  std::vector<FileTypeValue> values = FileTypeValues(editorPath);
  if (AllRight(values)) return true;
  if (EditorAsk(editor, platform::win32::ui::ResourceString(STR_REGISTER_FILE_TYPE), "Glyphora",
                MB_YESNO | MB_ICONQUESTION) != IDYES)
    return false;
  for (const FileTypeValue& v : values) {
    if (!platform::RegistryWriteString(k_classes, v.key, v.name, v.value)) {
      TestError(editor, ERROR_ACCESS_DENIED);
      return false;
    }
  }
  return true;
}

}  // namespace glyphora::app
