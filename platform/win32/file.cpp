#include "platform/file.h"

#include <windows.h>

#include "platform/file_faults.h"
#include "platform/win32/wide.h"

namespace platform {

using win32::WideFromGbk;

namespace {
constexpr DWORD k_shareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

HANDLE AsHandle(FileHandle file) { return reinterpret_cast<HANDLE>(file); }

FileHandle FromHandle(HANDLE h) {
  return h == INVALID_HANDLE_VALUE ? k_invalidFile : reinterpret_cast<FileHandle>(h);
}

DWORD DesiredAccess(FileAccess access) {
  switch (access) {
    case FileAccess::Read: return GENERIC_READ;
    case FileAccess::Write: return GENERIC_WRITE;
    case FileAccess::ReadWrite: return GENERIC_READ | GENERIC_WRITE;
  }
  return GENERIC_READ;
}

// The folder part of a path, stepping over double-byte characters so that a GBK trail
// byte 0x5C is never taken for a separator.
std::string FolderOf(const std::string& path) {
  std::string::size_type last = std::string::npos;
  for (std::string::size_type i = 0; i < path.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(path[i]);
    if (IsDBCSLeadByteEx(win32::k_gbkCodePage, c) && i + 1 < path.size()) { ++i; continue; }
    if (c == '\\' || c == '/') last = i;
  }
  return last == std::string::npos ? std::string(".\\") : path.substr(0, last + 1);
}
}  // namespace

FileHandle FileOpen(const std::string& path, FileAccess access) {
  return FromHandle(CreateFileW(WideFromGbk(path).c_str(), DesiredAccess(access), k_shareAll, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
}

namespace {
FileHandle CreateWith(const std::string& path, DWORD disposition) {
  if (FileFaultInjected(FileChange::Create)) {
    SetLastError(ERROR_DISK_FULL);
    return k_invalidFile;
  }
  return FromHandle(CreateFileW(WideFromGbk(path).c_str(), GENERIC_READ | GENERIC_WRITE, k_shareAll, nullptr,
                                disposition, FILE_ATTRIBUTE_NORMAL, nullptr));
}
}  // namespace

FileHandle FileCreate(const std::string& path) { return CreateWith(path, CREATE_ALWAYS); }

FileHandle FileCreateNew(const std::string& path) { return CreateWith(path, CREATE_NEW); }

std::int32_t FileRead(FileHandle file, void* buffer, std::int32_t count) {
  if (count < 0) return -1;
  DWORD done = 0;
  if (!ReadFile(AsHandle(file), buffer, static_cast<DWORD>(count), &done, nullptr)) return -1;
  return static_cast<std::int32_t>(done);
}

std::int32_t FileWrite(FileHandle file, const void* buffer, std::int32_t count) {
  if (count < 0) return -1;
  if (FileFaultInjected(FileChange::Write)) {  // a torn write: half of it, then the failure
    DWORD half = static_cast<DWORD>(count / 2), written = 0;
    if (half > 0) WriteFile(AsHandle(file), buffer, half, &written, nullptr);
    SetLastError(ERROR_DISK_FULL);
    return written > 0 ? static_cast<std::int32_t>(written) : -1;
  }
  DWORD done = 0;
  if (!WriteFile(AsHandle(file), buffer, static_cast<DWORD>(count), &done, nullptr)) return -1;
  return static_cast<std::int32_t>(done);
}

std::int64_t FileSeek(FileHandle file, std::int64_t offset, SeekOrigin origin) {
  DWORD method = origin == SeekOrigin::Begin ? FILE_BEGIN : origin == SeekOrigin::Current ? FILE_CURRENT : FILE_END;
  LARGE_INTEGER distance, result;
  distance.QuadPart = offset;
  if (!SetFilePointerEx(AsHandle(file), distance, &result, method)) return -1;
  return result.QuadPart;
}

std::int64_t FileSizeOf(FileHandle file) {
  LARGE_INTEGER size;
  if (!GetFileSizeEx(AsHandle(file), &size)) return -1;
  return size.QuadPart;
}

bool FileTruncate(FileHandle file, std::int64_t size) {
  if (FileFaultInjected(FileChange::Truncate)) return false;
  return FileSeek(file, size, SeekOrigin::Begin) == size && SetEndOfFile(AsHandle(file));
}

bool FileFlush(FileHandle file) {
  if (FileFaultInjected(FileChange::Flush)) return false;
  return FlushFileBuffers(AsHandle(file)) != 0;
}

bool FileClose(FileHandle file) {
  return file != k_invalidFile && CloseHandle(AsHandle(file)) != 0;
}

bool FileExists(const std::string& path) {
  DWORD attributes = GetFileAttributesW(WideFromGbk(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool DirectoryExists(const std::string& path) {
  DWORD attributes = GetFileAttributesW(WideFromGbk(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool MakeDirectory(const std::string& path) {
  return CreateDirectoryW(WideFromGbk(path).c_str(), nullptr) != 0;
}

bool FileDelete(const std::string& path) {
  if (FileFaultInjected(FileChange::Delete)) return false;
  return DeleteFileW(WideFromGbk(path).c_str()) != 0;
}

bool FileRename(const std::string& from, const std::string& to) {
  if (FileFaultInjected(FileChange::Rename)) return false;
  return MoveFileExW(WideFromGbk(from).c_str(), WideFromGbk(to).c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

std::int64_t FileSizeByName(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExW(WideFromGbk(path).c_str(), GetFileExInfoStandard, &data)) return -1;
  if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return -1;
  return (static_cast<std::int64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

std::string TempFolder() {
  wchar_t buffer[MAX_PATH + 1];
  DWORD n = GetTempPathW(MAX_PATH + 1, buffer);
  if (n == 0 || n > MAX_PATH) return std::string(".\\");
  return win32::GbkFromWide(std::wstring(buffer, n));
}

std::string TempFileName(const std::string& folder, const std::string& prefix) {
  wchar_t buffer[MAX_PATH + 1];
  if (GetTempFileNameW(WideFromGbk(folder).c_str(), WideFromGbk(prefix).c_str(), 0, buffer) == 0)
    return std::string();
  return win32::GbkFromWide(buffer);
}

std::int64_t FreeDiskSpace(const std::string& path) {
  ULARGE_INTEGER available;
  if (!GetDiskFreeSpaceExW(WideFromGbk(FolderOf(path)).c_str(), &available, nullptr, nullptr)) return -1;
  return static_cast<std::int64_t>(available.QuadPart);
}

char PathSeparator() { return '\\'; }

int LastFileError() { return static_cast<int>(GetLastError()); }

}  // namespace platform
