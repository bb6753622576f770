// Charset conversion through the Windows code pages: the charset's code page to UTF-16,
// then UTF-16 to code page 936 with "?" for what GBK cannot hold.
#include "platform/charset.h"

#include <windows.h>

#include <string>

#include "platform/win32/wide.h"

namespace platform {
namespace {

constexpr UINT k_utf8CodePage = 65001;
constexpr wchar_t k_replacement = L'?';

struct TCharsetCodePage {
  const char* name;  // lower case
  UINT codePage;
};

const TCharsetCodePage k_codePages[] = {
    {"utf-8", 65001},        {"utf8", 65001},          {"utf-7", 65000},
    {"us-ascii", 20127},     {"ascii", 20127},         {"big5", 950},
    {"big5-hkscs", 950},     {"cn-big5", 950},         {"x-x-big5", 950},
    {"gb2312", 936},         {"gbk", 936},             {"x-gbk", 936},
    {"cp936", 936},          {"ms936", 936},           {"windows-936", 936},
    {"gb_2312-80", 936},     {"euc-cn", 936},          {"x-euc-cn", 936},
    {"gb18030", 54936},      {"iso-8859-1", 28591},
    {"latin1", 28591},       {"iso-8859-2", 28592},    {"iso-8859-3", 28593},
    {"iso-8859-4", 28594},   {"iso-8859-5", 28595},    {"iso-8859-6", 28596},
    {"iso-8859-7", 28597},   {"iso-8859-8", 28598},    {"iso-8859-8-i", 38598},
    {"iso-8859-9", 28599},   {"iso-8859-11", 874},     {"iso-8859-13", 28603},
    {"iso-8859-15", 28605},  {"windows-874", 874},     {"tis-620", 874},
    {"windows-1250", 1250},  {"windows-1251", 1251},   {"windows-1252", 1252},
    {"windows-1253", 1253},  {"windows-1254", 1254},   {"windows-1255", 1255},
    {"windows-1256", 1256},  {"windows-1257", 1257},   {"windows-1258", 1258},
    {"cp1250", 1250},        {"cp1251", 1251},         {"cp1252", 1252},
    {"koi8-r", 20866},       {"koi8-u", 21866},        {"shift_jis", 932},
    {"x-sjis", 932},         {"ms_kanji", 932},        {"euc-jp", 20932},
    {"iso-2022-jp", 50220},  {"euc-kr", 949},          {"ks_c_5601-1987", 949},
    {"cp949", 949},          {"iso-2022-kr", 50225},   {"ibm866", 866},
    {"cp866", 866},
};

constexpr UINT k_gb18030CodePage = 54936;

bool IsDigitByte(unsigned char c) { return c >= 0x30 && c <= 0x39; }

// GB18030 where the system lacks its code page: its one- and two-byte characters are
// GBK's, and a four-byte character (lead, digit, lead, digit) is never in GBK.
std::string Gb18030AsGbk(const std::string& text) {
  std::string result;
  result.reserve(text.size());
  for (size_t i = 0; i < text.size();) {
    const unsigned char* b = reinterpret_cast<const unsigned char*>(text.data()) + i;
    if (i + 3 < text.size() && b[0] >= 0x81 && b[0] <= 0xFE && IsDigitByte(b[1]) && b[2] >= 0x81 && b[2] <= 0xFE &&
        IsDigitByte(b[3])) {
      result += '?';
      i += 4;
    } else {
      result += text[i];
      ++i;
    }
  }
  return result;
}

// 0 when the charset has no code page here.
UINT CodePageOf(const std::string& charset) {
  std::string lower;
  for (char c : charset) {
    if (c == '*') break;  // a language suffix ("US-ASCII*EN")
    lower += (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
  }
  for (const TCharsetCodePage& entry : k_codePages)
    if (lower == entry.name) return entry.codePage;
  return 0;
}

std::wstring ToWide(UINT codePage, const std::string& text) {
  if (text.empty()) return std::wstring();
  int n = MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  if (n <= 0) return std::wstring(1, k_replacement);
  std::wstring wide(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), &wide[0], n);
  return wide;
}

// GBK holds no character outside the basic plane, U+FFFD marks input that did not
// decode, and code page 936 maps bytes outside GBK (0xFF, user-defined areas) to the
// private use area: all become one "?" (a surrogate pair is one character, not two).
std::wstring WithoutUnmappable(const std::wstring& wide) {
  std::wstring result;
  result.reserve(wide.size());
  for (size_t i = 0; i < wide.size(); ++i) {
    wchar_t c = wide[i];
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < wide.size() && wide[i + 1] >= 0xDC00 && wide[i + 1] <= 0xDFFF) {
      result += k_replacement;
      ++i;
    } else if ((c >= 0xD800 && c <= 0xDFFF) || (c >= 0xE000 && c <= 0xF8FF) || c == 0xFFFD) {
      result += k_replacement;
    } else {
      result += c;
    }
  }
  return result;
}

std::string FromWide(UINT codePage, const std::wstring& wide) {
  if (wide.empty()) return std::string();
  // No "best fit" look-alikes: a character the code page lacks becomes "?".
  DWORD flags = codePage == k_utf8CodePage ? 0 : WC_NO_BEST_FIT_CHARS;
  const char* defaultChar = codePage == k_utf8CodePage ? nullptr : "?";
  int n = WideCharToMultiByte(codePage, flags, wide.data(), static_cast<int>(wide.size()), nullptr, 0, defaultChar,
                              nullptr);
  if (n <= 0) return std::string();
  std::string bytes(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(codePage, flags, wide.data(), static_cast<int>(wide.size()), &bytes[0], n, defaultChar,
                      nullptr);
  return bytes;
}

}  // namespace

bool ConvertToGbk(const std::string& charset, const std::string& text, std::string& out) {
  UINT codePage = CodePageOf(charset);
  if (codePage == k_gb18030CodePage && !IsValidCodePage(codePage)) {
    out = FromWide(win32::k_gbkCodePage, WithoutUnmappable(ToWide(win32::k_gbkCodePage, Gb18030AsGbk(text))));
    return true;
  }
  if (codePage == 0 || !IsValidCodePage(codePage)) return false;
  out = FromWide(win32::k_gbkCodePage, WithoutUnmappable(ToWide(codePage, text)));
  return true;
}

std::string GbkToUtf8(const std::string& text) {
  return FromWide(k_utf8CodePage, WithoutUnmappable(ToWide(win32::k_gbkCodePage, text)));
}

std::string Utf8ToGbk(const std::string& text) {
  return FromWide(win32::k_gbkCodePage, WithoutUnmappable(ToWide(k_utf8CodePage, text)));
}

}  // namespace platform
