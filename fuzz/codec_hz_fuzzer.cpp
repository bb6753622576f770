// HZ-decodes the fuzzed bytes as a string and as a stream range, which must agree, and
// checks the file-name and content-type helpers on the same bytes as a path.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "quillet/message/codec/codecs.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
  std::string input(reinterpret_cast<const char*>(data), size);
  std::string text = HZToGBText(input);
  if (text.size() > input.size()) std::abort();

  TMemoryStream stream("prefix" + input + "suffix"), output;
  HZToGB(stream, 6, static_cast<std::int64_t>(input.size()), output);
  if (output.Bytes() != text) std::abort();

  std::string name = ExtractFileName(input);
  if (name.size() > input.size() || input.compare(input.size() - name.size(), name.size(), name) != 0) std::abort();
  ContentTypeOfFile(input);
  FileNameForType(input, "image/gif");
  return 0;
}
