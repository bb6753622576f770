// libFuzzer target for the message parser: decode, decode as text, and save every
// attachment to memory. The message lies inside a larger stream, and any read outside
// its range traps, so a parser that reads into the next message is caught too.
#include <cstddef>
#include <cstdint>
#include <string>

#include "quillet/common/stream.h"
#include "quillet/common/user_prompts.h"
#include "quillet/message/parser/msg_decode.h"

namespace {

class TFencedStream : public TMemoryStream {
 public:
  TFencedStream(std::string bytes, std::int64_t start, std::int64_t end)
      : TMemoryStream(std::move(bytes)), start_(start), end_(end) {}
  std::int32_t Read(void* buffer, std::int32_t count) override {
    std::int64_t at = Position();
    if (count > 0 && (at < start_ || at + count > end_)) __builtin_trap();
    return TMemoryStream::Read(buffer, count);
  }

 private:
  std::int64_t start_, end_;
};

class TQuietPrompts : public TUserPrompts {
 public:
  void ShowMessage(const std::string&) override {}
  bool AskYesNo(const std::string&) override { return false; }
  bool AskPassword(const std::string&, std::string&) override { return false; }
};

void DecodeAll(TMsgDecode& msg, bool asText) {
  try {
    if (asText) msg.DecodeAsText();
    else msg.Decode();
    const std::string& text = msg.DisplayText().Bytes();
    if (text.empty() || text.back() != '\0') __builtin_trap();
  } catch (const Exception&) {
  }
  for (size_t i = 0; i < msg.Attachments().size(); ++i) {
    TMemoryStream out;
    try {
      msg.SaveAttachFileToStream(static_cast<int>(i), out);
    } catch (const Exception&) {
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
  const std::string before = "--b\r\n\r\nbefore\r\n";
  const std::string after = "\r\n--b--\r\nbegin 644 x\r\n#0V%T\r\n`\r\nend\r\n";
  std::string message(reinterpret_cast<const char*>(data), size);
  const std::int64_t start = static_cast<std::int64_t>(before.size());
  const std::int64_t end = start + static_cast<std::int64_t>(size);
  TFencedStream stream(before + message + after, start, end);
  TQuietPrompts prompts;
  for (bool asText : {false, true}) {
    TMsgDecode msg(&stream, static_cast<std::int64_t>(size), start);
    msg.SetPrompts(&prompts);
    DecodeAll(msg, asText);
  }
  return 0;
}
