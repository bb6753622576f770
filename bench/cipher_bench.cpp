// Mailbox cipher benchmarks over a 200 MB data file made once under the temporary folder:
// encrypting (which writes the ".BO~" file, flushes it and deciphers it again to compare
// it with the data file) and decrypting the whole mailbox, and sealing 16 KiB chunks in
// memory, the figure `openssl speed -evp aes-256-gcm -bytes 16384` gives for the same
// library (scripts/bench-cipher.sh runs both). MB/s come from the bytes processed. Key
// derivation is left out: the file operations use the lowest iteration count the format
// takes (1,000, well under a millisecond), and a separate benchmark times the product's
// default.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "platform/crypto.h"
#include "platform/file.h"
#include "platform/unique_file.h"
#include "quillet/store/mailbox/mail_box.h"
#include "quillet/store/system/mailbox_cipher.h"

namespace {

constexpr std::int64_t k_mailboxBytes = 200 * 1000 * 1000;
constexpr char k_password[] = "bench password";
const TCipherParams k_noDerivation{k_minCipherIterations, k_defaultCipherChunkSize};

// A mailbox pair whose data file holds 200 MB of message-like text, removed at exit.
struct TBenchMailbox {
  std::string folder, base;

  TBenchMailbox() {
    std::random_device random;
    folder = platform::TempFolder() + "cipher_bench_" + std::to_string(random());
    platform::MakeDirectory(folder);
    base = folder + platform::PathSeparator() + "in";
    { TMailBox create(base); }
    std::string line = "The quick brown fox jumps over the lazy dog; message text as it arrived.\r\n";
    std::string block;
    while (block.size() < (1 << 20)) block += line;
    platform::UniqueFile data(platform::FileCreate(base + ".BOX"));
    for (std::int64_t written = 0; written < k_mailboxBytes; written += static_cast<std::int64_t>(block.size())) {
      std::int32_t n = static_cast<std::int32_t>(std::min<std::int64_t>(block.size(), k_mailboxBytes - written));
      if (platform::FileWrite(data.Get(), block.data(), n) != n) {
        std::fprintf(stderr, "cannot write the benchmark mailbox in %s\n", folder.c_str());
        std::exit(1);
      }
    }
  }
  ~TBenchMailbox() {
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
  }
};

TBenchMailbox& Mailbox() {
  static TBenchMailbox mailbox;
  return mailbox;
}

void BM_EncryptMailbox(benchmark::State& state) {
  TMailBox box(Mailbox().base);
  for (auto _ : state) {
    EncryptMailbox(box, k_password, nullptr, k_noDerivation);
    state.PauseTiming();
    DecryptMailbox(box, k_password);
    state.ResumeTiming();
  }
  state.SetBytesProcessed(state.iterations() * k_mailboxBytes);
}
BENCHMARK(BM_EncryptMailbox)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

void BM_DecryptMailbox(benchmark::State& state) {
  TMailBox box(Mailbox().base);
  for (auto _ : state) {
    state.PauseTiming();
    EncryptMailbox(box, k_password, nullptr, k_noDerivation);
    state.ResumeTiming();
    DecryptMailbox(box, k_password);
  }
  state.SetBytesProcessed(state.iterations() * k_mailboxBytes);
}
BENCHMARK(BM_DecryptMailbox)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

void BM_Seal16KiBChunks(benchmark::State& state) {
  std::vector<std::uint8_t> key(platform::k_aesKeySize, 7), nonce(platform::k_gcmNonceSize, 0);
  std::vector<std::uint8_t> plain(16384, 'x'), sealed(16384), tag(platform::k_gcmTagSize);
  platform::AesGcmKey aes(key.data());
  std::uint64_t counter = 0;
  for (auto _ : state) {
    nonce[0] = static_cast<std::uint8_t>(++counter);
    nonce[1] = static_cast<std::uint8_t>(counter >> 8);
    if (!aes.Seal(nonce.data(), nullptr, 0, plain.data(), plain.size(), sealed.data(), tag.data()))
      state.SkipWithError("seal failed");
    benchmark::DoNotOptimize(sealed.data());
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(plain.size()));
}
BENCHMARK(BM_Seal16KiBChunks);

void BM_DeriveDefaultKey(benchmark::State& state) {
  std::uint8_t key[platform::k_aesKeySize];
  for (auto _ : state)
    platform::DeriveKeyPbkdf2Sha256(k_password, "0123456789abcdef", 16, k_defaultCipherIterations, key, sizeof key);
}
BENCHMARK(BM_DeriveDefaultKey)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  Mailbox();
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
