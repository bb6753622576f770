#include "platform/system_error.h"

#include <windows.h>

#include "platform/win32/wide.h"

namespace platform {

// The portable numbers are Windows' own.
static_assert(k_ERROR_INVALID_FUNCTION == ERROR_INVALID_FUNCTION, "ERROR_INVALID_FUNCTION");
static_assert(k_ERROR_FILE_NOT_FOUND == ERROR_FILE_NOT_FOUND, "ERROR_FILE_NOT_FOUND");
static_assert(k_ERROR_PATH_NOT_FOUND == ERROR_PATH_NOT_FOUND, "ERROR_PATH_NOT_FOUND");
static_assert(k_ERROR_TOO_MANY_OPEN_FILES == ERROR_TOO_MANY_OPEN_FILES, "TOO_MANY_OPEN_FILES");
static_assert(k_ERROR_ACCESS_DENIED == ERROR_ACCESS_DENIED, "ERROR_ACCESS_DENIED");
static_assert(k_ERROR_NOT_ENOUGH_MEMORY == ERROR_NOT_ENOUGH_MEMORY, "NOT_ENOUGH_MEMORY");
static_assert(k_ERROR_INVALID_DATA == ERROR_INVALID_DATA, "ERROR_INVALID_DATA");
static_assert(k_ERROR_WRITE_FAULT == ERROR_WRITE_FAULT, "ERROR_WRITE_FAULT");
static_assert(k_ERROR_READ_FAULT == ERROR_READ_FAULT, "ERROR_READ_FAULT");
static_assert(k_ERROR_GEN_FAILURE == ERROR_GEN_FAILURE, "ERROR_GEN_FAILURE");
static_assert(k_ERROR_SHARING_VIOLATION == ERROR_SHARING_VIOLATION, "SHARING_VIOLATION");
static_assert(k_ERROR_FILE_EXISTS == ERROR_FILE_EXISTS, "ERROR_FILE_EXISTS");
static_assert(k_ERROR_INVALID_PARAMETER == ERROR_INVALID_PARAMETER, "INVALID_PARAMETER");
static_assert(k_ERROR_DISK_FULL == ERROR_DISK_FULL, "ERROR_DISK_FULL");
static_assert(k_ERROR_INVALID_NAME == ERROR_INVALID_NAME, "ERROR_INVALID_NAME");
static_assert(k_ERROR_FILENAME_EXCED_RANGE == ERROR_FILENAME_EXCED_RANGE, "EXCED_RANGE");
static_assert(k_ERROR_FILE_TOO_LARGE == ERROR_FILE_TOO_LARGE, "ERROR_FILE_TOO_LARGE");

int LastSystemError() {
  DWORD code = GetLastError();
  return code == 0 ? k_ERROR_GEN_FAILURE : static_cast<int>(code);
}

std::string SystemErrorMessage(int code) {
  wchar_t* text = nullptr;
  DWORD n = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                               FORMAT_MESSAGE_IGNORE_INSERTS,
                           nullptr, static_cast<DWORD>(code), 0,
                           reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  if (n == 0 || text == nullptr) return "Unknown error " + std::to_string(code) + ".";
  std::wstring message(text, n);
  LocalFree(text);
  while (!message.empty() && (message.back() == L'\r' || message.back() == L'\n' ||
                              message.back() == L' '))
    message.pop_back();
  return win32::GbkFromWide(message);
}

}  // namespace platform
