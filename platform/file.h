// Files, as the mail store and the codecs need them. Paths are byte strings in the
// system code page (GBK); win32 converts them to UTF-16 for the W functions, posix
// passes the bytes through.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace platform {

using FileHandle = std::intptr_t;
constexpr FileHandle k_invalidFile = -1;

enum class FileAccess { Read, Write, ReadWrite };
enum class SeekOrigin { Begin, Current, End };

// Opens an existing file; every open shares read, write and delete with other openers.
FileHandle FileOpen(const std::string& path, FileAccess access);
// Creates (or truncates) a file for reading and writing, shared like FileOpen.
FileHandle FileCreate(const std::string& path);
// Creates a file that must not exist yet (fails when it does), for reading and writing,
// shared like FileOpen.
FileHandle FileCreateNew(const std::string& path);
// Bytes actually transferred; -1 on error.
std::int32_t FileRead(FileHandle file, void* buffer, std::int32_t count);
std::int32_t FileWrite(FileHandle file, const void* buffer, std::int32_t count);
// The new position from the start of the file; -1 on error.
std::int64_t FileSeek(FileHandle file, std::int64_t offset, SeekOrigin origin);
// -1 on error.
std::int64_t FileSizeOf(FileHandle file);
bool FileTruncate(FileHandle file, std::int64_t size);
// Puts what was written through the handle on the disk before it returns.
bool FileFlush(FileHandle file);
// False when the system reports a failure (a delayed write error, for one).
bool FileClose(FileHandle file);

bool FileExists(const std::string& path);
bool DirectoryExists(const std::string& path);
bool MakeDirectory(const std::string& path);
// The names (without folder) of the files in the folder whose extension is ext (".IND";
// any case), sorted by their bytes; empty when the folder cannot be read.
std::vector<std::string> FilesWithExtension(const std::string& folder, const std::string& ext);
bool FileDelete(const std::string& path);
// Renames within one drive, replacing an existing target in one step; the rename is on
// the disk when the call returns (write-through; the folder is flushed).
bool FileRename(const std::string& from, const std::string& to);
// Copies through an 8192-byte buffer; replaces an existing target. False on any failure.
bool FileCopy(const std::string& from, const std::string& to);
// Gives the file exactly these bytes in one step: they are written into a new file beside
// it (the name with ".$$$" appended), put on the disk, and that file is renamed over the
// old one, so a crash at any point leaves either the old file whole or the new one. False
// on any failure; the old file is then unchanged and the temporary removed.
bool FileReplaceContents(const std::string& path, const void* data, std::int32_t count);
// -1 when the file cannot be examined.
std::int64_t FileSizeByName(const std::string& path);

// The temporary folder, with a trailing separator.
std::string TempFolder();
// A unique file name in the folder, starting with the prefix; the file is created (empty),
// as the Windows call does, so the name stays unique. Empty on failure.
std::string TempFileName(const std::string& folder, const std::string& prefix);
// Free bytes for the caller on the drive or file system that holds the path (which
// need not exist yet: its folder is used); -1 when unknown.
std::int64_t FreeDiskSpace(const std::string& path);

// The separator between folders on this platform ('\\' or '/').
char PathSeparator();
// The last error of a file call as the platform's number (GetLastError or errno).
int LastFileError();

}  // namespace platform
