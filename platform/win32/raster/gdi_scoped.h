// Scoped GDI objects: whatever is made is released on every path, and a selection is
// put back before its object is deleted.
#pragma once

#include <windows.h>

#include "platform/system_error.h"

namespace platform::win32 {

class ScopedMemoryDc {
 public:
  ScopedMemoryDc() : dc_(CreateCompatibleDC(nullptr)) {}
  ~ScopedMemoryDc() {
    if (dc_ != nullptr) DeleteDC(dc_);
  }
  ScopedMemoryDc(const ScopedMemoryDc&) = delete;
  ScopedMemoryDc& operator=(const ScopedMemoryDc&) = delete;
  HDC get() const { return dc_; }

 private:
  HDC dc_;
};

class ScopedGdiObject {
 public:
  explicit ScopedGdiObject(HGDIOBJ object) : object_(object) {}
  ~ScopedGdiObject() {
    if (object_ != nullptr) DeleteObject(object_);
  }
  ScopedGdiObject(const ScopedGdiObject&) = delete;
  ScopedGdiObject& operator=(const ScopedGdiObject&) = delete;
  HGDIOBJ get() const { return object_; }

 private:
  HGDIOBJ object_;
};

class ScopedSelection {
 public:
  ScopedSelection(HDC dc, HGDIOBJ object) : dc_(dc), old_(SelectObject(dc, object)) {}
  ~ScopedSelection() {
    if (old_ != nullptr && old_ != HGDI_ERROR) SelectObject(dc_, old_);
  }
  ScopedSelection(const ScopedSelection&) = delete;
  ScopedSelection& operator=(const ScopedSelection&) = delete;
  bool ok() const { return old_ != nullptr && old_ != HGDI_ERROR; }

 private:
  HDC dc_;
  HGDIOBJ old_;
};

// The error of a failed GDI call: the last error, or a general failure when GDI set none.
inline int GdiError() {
  DWORD error = GetLastError();
  return error != 0 ? static_cast<int>(error) : k_ERROR_GEN_FAILURE;
}

}  // namespace platform::win32
