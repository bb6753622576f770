// The document file type as the shell knows it: the registry values that make ".gly"
// files open in the editor and show its document icon, built from the editor's path.
#pragma once

#include <string>
#include <vector>

namespace glyphora {

// One string value below HKEY_CLASSES_ROOT ("" names the key's default value).
struct FileTypeValue {
  std::string key;
  std::string name;
  std::string value;
};

// ".gly" names the class "GLYfile"; the class is "Glyphora File", its icon the editor's
// second icon, and its open command the editor with the file as its argument.
std::vector<FileTypeValue> FileTypeValues(const std::string& editorPath);

}  // namespace glyphora
