// Helpers shared by the codec tests: one-call codecs over strings, a recorder of a job's
// callbacks, random bytes and a stream that hands out its bytes a few at a time.
#pragma once

#include <algorithm>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "quillet/message/codec/codecs.h"
#include "tests/support/test_streams.h"

namespace codec_test {

inline std::string Base64Encode(const std::string& bytes) {
  TMemoryStream in(bytes), out;
  TBase64 codec(&in, TCodecMode::Encode, &out, in.Size(), 0);
  codec.Encode();
  return out.Bytes();
}

inline std::string Base64Decode(const std::string& text) {
  TMemoryStream in(text), out;
  TBase64 codec(&in, TCodecMode::Decode, &out, in.Size(), 0);
  codec.Decode();
  return out.Bytes();
}

inline std::string UUEncode(const std::string& bytes) {
  TMemoryStream in(bytes), out;
  TUUCode codec(&in, TCodecMode::Encode, &out, in.Size(), 0);
  codec.Encode();
  return out.Bytes();
}

inline std::string UUDecode(const std::string& text) {
  TMemoryStream in(text), out;
  TUUCode codec(&in, TCodecMode::Decode, &out, in.Size(), 0);
  codec.Decode();
  return out.Bytes();
}

inline TStringList QPEncode(const std::string& text) {
  TMemoryStream in(text);
  TStringList lines;
  TQuotedPrintable codec(&in, &lines);
  codec.Encode();
  return lines;
}

inline std::string QPDecode(const TStringList& lines) {
  TMemoryStream out;
  TStringList copy = lines;
  TQuotedPrintable codec(&out, &copy);
  codec.Decode();
  return out.Bytes();
}

// The callbacks of one job as "start", "0", "5", ..., "end", checking the sender.
struct TEventLog {
  std::vector<std::string> events;
  std::vector<int> percents;
  bool wrongSender = false;

  void Attach(TCodecJob& job, void* sender) {
    job.OnStart = [this, sender](void* s) { Note(s, sender, "start"); };
    job.OnEnd = [this, sender](void* s) { Note(s, sender, "end"); };
    job.OnProgress = [this, sender](void* s, int percent) {
      percents.push_back(percent);
      Note(s, sender, std::to_string(percent));
    };
  }

 private:
  void Note(void* actual, void* expected, const std::string& event) {
    if (actual != expected) wrongSender = true;
    events.push_back(event);
  }
};

inline std::string RandomBytes(size_t size, unsigned seed) {
  std::mt19937 random(seed);
  std::string bytes(size, '\0');
  for (char& c : bytes) c = static_cast<char>(random() & 0xFF);
  return bytes;
}

// Reads return at most a few bytes, as a slow source would.
using TTrickleStream = test_support::TTrickleStream;

}  // namespace codec_test
