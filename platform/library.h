// Loading a code library by name at run time and looking up its functions.
#pragma once

#include <memory>
#include <string>

namespace platform {

// Any exported function; cast it to its real type before calling.
using TLibraryFunction = void (*)();

// A loaded library; destroying it unloads the library.
class TLibrary {
 public:
  virtual ~TLibrary() = default;
  // The exported function of that exact name, or nullptr.
  virtual TLibraryFunction Function(const std::string& name) const = 0;
};

// Loads a library given by its Windows file name ("MCHSET.DLL"); nullptr when it cannot be
// found or loaded.
// win32: first the executable's own folder, then the system's search order.
// posix: the same name with the extension ".so" ("MCHSET.so"), first in the executable's
// folder, then in each folder of the QUILLET_LIBRARY_PATH variable (":"-separated).
std::unique_ptr<TLibrary> LoadLibraryByName(const std::string& name);

}  // namespace platform
