#include "quillet/viewer/temp_file_for.h"

#include "quillet/common/exceptions.h"
#include "quillet/common/gbk.h"
#include "quillet/common/paths.h"
#include "quillet/common/text_format.h"
#include "quillet/viewer/viewer_texts.h"

namespace {
constexpr std::size_t k_nameBytes = 128;
}

std::string TempFileFor(const std::string& attachmentName, const std::string& tempFolder,
                        const TFileExists& exists) {
  const std::string folder = paths::WithTrailingSeparator(tempFolder);
  // A name from a message is a bare name already; any folder part is dropped all the same.
  std::string name = gbk::Cut(paths::FileNamePart(attachmentName), k_nameBytes);
  if (name.empty()) name = viewer_texts::k_unnamedAttachment;
  const std::string extension = paths::Extension(name);
  const std::string base = name.substr(0, name.size() - extension.size());
  std::string path = folder + base + extension;
  for (int i = 1; exists(path); ++i) {
    if (i > k_maxTempNumber) throw Exception(FormatText(viewer_texts::k_noTempName, {name}));
    path = folder + base + "(" + std::to_string(i) + ")" + extension;
  }
  return path;
}
