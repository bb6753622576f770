#include "platform/win32/wide.h"

#include <windows.h>

namespace platform::win32 {

std::wstring WideFromGbk(const std::string& text) {
  if (text.empty()) return std::wstring();
  int n = MultiByteToWideChar(k_gbkCodePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(k_gbkCodePage, 0, text.data(), static_cast<int>(text.size()), &wide[0], n);
  return wide;
}

std::string GbkFromWide(const std::wstring& text) {
  if (text.empty()) return std::string();
  int n = WideCharToMultiByte(k_gbkCodePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                              nullptr, nullptr);
  std::string bytes(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(k_gbkCodePage, 0, text.data(), static_cast<int>(text.size()), &bytes[0], n, nullptr,
                      nullptr);
  return bytes;
}

}  // namespace platform::win32
