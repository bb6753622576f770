#include "platform/system_error.h"

#include <cerrno>

namespace platform {

namespace {

struct ErrnoCode {
  int errnoValue;
  int code;
};

const ErrnoCode k_errnoCodes[] = {
    {ENOENT, k_ERROR_FILE_NOT_FOUND},  {ENOTDIR, k_ERROR_PATH_NOT_FOUND},
    {EMFILE, k_ERROR_TOO_MANY_OPEN_FILES}, {ENFILE, k_ERROR_TOO_MANY_OPEN_FILES},
    {EACCES, k_ERROR_ACCESS_DENIED},   {EPERM, k_ERROR_ACCESS_DENIED},
    {EROFS, k_ERROR_ACCESS_DENIED},    {EISDIR, k_ERROR_ACCESS_DENIED},
    {ENOMEM, k_ERROR_NOT_ENOUGH_MEMORY}, {EIO, k_ERROR_READ_FAULT},
    {EBUSY, k_ERROR_SHARING_VIOLATION}, {EEXIST, k_ERROR_FILE_EXISTS},
    {EINVAL, k_ERROR_INVALID_PARAMETER}, {ENOSPC, k_ERROR_DISK_FULL},
    {EDQUOT, k_ERROR_DISK_FULL},       {ENAMETOOLONG, k_ERROR_FILENAME_EXCED_RANGE},
    {EFBIG, k_ERROR_FILE_TOO_LARGE},
};

struct CodeText {
  int code;
  const char* text;
};

const CodeText k_codeTexts[] = {
    {k_ERROR_SUCCESS, "The operation completed successfully."},
    {k_ERROR_INVALID_FUNCTION, "Incorrect function."},
    {k_ERROR_FILE_NOT_FOUND, "The system cannot find the file specified."},
    {k_ERROR_PATH_NOT_FOUND, "The system cannot find the path specified."},
    {k_ERROR_TOO_MANY_OPEN_FILES, "The system cannot open the file."},
    {k_ERROR_ACCESS_DENIED, "Access is denied."},
    {k_ERROR_NOT_ENOUGH_MEMORY, "Not enough storage is available to process this command."},
    {k_ERROR_INVALID_DATA, "The data is invalid."},
    {k_ERROR_WRITE_FAULT, "The system cannot write to the specified device."},
    {k_ERROR_READ_FAULT, "The system cannot read from the specified device."},
    {k_ERROR_GEN_FAILURE, "A device attached to the system is not functioning."},
    {k_ERROR_SHARING_VIOLATION,
     "The process cannot access the file because it is being used by another process."},
    {k_ERROR_NOT_SUPPORTED, "The request is not supported."},
    {k_ERROR_FILE_EXISTS, "The file exists."},
    {k_ERROR_INVALID_PARAMETER, "The parameter is incorrect."},
    {k_ERROR_DISK_FULL, "There is not enough space on the disk."},
    {k_ERROR_INVALID_NAME, "The filename, directory name, or volume label syntax is incorrect."},
    {k_ERROR_FILENAME_EXCED_RANGE, "The filename or extension is too long."},
    {k_ERROR_FILE_TOO_LARGE, "The file size exceeds the limit allowed and cannot be saved."},
};

}  // namespace

int LastSystemError() {
  int value = errno;
  for (const ErrnoCode& e : k_errnoCodes)
    if (e.errnoValue == value) return e.code;
  return k_ERROR_GEN_FAILURE;
}

std::string SystemErrorMessage(int code) {
  for (const CodeText& t : k_codeTexts)
    if (t.code == code) return t.text;
  return "Unknown error " + std::to_string(code) + ".";
}

}  // namespace platform
