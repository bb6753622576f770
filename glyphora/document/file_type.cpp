#include "glyphora/document/file_type.h"

namespace glyphora {

std::vector<FileTypeValue> FileTypeValues(const std::string& editorPath) {
  return {
      {".gly", "", "GLYfile"},
      {"GLYfile", "", "Glyphora File"},
      {"GLYfile\\DefaultIcon", "", editorPath + ", 1"},
      {"GLYfile\\Shell\\open\\command", "", "\"" + editorPath + "\" %1"},
  };
}

}  // namespace glyphora
