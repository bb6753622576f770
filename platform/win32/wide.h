// Conversions between the system's GBK byte strings and the UTF-16 of the W functions.
#pragma once

#include <string>

namespace platform::win32 {

constexpr unsigned k_gbkCodePage = 936;

std::wstring WideFromGbk(const std::string& text);
std::string GbkFromWide(const std::wstring& text);

}  // namespace platform::win32
