// The registry kept in one file (format in registry.h).
#include "platform/registry.h"

#include <cstdlib>
#include <vector>

#include "platform/console.h"
#include "platform/file.h"
#include "platform/unique_file.h"

namespace platform {

namespace {

const char* const k_rootNames[] = {"HKEY_CLASSES_ROOT", "HKEY_CURRENT_USER", "HKEY_LOCAL_MACHINE"};

struct Value {
  std::string name;
  bool isInteger = false;
  std::string text;  // a string's text or a binary value's bytes
  std::uint32_t number = 0;
  bool isBinary = false;
};

struct Key {
  RegistryRoot root;
  std::string path;
  std::vector<Value> values;
};

using Store = std::vector<Key>;

// ASCII letters fold, double-byte characters compare by their bytes (a trail byte may
// look like a letter).
bool SameName(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(a[i]);
    if (c >= 0x81 && c <= 0xFE && i + 1 < a.size()) {
      if (a[i] != b[i] || a[i + 1] != b[i + 1]) return false;
      ++i;
      continue;
    }
    auto fold = [](char x) { return x >= 'a' && x <= 'z' ? static_cast<char>(x - 'a' + 'A') : x; };
    if (fold(a[i]) != fold(b[i])) return false;
  }
  return true;
}

std::string FilePath() {
  const std::string named = GetEnvironment("QUILLET_REGISTRY");
  if (!named.empty()) return named;
  return GetEnvironment("HOME") + "/.quillet/registry";
}

std::string Escape(const std::string& text) {
  static const char k_hex[] = "0123456789ABCDEF";
  std::string out;
  for (char c : text) {
    if (c == '%' || c == '\t' || c == '\n' || c == '\r' || c == '\0') {
      out += '%';
      out += k_hex[static_cast<unsigned char>(c) >> 4];
      out += k_hex[static_cast<unsigned char>(c) & 15];
    } else {
      out += c;
    }
  }
  return out;
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
}

bool Unescape(const std::string& text, std::string& out) {
  out.clear();
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '%') {
      out += text[i];
      continue;
    }
    const int high = i + 2 < text.size() ? HexValue(text[i + 1]) : -1;
    const int low = high < 0 ? -1 : HexValue(text[i + 2]);
    if (low < 0) return false;
    out += static_cast<char>(high * 16 + low);
    i += 2;
  }
  return true;
}

// The three TAB-separated fields of a line.
bool SplitLine(const std::string& line, std::string fields[3]) {
  const std::size_t first = line.find('\t');
  const std::size_t second = first == std::string::npos ? first : line.find('\t', first + 1);
  if (second == std::string::npos || line.find('\t', second + 1) != std::string::npos) return false;
  fields[0] = line.substr(0, first);
  fields[1] = line.substr(first + 1, second - first - 1);
  fields[2] = line.substr(second + 1);
  return true;
}

bool ParseRoot(const std::string& name, RegistryRoot& root) {
  for (int i = 0; i < 3; ++i)
    if (name == k_rootNames[i]) {
      root = static_cast<RegistryRoot>(i);
      return true;
    }
  return false;
}

bool ParseNumber(const std::string& text, std::uint32_t& number) {
  if (text.empty() || text.size() > 10 || text.find_first_not_of("0123456789") != std::string::npos) return false;
  const unsigned long long value = std::strtoull(text.c_str(), nullptr, 10);
  if (value > 0xFFFFFFFFull) return false;
  number = static_cast<std::uint32_t>(value);
  return true;
}

bool ParseLine(const std::string& line, Store& store) {
  std::string fields[3];
  if (!SplitLine(line, fields)) return false;
  if (fields[0] == "K") {
    Key key;
    if (!ParseRoot(fields[1], key.root) || !Unescape(fields[2], key.path)) return false;
    store.push_back(key);
    return true;
  }
  Value value;
  if (store.empty() || !Unescape(fields[1], value.name)) return false;
  value.isInteger = fields[0] == "D";
  value.isBinary = fields[0] == "B";
  if (value.isInteger ? !ParseNumber(fields[2], value.number)
                      : (fields[0] != "S" && !value.isBinary) || !Unescape(fields[2], value.text))
    return false;
  store.back().values.push_back(value);
  return true;
}

std::string ReadFileBytes(const std::string& path) {
  std::string bytes;
  UniqueFile file(FileOpen(path, FileAccess::Read));
  if (!file.IsOpen()) return bytes;
  char buffer[8192];
  for (std::int32_t n; (n = FileRead(file.Get(), buffer, sizeof buffer)) > 0;) bytes.append(buffer, n);
  return bytes;
}

// False when the file does not follow the format.
bool Load(Store& store) {
  const std::string bytes = ReadFileBytes(FilePath());
  for (std::size_t start = 0; start < bytes.size();) {
    std::size_t end = bytes.find('\n', start);
    if (end == std::string::npos) return false;  // every line ends in LF
    if (!ParseLine(bytes.substr(start, end - start), store)) return false;
    start = end + 1;
  }
  return true;
}

bool Save(const Store& store) {
  std::string bytes;
  for (const Key& key : store) {
    bytes += std::string("K\t") + k_rootNames[static_cast<int>(key.root)] + "\t" + Escape(key.path) + "\n";
    for (const Value& value : key.values)
      bytes += (value.isInteger ? "D\t" : value.isBinary ? "B\t" : "S\t") + Escape(value.name) + "\t" +
               (value.isInteger ? std::to_string(value.number) : Escape(value.text)) + "\n";
  }
  const std::string path = FilePath();
  const std::string folder = path.substr(0, path.find_last_of('/') + 1);
  if (!folder.empty() && !DirectoryExists(folder)) MakeDirectory(folder);
  return FileReplaceContents(path, bytes.data(), static_cast<std::int32_t>(bytes.size()));
}

Key* FindKey(Store& store, RegistryRoot root, const std::string& path) {
  for (Key& key : store)
    if (key.root == root && SameName(key.path, path)) return &key;
  return nullptr;
}

Value* FindValue(Key& key, const std::string& name) {
  for (Value& value : key.values)
    if (SameName(value.name, name)) return &value;
  return nullptr;
}

// The parents of a path, then the path itself ("a", "a\b", "a\b\c"); the "\" found
// stepping over double-byte characters.
std::vector<std::string> PathChain(const std::string& path) {
  std::vector<std::string> chain;
  for (std::size_t i = 0; i < path.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(path[i]);
    if (c >= 0x81 && c <= 0xFE && i + 1 < path.size()) {
      ++i;
    } else if (path[i] == '\\') {
      chain.push_back(path.substr(0, i));
    }
  }
  chain.push_back(path);
  return chain;
}

Key& CreateIn(Store& store, RegistryRoot root, const std::string& path) {
  for (const std::string& part : PathChain(path))
    if (!FindKey(store, root, part)) store.push_back(Key{root, part, {}});
  return *FindKey(store, root, path);
}

// Loads the file, applies the change to the key (created when absent) and saves.
template <typename Change>
bool ChangeKey(RegistryRoot root, const std::string& key, Change change) {
  const std::string path = RegistryRelativePath(key);
  Store store;
  if (path.empty() || !Load(store)) return false;
  change(CreateIn(store, root, path));
  return Save(store);
}

template <typename Read>
RegistryLookup ReadValue(RegistryRoot root, const std::string& key, const std::string& name, Read read) {
  Store store;
  if (!Load(store)) return RegistryLookup::KeyMissing;
  Key* found = FindKey(store, root, RegistryRelativePath(key));
  if (!found) return RegistryLookup::KeyMissing;
  Value* value = FindValue(*found, name);
  return value && read(*value) ? RegistryLookup::Found : RegistryLookup::ValueMissing;
}

void SetValue(Key& key, const Value& value) {
  Value* existing = FindValue(key, value.name);
  if (existing) {
    existing->isInteger = value.isInteger;
    existing->text = value.text;
    existing->number = value.number;
    existing->isBinary = value.isBinary;
  } else {
    key.values.push_back(value);
  }
}

}  // namespace

RegistryLookup RegistryReadString(RegistryRoot root, const std::string& key, const std::string& name,
                                  std::string& value) {
  return ReadValue(root, key, name, [&](const Value& found) {
    if (found.isInteger || found.isBinary) return false;
    value = found.text;
    return true;
  });
}

RegistryLookup RegistryReadInteger(RegistryRoot root, const std::string& key, const std::string& name,
                                   std::uint32_t& value) {
  return ReadValue(root, key, name, [&](const Value& found) {
    if (!found.isInteger) return false;
    value = found.number;
    return true;
  });
}

RegistryLookup RegistryReadBinary(RegistryRoot root, const std::string& key, const std::string& name,
                                  std::string& value) {
  return ReadValue(root, key, name, [&](const Value& found) {
    if (!found.isBinary) return false;
    value = found.text;
    return true;
  });
}

bool RegistryKeyExists(RegistryRoot root, const std::string& key) {
  Store store;
  const std::string path = RegistryRelativePath(key);
  return path.empty() || (Load(store) && FindKey(store, root, path) != nullptr);
}

bool RegistryCreateKey(RegistryRoot root, const std::string& key) {
  return RegistryKeyExists(root, key) || ChangeKey(root, key, [](Key&) {});
}

bool RegistryWriteString(RegistryRoot root, const std::string& key, const std::string& name,
                         const std::string& value) {
  return ChangeKey(root, key, [&](Key& found) { SetValue(found, Value{name, false, value, 0}); });
}

bool RegistryWriteInteger(RegistryRoot root, const std::string& key, const std::string& name,
                          std::uint32_t value) {
  return ChangeKey(root, key, [&](Key& found) { SetValue(found, Value{name, true, std::string(), value}); });
}

bool RegistryWriteBinary(RegistryRoot root, const std::string& key, const std::string& name,
                         const std::string& value) {
  return ChangeKey(root, key, [&](Key& found) { SetValue(found, Value{name, false, value, 0, true}); });
}

bool RegistryDeleteKey(RegistryRoot root, const std::string& key) {
  const std::string path = RegistryRelativePath(key);
  Store store;
  if (path.empty() || !Load(store)) return false;
  const std::size_t before = store.size();
  for (std::size_t i = store.size(); i-- > 0;) {
    if (store[i].root != root) continue;
    for (const std::string& part : PathChain(store[i].path))  // the key itself or one below it
      if (SameName(part, path)) {
        store.erase(store.begin() + static_cast<std::ptrdiff_t>(i));
        break;
      }
  }
  return store.size() == before || Save(store);
}

}  // namespace platform
