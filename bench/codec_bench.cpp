// Decoding speed of the transfer encodings on about 50 MB of input, with the system's
// base64 tool on the same bytes for comparison. Rates are reported as MB/s (10^6 bytes
// of encoded input per second of wall time).
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

#include "platform/file.h"
#include "quillet/message/codec/codecs.h"

namespace {

constexpr size_t k_dataBytes = 38 * 1000 * 1000;  // about 51 MB once encoded

std::string RandomBytes(size_t size) {
  std::mt19937_64 random(42);
  std::string bytes(size, '\0');
  for (size_t i = 0; i + 8 <= size; i += 8) {
    std::uint64_t v = random();
    for (int k = 0; k < 8; ++k) bytes[i + k] = static_cast<char>(v >> (8 * k));
  }
  return bytes;
}

// 76-column lines with CR LF, as the composer writes them.
const std::string& Base64Text() {
  static const std::string text = [] {
    TMemoryStream in(RandomBytes(k_dataBytes)), out;
    TBase64 encoder(&in, TCodecMode::Encode, &out, in.Size(), 0);
    encoder.Encode();
    return out.Bytes();
  }();
  return text;
}

// Mail text: mostly ASCII words with a share of GBK characters, as the composer encodes
// a Chinese body.
const TStringList& QuotedPrintableLines() {
  static const TStringList lines = [] {
    std::mt19937 random(7);
    std::string text;
    while (text.size() < k_dataBytes) {
      int words = 3 + static_cast<int>(random() % 15);
      for (int w = 0; w < words; ++w) {
        if (random() % 3 == 0) {
          text += static_cast<char>(0xB0 + random() % 0x40);
          text += static_cast<char>(0xA1 + random() % 0x5E);
        } else {
          text.append(2 + random() % 8, static_cast<char>('a' + random() % 26));
        }
        text += ' ';
      }
      text += "\r\n";
    }
    TMemoryStream in(text);
    TStringList encoded;
    TQuotedPrintable encoder(&in, &encoded);
    encoder.Encode();
    return encoded;
  }();
  return lines;
}

void SetRate(benchmark::State& state, double bytesPerIteration) {
  state.counters["MB/s"] =
      benchmark::Counter(bytesPerIteration * static_cast<double>(state.iterations()) / 1e6, benchmark::Counter::kIsRate);
  state.counters["input_MB"] = bytesPerIteration / 1e6;
}

void BM_Base64Decode(benchmark::State& state) {
  TMemoryStream in(Base64Text()), out;
  out.Bytes().reserve(k_dataBytes + 16);
  for (auto _ : state) {
    in.SetPosition(0);
    out.Clear();
    TBase64 decoder(&in, TCodecMode::Decode, &out, in.Size(), 0);
    decoder.Decode();
    benchmark::DoNotOptimize(out.Bytes().data());
  }
  if (out.Size() != static_cast<std::int64_t>(k_dataBytes)) state.SkipWithError("wrong decoded size");
  SetRate(state, static_cast<double>(in.Size()));
}
BENCHMARK(BM_Base64Decode)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);

// The system's base64 tool on the same text from a temporary file. It rejects CR unless
// told to ignore garbage (-i); the LF-only form of the same lines is its native input.
void RunSystemBase64(benchmark::State& state, bool crLf) {
  const std::string& text = Base64Text();
  std::string input = text;
  if (!crLf) {
    input.clear();
    for (char c : text) {
      if (c != '\r') input += c;
    }
  }
  std::string path = platform::TempFileName(platform::TempFolder(), "qbench");
  {
    TFileStream file(path, TFileStream::Mode::Create);
    file.WriteString(input);
  }
  std::string command = std::string("base64 -d ") + (crLf ? "-i " : "") + path + " > /dev/null";
  for (auto _ : state) {
    if (std::system(command.c_str()) != 0) {
      state.SkipWithError("base64 -d failed");
      break;
    }
  }
  platform::FileDelete(path);
  SetRate(state, static_cast<double>(input.size()));
}
void BM_SystemBase64Decode_CrLfWithIgnoreGarbage(benchmark::State& state) { RunSystemBase64(state, true); }
void BM_SystemBase64Decode_LfOnly(benchmark::State& state) { RunSystemBase64(state, false); }
BENCHMARK(BM_SystemBase64Decode_CrLfWithIgnoreGarbage)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
BENCHMARK(BM_SystemBase64Decode_LfOnly)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);

void BM_QuotedPrintableDecode(benchmark::State& state) {
  TStringList lines = QuotedPrintableLines();
  double inputBytes = 0;
  for (const std::string& line : lines) inputBytes += static_cast<double>(line.size() + 2);  // with its CR LF
  TMemoryStream out;
  for (auto _ : state) {
    out.Clear();
    TQuotedPrintable decoder(&out, &lines);
    decoder.Decode();
    benchmark::DoNotOptimize(out.Bytes().data());
  }
  SetRate(state, inputBytes);
}
BENCHMARK(BM_QuotedPrintableDecode)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);

void BM_Base64Encode(benchmark::State& state) {
  TMemoryStream in(RandomBytes(k_dataBytes)), out;
  for (auto _ : state) {
    in.SetPosition(0);
    out.Clear();
    TBase64 encoder(&in, TCodecMode::Encode, &out, in.Size(), 0);
    encoder.Encode();
    benchmark::DoNotOptimize(out.Bytes().data());
  }
  SetRate(state, static_cast<double>(in.Size()));
}
BENCHMARK(BM_Base64Encode)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);

void BM_UUDecode(benchmark::State& state) {
  static const std::string text = [] {
    TMemoryStream in(RandomBytes(k_dataBytes / 4)), out;
    TUUCode encoder(&in, TCodecMode::Encode, &out, in.Size(), 0);
    encoder.Encode();
    return out.Bytes();
  }();
  TMemoryStream in(text), out;
  for (auto _ : state) {
    in.SetPosition(0);
    out.Clear();
    TUUCode decoder(&in, TCodecMode::Decode, &out, in.Size(), 0);
    decoder.Decode();
    benchmark::DoNotOptimize(out.Bytes().data());
  }
  SetRate(state, static_cast<double>(in.Size()));
}
BENCHMARK(BM_UUDecode)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(1.0);

}  // namespace

BENCHMARK_MAIN();
