// GB <-> Big5 conversion of texts through the outside library MCHSET.DLL (see
// mchset/mchset.h), loaded by name at the first conversion and kept until
// UnloadCharsetLibrary or the object's end. The program's composition root owns the one
// instance; it holds the loaded library and nothing else.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "mchset/mchset.h"
#include "platform/library.h"
#include "quillet/common/user_prompts.h"

class TCharsetLibrary {
 public:
  // Opens a library by its file name; the platform's search by default, a seam for tests.
  using TOpener = std::function<std::unique_ptr<platform::TLibrary>(const std::string& name)>;

  explicit TCharsetLibrary(TUserPrompts& prompts, TOpener opener = platform::LoadLibraryByName);

  // True when the library and both functions are available (at once if already loaded).
  // Else shows "Missing DLL: MCHSET.DLL" or "Incorrect function in MCHSET.DLL" (the
  // library is then freed) and fails; the next call tries again.
  bool LoadCharsetLibrary();
  // Converts text in place, GB to Big5 when toBig5, else Big5 to GB, up to its first NUL
  // byte; the byte length stays. Loads the library first if needed. The library's result,
  // or -1 when the library is not available or the call threw (text is then unchanged).
  std::int32_t ConvertText(std::string& text, bool toBig5);
  // Frees the library; the next conversion loads it again.
  void UnloadCharsetLibrary();

 private:
  TUserPrompts& prompts_;
  TOpener opener_;
  std::unique_ptr<platform::TLibrary> library_;
  TMchsetConvert gbToBig5_ = nullptr;
  TMchsetConvert big5ToGb_ = nullptr;
};
