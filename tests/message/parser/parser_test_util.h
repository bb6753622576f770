// Helpers shared by the parser tests.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include "quillet/common/stream.h"
#include "quillet/common/user_prompts.h"
#include "quillet/message/parser/msg_decode.h"
#include "tests/support/recording_prompts.h"
#include "tests/support/test_streams.h"

namespace parser_test {

// Test messages are written with "\n"; stored messages have CR LF line ends.
inline std::string Crlf(const std::string& text) {
  std::string out;
  out.reserve(text.size() + text.size() / 16);
  for (char c : text) {
    if (c == '\n') out += '\r';
    out += c;
  }
  return out;
}

// A decoded message together with its source.
struct TDecoded {
  explicit TDecoded(const std::string& bytes, bool asText = false)
      : stream(bytes), msg(&stream, static_cast<std::int64_t>(bytes.size()), 0) {
    msg.SetPrompts(&prompts);
    if (asText) msg.DecodeAsText();
    else msg.Decode();
  }
  std::string Text() const { return msg.DisplayString(); }
  std::string Attachment(int index) {
    TMemoryStream out;
    msg.SaveAttachFileToStream(index, out);
    return out.Bytes();
  }
  std::string Body(const TMsgSection& section) const {
    return stream.Bytes().substr(static_cast<size_t>(section.Start), static_cast<size_t>(section.Length));
  }
  TMemoryStream stream;
  test_support::TRecordingPrompts prompts;
  TMsgDecode msg;
};

inline std::string ReadDataFile(const std::string& relative) {
  std::ifstream file(std::string(QUILLET_TEST_DATA) + "/" + relative, std::ios::binary);
  EXPECT_TRUE(file.good()) << "missing test data " << relative;
  std::ostringstream bytes;
  bytes << file.rdbuf();
  return bytes.str();
}

// The Message() of the exception the call raises, or "" when it raises none.
template <typename F>
std::string ErrorOf(F&& call) {
  try {
    call();
  } catch (const Exception& e) {
    return e.Message();
  }
  return std::string();
}

}  // namespace parser_test
