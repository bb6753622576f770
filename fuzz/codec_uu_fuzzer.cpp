// Decodes the fuzzed bytes as uuencoded lines; encodes them and checks the round trip,
// also with the lines inside a begin/end block.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "quillet/message/codec/codecs.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
  std::string input(reinterpret_cast<const char*>(data), size);

  TMemoryStream text(input), decoded;
  TUUCode decoder(&text, TCodecMode::Decode, &decoded, text.Size(), 0);
  try {
    decoder.Decode();
  } catch (const Exception& e) {
    if (e.Message() != "Invalid UUEncode format") std::abort();
  }
  // Each line of n bytes needs at least two characters and a line break.
  if (decoded.Size() > static_cast<std::int64_t>(input.size()) * 63) std::abort();

  TMemoryStream bytes(input), encoded;
  TUUCode encoder(&bytes, TCodecMode::Encode, &encoded, bytes.Size(), 0);
  encoder.Encode();
  std::string block = "begin 644 fuzz.bin\r\n" + encoded.Bytes() + "end\r\n";
  TMemoryStream blockStream(block), back;
  TUUCode redecoder(&blockStream, TCodecMode::Decode, &back, blockStream.Size(), 0);
  redecoder.Decode();
  if (back.Bytes() != input) std::abort();

  std::string line1 = input.substr(0, input.find('\n'));
  std::string line2 = line1.size() < input.size() ? input.substr(line1.size() + 1) : std::string();
  std::string name;
  if (IsUUBeginLine(line1, line2, name) && name.size() >= line1.size()) std::abort();
  return 0;
}
