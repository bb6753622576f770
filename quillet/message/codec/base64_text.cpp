#include "quillet/message/codec/base64_text.h"

#include "quillet/message/codec/codecs.h"

namespace {

// Text is fed to the codec in lines of whole 4-character groups, shorter than the 76
// characters for which the codec ignores padding.
constexpr std::size_t k_base64LineLength = 72;

bool IsBase64Char(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '+' || c == '/';
}

// The encoded text as lines for the Base64 codec: blanks dropped, a new line after each
// run of "=" padding (so two words run together still decode), long runs cut into lines
// of whole groups. False on a character outside the alphabet.
bool Base64Lines(std::string_view text, std::string& lines) {
  std::string line;
  auto endLine = [&]() {
    if (!line.empty()) lines += line + "\r\n";
    line.clear();
  };
  for (std::size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (c == ' ' || c == '\t') continue;
    if (c == '=') {
      line += c;
      if (i + 1 >= text.size() || text[i + 1] != '=') endLine();
      continue;
    }
    if (!IsBase64Char(c)) return false;
    line += c;
    if (line.size() == k_base64LineLength) endLine();
  }
  endLine();
  return true;
}

}  // namespace

bool Base64Decode(std::string_view text, std::string& bytes) {
  std::string lines;
  if (!Base64Lines(text, lines)) return false;
  bytes.clear();
  if (lines.empty()) return true;
  TMemoryStream input(lines);
  TMemoryStream output;
  try {
    TBase64 codec(&input, TCodecMode::Decode, &output, input.Size(), 0);
    codec.Decode();
  } catch (const Exception&) {
    return false;
  }
  bytes = output.Bytes();
  return true;
}

std::string Base64Text(const std::string& bytes) {
  if (bytes.empty()) return std::string();
  TMemoryStream input(bytes);
  TMemoryStream output;
  TBase64(&input, TCodecMode::Encode, &output, input.Size(), 0).Encode();
  std::string text;
  for (char c : output.Bytes())
    if (c != '\r' && c != '\n') text += c;
  return text;
}
