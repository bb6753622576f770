#include "platform/file.h"

#include "platform/file_faults.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

namespace platform {

namespace {

int OpenFlags(FileAccess access) {
  switch (access) {
    case FileAccess::Read: return O_RDONLY;
    case FileAccess::Write: return O_WRONLY;
    case FileAccess::ReadWrite: return O_RDWR;
  }
  return O_RDONLY;
}

// The folder part of a path ("." when there is none).
std::string FolderOf(const std::string& path) {
  std::string::size_type slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

bool FlushFolderOf(const std::string& path) {
  int fd = ::open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return false;
  bool ok = ::fsync(fd) == 0;
  ::close(fd);
  return ok;
}

bool IsRegularOrMissing(const std::string& path) {
  struct stat st;
  return stat(path.c_str(), &st) != 0 || !S_ISDIR(st.st_mode);
}
}  // namespace

FileHandle FileOpen(const std::string& path, FileAccess access) {
  if (!IsRegularOrMissing(path)) { errno = EISDIR; return k_invalidFile; }
  int fd = ::open(path.c_str(), OpenFlags(access) | O_CLOEXEC);
  return fd < 0 ? k_invalidFile : fd;
}

FileHandle FileCreate(const std::string& path) {
  if (FileFaultInjected(FileChange::Create)) { errno = ENOSPC; return k_invalidFile; }
  int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  return fd < 0 ? k_invalidFile : fd;
}

FileHandle FileCreateNew(const std::string& path) {
  if (FileFaultInjected(FileChange::Create)) { errno = ENOSPC; return k_invalidFile; }
  int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
  return fd < 0 ? k_invalidFile : fd;
}

std::int32_t FileRead(FileHandle file, void* buffer, std::int32_t count) {
  if (count < 0) return -1;
  std::int32_t done = 0;
  while (done < count) {
    ssize_t n = ::read(static_cast<int>(file), static_cast<char*>(buffer) + done, count - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return done > 0 ? done : -1;
    if (n == 0) break;
    done += static_cast<std::int32_t>(n);
  }
  return done;
}

namespace {
std::int32_t WriteAll(FileHandle file, const void* buffer, std::int32_t count) {
  std::int32_t done = 0;
  while (done < count) {
    ssize_t n = ::write(static_cast<int>(file), static_cast<const char*>(buffer) + done, count - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return done > 0 ? done : -1;
    done += static_cast<std::int32_t>(n);
  }
  return done;
}
}  // namespace

std::int32_t FileWrite(FileHandle file, const void* buffer, std::int32_t count) {
  if (count < 0) return -1;
  if (FileFaultInjected(FileChange::Write)) {  // a torn write: half of it, then the failure
    std::int32_t n = count / 2 > 0 ? WriteAll(file, buffer, count / 2) : 0;
    errno = ENOSPC;
    return n > 0 ? n : -1;
  }
  return WriteAll(file, buffer, count);
}

std::int64_t FileSeek(FileHandle file, std::int64_t offset, SeekOrigin origin) {
  int whence = origin == SeekOrigin::Begin ? SEEK_SET : origin == SeekOrigin::Current ? SEEK_CUR : SEEK_END;
  off_t pos = ::lseek(static_cast<int>(file), static_cast<off_t>(offset), whence);
  return pos < 0 ? -1 : static_cast<std::int64_t>(pos);
}

std::int64_t FileSizeOf(FileHandle file) {
  struct stat st;
  if (::fstat(static_cast<int>(file), &st) != 0) return -1;
  return static_cast<std::int64_t>(st.st_size);
}

bool FileTruncate(FileHandle file, std::int64_t size) {
  if (FileFaultInjected(FileChange::Truncate)) return false;
  return ::ftruncate(static_cast<int>(file), static_cast<off_t>(size)) == 0;
}

bool FileFlush(FileHandle file) {
  if (FileFaultInjected(FileChange::Flush)) { errno = EIO; return false; }
  return ::fsync(static_cast<int>(file)) == 0;
}

bool FileClose(FileHandle file) {
  return file != k_invalidFile && ::close(static_cast<int>(file)) == 0;
}

bool FileExists(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

bool DirectoryExists(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool MakeDirectory(const std::string& path) {
  return ::mkdir(path.c_str(), 0755) == 0;
}

bool FileDelete(const std::string& path) {
  if (FileFaultInjected(FileChange::Delete)) return false;
  return FileExists(path) && ::unlink(path.c_str()) == 0;
}

bool FileRename(const std::string& from, const std::string& to) {
  if (FileFaultInjected(FileChange::Rename)) return false;
  if (::rename(from.c_str(), to.c_str()) != 0) return false;
  FlushFolderOf(to);  // the rename itself happened; a folder that cannot be flushed does not undo it
  return true;
}

std::int64_t FileSizeByName(const std::string& path) {
  struct stat st;
  if (::stat(path.c_str(), &st) != 0 || S_ISDIR(st.st_mode)) return -1;
  return static_cast<std::int64_t>(st.st_size);
}

std::string TempFolder() {
  const char* dir = std::getenv("TMPDIR");
  std::string folder = (dir && *dir) ? dir : "/tmp";
  if (folder.back() != '/') folder += '/';
  return folder;
}

std::string TempFileName(const std::string& folder, const std::string& prefix) {
  std::string base = folder;
  if (!base.empty() && base.back() != '/') base += '/';
  std::string pattern = base + prefix + "XXXXXX.tmp";
  std::string buffer = pattern;
  int fd = ::mkstemps(&buffer[0], 4);
  if (fd < 0) return std::string();
  ::close(fd);
  return buffer;
}

std::int64_t FreeDiskSpace(const std::string& path) {
  std::string probe = path;
  while (!probe.empty()) {
    struct statvfs sv;
    if (::statvfs(probe.c_str(), &sv) == 0)
      return static_cast<std::int64_t>(sv.f_bavail) * static_cast<std::int64_t>(sv.f_frsize);
    std::string::size_type slash = probe.find_last_of('/');
    if (slash == std::string::npos) { probe = "."; continue; }
    probe = slash == 0 ? "/" : probe.substr(0, slash);
    if (probe == "/" ) {
      if (::statvfs("/", &sv) == 0)
        return static_cast<std::int64_t>(sv.f_bavail) * static_cast<std::int64_t>(sv.f_frsize);
      return -1;
    }
  }
  return -1;
}

char PathSeparator() { return '/'; }

int LastFileError() { return errno; }

}  // namespace platform
