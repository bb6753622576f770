#include "platform/library.h"

#include <windows.h>

#include "platform/console.h"
#include "platform/win32/wide.h"

namespace platform {

namespace {

class TWin32Library : public TLibrary {
 public:
  explicit TWin32Library(HMODULE module) : module_(module) {}
  ~TWin32Library() override { FreeLibrary(module_); }
  TLibraryFunction Function(const std::string& name) const override {
    return reinterpret_cast<TLibraryFunction>(GetProcAddress(module_, name.c_str()));
  }

 private:
  HMODULE module_;
};

}  // namespace

std::unique_ptr<TLibrary> LoadLibraryByName(const std::string& name) {
  if (name.empty()) return nullptr;
  // No "cannot find the library" box from the system: the caller tells the user itself.
  const UINT oldMode = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
  HMODULE module = LoadLibraryW(win32::WideFromGbk(ExecutableFolder() + name).c_str());
  if (!module) module = LoadLibraryW(win32::WideFromGbk(name).c_str());
  SetErrorMode(oldMode);
  if (!module) return nullptr;
  return std::make_unique<TWin32Library>(module);
}

}  // namespace platform
