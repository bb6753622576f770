// The system registry, as far as the mail client's start-up needs it: keys below three
// roots, string values and 32-bit integer values. Key paths are relative to the root
// ("Software\Clients\Mail"); a leading "\" is allowed and means the same. A value name
// "" is the key's default value. Names and values are GBK bytes; win32 converts them to
// UTF-16 for the W functions.
//
// posix keeps the same keys and values in one file: the environment variable
// QUILLET_REGISTRY names it, else $HOME/.quillet/registry. Key paths and value names
// compare without regard to ASCII case (double-byte characters by their bytes), as the
// registry compares them; a key keeps the spelling it was created with. Creating a key
// creates its parents. The file is read at every call and every change replaces it in one
// step (FileReplaceContents). Its format, one entry a line ending in LF:
//   K<TAB>ROOT<TAB>path            a key (ROOT: HKEY_CLASSES_ROOT, HKEY_CURRENT_USER or
//                                  HKEY_LOCAL_MACHINE); the value lines below it are its own
//   S<TAB>name<TAB>text            a string value
//   D<TAB>name<TAB>decimal         a 32-bit integer value
//   B<TAB>name<TAB>bytes           a binary value (escaped as the texts are, and NUL as "%00")
// In path, name and text the bytes "%", TAB, LF and CR are written as "%25", "%09", "%0A"
// and "%0D". A file that does not follow this format is left alone: reads find nothing
// in it and writes fail, so nothing stored there is lost.
#pragma once

#include <cstdint>
#include <string>

namespace platform {

enum class RegistryRoot { ClassesRoot, CurrentUser, LocalMachine };

enum class RegistryLookup {
  Found,
  KeyMissing,    // the key cannot be opened
  ValueMissing,  // the key exists; the value does not, or it holds no text
};

// A string value (REG_SZ or REG_EXPAND_SZ, unexpanded) without its terminating NUL.
// `value` is set only when Found.
RegistryLookup RegistryReadString(RegistryRoot root, const std::string& key, const std::string& name,
                                  std::string& value);
// A 32-bit integer value (REG_DWORD); `value` is set only when Found.
RegistryLookup RegistryReadInteger(RegistryRoot root, const std::string& key, const std::string& name,
                                   std::uint32_t& value);
// A binary value (REG_BINARY) of any size; `value` is set only when Found.
RegistryLookup RegistryReadBinary(RegistryRoot root, const std::string& key, const std::string& name,
                                  std::string& value);
// Opens the key without creating it.
bool RegistryKeyExists(RegistryRoot root, const std::string& key);
// Creates the key and its parents when absent; true when it exists afterwards.
bool RegistryCreateKey(RegistryRoot root, const std::string& key);
// Each creates the key when absent. False on any failure.
bool RegistryWriteString(RegistryRoot root, const std::string& key, const std::string& name,
                         const std::string& value);
bool RegistryWriteInteger(RegistryRoot root, const std::string& key, const std::string& name,
                          std::uint32_t value);
bool RegistryWriteBinary(RegistryRoot root, const std::string& key, const std::string& name,
                         const std::string& value);
// Removes the key with every key below it; true when it is gone afterwards.
bool RegistryDeleteKey(RegistryRoot root, const std::string& key);

// The key path as the calls use it: without the leading "\" characters.
std::string RegistryRelativePath(const std::string& key);

}  // namespace platform
