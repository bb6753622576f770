// Texts of the document.
#pragma once

namespace glyphora {

constexpr char k_untitledName[] = "Untitled";
constexpr char k_titleSuffix[] = " - Glyphora";
constexpr char k_documentExtension[] = ".GLY";

}  // namespace glyphora
