// The system's error numbers, as the text-art core returns them upwards (0 success). The
// values are Windows' own (GetLastError); posix maps errno onto them, so the core returns
// the same numbers on both targets. The names follow Windows' with a k_ prefix.
#pragma once

#include <string>

namespace platform {

constexpr int k_ERROR_SUCCESS = 0;
constexpr int k_ERROR_INVALID_FUNCTION = 1;
constexpr int k_ERROR_FILE_NOT_FOUND = 2;
constexpr int k_ERROR_PATH_NOT_FOUND = 3;
constexpr int k_ERROR_TOO_MANY_OPEN_FILES = 4;
constexpr int k_ERROR_ACCESS_DENIED = 5;
constexpr int k_ERROR_NOT_ENOUGH_MEMORY = 8;
constexpr int k_ERROR_INVALID_DATA = 13;
constexpr int k_ERROR_WRITE_FAULT = 29;
constexpr int k_ERROR_READ_FAULT = 30;
constexpr int k_ERROR_GEN_FAILURE = 31;
constexpr int k_ERROR_SHARING_VIOLATION = 32;
constexpr int k_ERROR_NOT_SUPPORTED = 50;
constexpr int k_ERROR_FILE_EXISTS = 80;
constexpr int k_ERROR_INVALID_PARAMETER = 87;
constexpr int k_ERROR_DISK_FULL = 112;
constexpr int k_ERROR_INVALID_NAME = 123;
constexpr int k_ERROR_FILENAME_EXCED_RANGE = 206;
constexpr int k_ERROR_FILE_TOO_LARGE = 223;

// The error of the last failed file call (platform/file.h) as one of the numbers above;
// errno values without a counterpart become k_ERROR_GEN_FAILURE. Never 0: a call that
// failed without saying why also gives k_ERROR_GEN_FAILURE.
int LastSystemError();
// The system's message text for an error number, without a trailing line end (GBK bytes;
// English on posix). An unknown number still gives a text that names it.
std::string SystemErrorMessage(int code);

}  // namespace platform
