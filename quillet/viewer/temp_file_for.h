// Where an attachment is written to be opened: a file in the temporary folder named after
// the attachment, never over a file that is there already.
#pragma once

#include <functional>
#include <string>

using TFileExists = std::function<bool(const std::string& path)>;

// The folder with a trailing separator; the name's first 128 bytes (never half a
// double-byte character), or "jay" when it is empty, split into base and extension.
// The first of folder + base + extension, then folder + base + "(i)" + extension for
// i = 1, 2, 3 ..., that does not exist. Gives up with Exception k_noTempName after
// k_maxTempNumber numbered names.
std::string TempFileFor(const std::string& attachmentName, const std::string& tempFolder,
                        const TFileExists& exists);

inline constexpr int k_maxTempNumber = 100000;
