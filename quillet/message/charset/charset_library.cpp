#include "quillet/message/charset/charset_library.h"

#include <utility>

#include "quillet/message/charset/charset_texts.h"

TCharsetLibrary::TCharsetLibrary(TUserPrompts& prompts, TOpener opener)
    : prompts_(prompts), opener_(std::move(opener)) {}

bool TCharsetLibrary::LoadCharsetLibrary() {
  if (library_) return true;
  std::unique_ptr<platform::TLibrary> library = opener_(k_charsetLibraryName);
  if (!library) {
    prompts_.ShowMessage(k_missingCharsetLibrary);
    return false;
  }
  auto big5ToGb = reinterpret_cast<TMchsetConvert>(library->Function("Big5ToGB"));
  auto gbToBig5 = reinterpret_cast<TMchsetConvert>(library->Function("GBToBig5"));
  if (!big5ToGb || !gbToBig5) {
    prompts_.ShowMessage(k_incorrectCharsetFunction);
    return false;  // the library is freed as it goes out of scope
  }
  library_ = std::move(library);
  big5ToGb_ = big5ToGb;
  gbToBig5_ = gbToBig5;
  return true;
}

std::int32_t TCharsetLibrary::ConvertText(std::string& text, bool toBig5) {
  if (!LoadCharsetLibrary()) return -1;
  // The library works on a copy, so a call that throws half-way leaves text as it was.
  std::string work = text;
  try {
    std::int32_t result = (toBig5 ? gbToBig5_ : big5ToGb_)(&work[0]);
    text = std::move(work);
    return result;
  } catch (...) {
    return -1;
  }
}

void TCharsetLibrary::UnloadCharsetLibrary() {
  gbToBig5_ = nullptr;
  big5ToGb_ = nullptr;
  library_.reset();
}
