#include "platform/registry.h"

#include <windows.h>

#include <cstring>
#include <vector>

#include "platform/win32/wide.h"

namespace platform {

namespace {

HKEY RootKey(RegistryRoot root) {
  switch (root) {
    case RegistryRoot::ClassesRoot: return HKEY_CLASSES_ROOT;
    case RegistryRoot::CurrentUser: return HKEY_CURRENT_USER;
    case RegistryRoot::LocalMachine: break;
  }
  return HKEY_LOCAL_MACHINE;
}

// An open key that is always closed.
class ScopedKey {
 public:
  ScopedKey() = default;
  ScopedKey(const ScopedKey&) = delete;
  ScopedKey& operator=(const ScopedKey&) = delete;
  ~ScopedKey() {
    if (key_) RegCloseKey(key_);
  }
  HKEY* Out() { return &key_; }
  HKEY Get() const { return key_; }

 private:
  HKEY key_ = nullptr;
};

bool OpenKey(RegistryRoot root, const std::string& key, REGSAM access, ScopedKey& opened) {
  const std::wstring path = win32::WideFromGbk(RegistryRelativePath(key));
  return RegOpenKeyExW(RootKey(root), path.c_str(), 0, access, opened.Out()) == ERROR_SUCCESS;
}

bool CreateKey(RegistryRoot root, const std::string& key, ScopedKey& created) {
  const std::wstring path = win32::WideFromGbk(RegistryRelativePath(key));
  return RegCreateKeyExW(RootKey(root), path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE, nullptr,
                         created.Out(), nullptr) == ERROR_SUCCESS;
}

// The value's type and bytes; false when it cannot be read.
bool QueryValue(HKEY key, const std::wstring& name, DWORD& type, std::vector<BYTE>& data) {
  DWORD size = 0;
  if (RegQueryValueExW(key, name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return false;
  for (int attempt = 0; attempt < 4; ++attempt) {  // the value may grow in between
    data.resize(size);
    BYTE* buffer = data.empty() ? nullptr : data.data();
    const LONG result = RegQueryValueExW(key, name.c_str(), nullptr, &type, buffer, &size);
    if (result == ERROR_SUCCESS) {
      data.resize(size);
      return true;
    }
    if (result != ERROR_MORE_DATA) return false;
  }
  return false;
}

RegistryLookup ReadValue(RegistryRoot root, const std::string& key, const std::string& name, DWORD& type,
                         std::vector<BYTE>& data) {
  ScopedKey opened;
  if (!OpenKey(root, key, KEY_QUERY_VALUE, opened)) return RegistryLookup::KeyMissing;
  return QueryValue(opened.Get(), win32::WideFromGbk(name), type, data) ? RegistryLookup::Found
                                                                         : RegistryLookup::ValueMissing;
}

// A value of the wrong type counts as missing.
RegistryLookup Missing(RegistryLookup lookup) {
  return lookup == RegistryLookup::Found ? RegistryLookup::ValueMissing : lookup;
}

bool SetValue(RegistryRoot root, const std::string& key, const std::string& name, DWORD type, const void* data,
              DWORD size) {
  ScopedKey opened;
  if (!CreateKey(root, key, opened)) return false;
  const std::wstring wideName = win32::WideFromGbk(name);
  return RegSetValueExW(opened.Get(), wideName.c_str(), 0, type, static_cast<const BYTE*>(data), size) ==
         ERROR_SUCCESS;
}

}  // namespace

RegistryLookup RegistryReadString(RegistryRoot root, const std::string& key, const std::string& name,
                                  std::string& value) {
  DWORD type = 0;
  std::vector<BYTE> data;
  const RegistryLookup lookup = ReadValue(root, key, name, type, data);
  if (lookup != RegistryLookup::Found || (type != REG_SZ && type != REG_EXPAND_SZ)) return Missing(lookup);
  std::wstring text(data.size() / sizeof(wchar_t), L'\0');
  if (!text.empty()) std::memcpy(&text[0], data.data(), text.size() * sizeof(wchar_t));
  const std::size_t end = text.find(L'\0');  // stored with or without its NUL
  if (end != std::wstring::npos) text.resize(end);
  value = win32::GbkFromWide(text);
  return RegistryLookup::Found;
}

RegistryLookup RegistryReadInteger(RegistryRoot root, const std::string& key, const std::string& name,
                                   std::uint32_t& value) {
  DWORD type = 0;
  std::vector<BYTE> data;
  const RegistryLookup lookup = ReadValue(root, key, name, type, data);
  if (lookup != RegistryLookup::Found || type != REG_DWORD || data.size() != sizeof(DWORD)) return Missing(lookup);
  DWORD number = 0;
  std::memcpy(&number, data.data(), sizeof number);
  value = number;
  return RegistryLookup::Found;
}

RegistryLookup RegistryReadBinary(RegistryRoot root, const std::string& key, const std::string& name,
                                  std::string& value) {
  DWORD type = 0;
  std::vector<BYTE> data;
  const RegistryLookup lookup = ReadValue(root, key, name, type, data);
  if (lookup != RegistryLookup::Found || type != REG_BINARY) return Missing(lookup);
  value.assign(data.begin(), data.end());
  return RegistryLookup::Found;
}

bool RegistryKeyExists(RegistryRoot root, const std::string& key) {
  ScopedKey opened;
  return OpenKey(root, key, KEY_READ, opened);
}

bool RegistryCreateKey(RegistryRoot root, const std::string& key) {
  ScopedKey created;
  return CreateKey(root, key, created);
}

bool RegistryWriteString(RegistryRoot root, const std::string& key, const std::string& name,
                         const std::string& value) {
  const std::wstring text = win32::WideFromGbk(value);
  return SetValue(root, key, name, REG_SZ, text.c_str(), static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}

bool RegistryWriteInteger(RegistryRoot root, const std::string& key, const std::string& name,
                          std::uint32_t value) {
  const DWORD number = value;
  return SetValue(root, key, name, REG_DWORD, &number, sizeof number);
}

bool RegistryWriteBinary(RegistryRoot root, const std::string& key, const std::string& name,
                         const std::string& value) {
  return SetValue(root, key, name, REG_BINARY, value.data(), static_cast<DWORD>(value.size()));
}

bool RegistryDeleteKey(RegistryRoot root, const std::string& key) {
  const std::string path = RegistryRelativePath(key);
  if (path.empty()) return false;  // never a whole root
  const std::wstring wide = win32::WideFromGbk(path);
  const LONG result = RegDeleteTreeW(RootKey(root), wide.c_str());
  return (result == ERROR_SUCCESS || result == ERROR_FILE_NOT_FOUND) && !RegistryKeyExists(root, path);
}

}  // namespace platform
