// The start-up check of the document file type: when any of its registry values is
// missing or names another place, question 406 is asked and, on Yes, all are written.
#pragma once

#include <string>

#include "glyphora/app/editor.h"

namespace glyphora::app {

// True when the values were already right or were written; false when the user said No
// or the registry refused (the error shown).
bool FileTypeCheck(Editor* editor, const std::string& editorPath);
// This program's own path (GBK).
std::string ModulePath();

}  // namespace glyphora::app
