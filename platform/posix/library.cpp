#include "platform/library.h"

#include <dlfcn.h>

#include <sstream>
#include <vector>

#include "platform/console.h"

namespace platform {

namespace {

constexpr char k_libraryPathVariable[] = "QUILLET_LIBRARY_PATH";

class TPosixLibrary : public TLibrary {
 public:
  explicit TPosixLibrary(void* handle) : handle_(handle) {}
  ~TPosixLibrary() override { ::dlclose(handle_); }
  TLibraryFunction Function(const std::string& name) const override {
    return reinterpret_cast<TLibraryFunction>(::dlsym(handle_, name.c_str()));
  }

 private:
  void* handle_;
};

// "MCHSET.DLL" -> "MCHSET.so": the Windows extension, whatever its case, becomes ".so".
std::string SharedObjectName(const std::string& name) {
  const size_t dot = name.find_last_of('.');
  const std::string stem = dot == std::string::npos ? name : name.substr(0, dot);
  return stem + ".so";
}

std::vector<std::string> SearchFolders() {
  std::vector<std::string> folders{ExecutableFolder()};
  std::istringstream path(GetEnvironment(k_libraryPathVariable));
  for (std::string folder; std::getline(path, folder, ':');) {
    if (!folder.empty()) folders.push_back(folder + "/");
  }
  return folders;
}

}  // namespace

std::unique_ptr<TLibrary> LoadLibraryByName(const std::string& name) {
  // A name with a slash would leave the folders above; such a library is not ours.
  if (name.empty() || name.find('/') != std::string::npos) return nullptr;
  const std::string file = SharedObjectName(name);
  for (const std::string& folder : SearchFolders()) {
    if (void* handle = ::dlopen((folder + file).c_str(), RTLD_NOW | RTLD_LOCAL)) {
      return std::make_unique<TPosixLibrary>(handle);
    }
  }
  return nullptr;
}

}  // namespace platform
