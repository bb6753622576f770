// Mail store benchmarks over a mailbox of 100,000 messages of about 2 KB, built once in a
// folder under the temporary folder: loading the heads, single lookups, reading and
// appending a message, marking 1,000 messages read, and Pack after deleting every other
// message, timed against `cp` of the same data file in the same run.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>

#include "platform/file.h"
#include "quillet/common/stream.h"
#include "quillet/store/mailbox/mail_box.h"

namespace {

constexpr int k_messages = 100000;

class TSilentPrompts : public TUserPrompts {
 public:
  void ShowMessage(const std::string& text) override { std::fprintf(stderr, "prompt: %s\n", text.c_str()); }
  bool AskYesNo(const std::string&) override { return false; }
  bool AskPassword(const std::string&, std::string&) override { return false; }
};

std::string MessageText(int n) {
  std::string text = "From: \"Sender " + std::to_string(n % 97) + "\" <sender" + std::to_string(n % 97) +
                     "@example.org>\r\nTo: reader@example.org\r\nSubject: Message number " + std::to_string(n) +
                     "\r\nDate: Tue, 8 Dec 2026 04:00:00 +0800\r\nMime-Version: 1.0\r\n\r\n";
  while (text.size() < 2000) text += "The quick brown fox jumps over the lazy dog, line " + std::to_string(text.size()) + ".\r\n";
  return text;
}

double Seconds(std::chrono::steady_clock::duration d) { return std::chrono::duration<double>(d).count(); }

void CopyPair(const std::string& from, const std::string& to) {
  if (!platform::FileCopy(from + ".IND", to + ".IND") || !platform::FileCopy(from + ".BOX", to + ".BOX")) {
    std::fprintf(stderr, "copy of %s failed\n", from.c_str());
    std::exit(1);
  }
}

// The mailboxes, made once: "full" with every message, "half" with every other one deleted.
struct TBenchBoxes {
  std::string folder, full, half, work;

  TBenchBoxes() {
    std::random_device random;
    folder = platform::TempFolder() + "store_bench_" + std::to_string(random());
    platform::MakeDirectory(folder);
    folder += platform::PathSeparator();
    full = folder + "full";
    half = folder + "half";
    work = folder + "work";
    auto start = std::chrono::steady_clock::now();
    {
      TMailBox box(full);
      for (int i = 1; i <= k_messages; ++i) {
        TMailHead head;
        head.Unread = 1;
        head.Date = 46000 + i / 1000.0;
        head.Correspondent = "Sender " + std::to_string(i % 97);
        head.Subject = "Message number " + std::to_string(i);
        TMemoryStream text(MessageText(i));
        head.Size = static_cast<std::uint32_t>(text.Size());
        box.AddMessage(head, text);
      }
    }
    double built = Seconds(std::chrono::steady_clock::now() - start);
    CopyPair(full, half);
    {
      TMailBox box(half);
      for (int id = 2; id <= k_messages; id += 2) box.DeleteRecord(id);
    }
    std::fprintf(stderr, "built %d messages (%.0f MB) in %.2f s (%.1f us per append)\n", k_messages,
                 static_cast<double>(platform::FileSizeByName(full + ".BOX")) / 1e6, built, built * 1e6 / k_messages);
  }
  ~TBenchBoxes() {
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
  }
};

TBenchBoxes& Boxes() {
  static TBenchBoxes boxes;
  return boxes;
}

void BM_LoadHeads(benchmark::State& state) {
  TMailBox box(Boxes().full);
  for (auto _ : state) {
    THeadList heads;
    box.LoadHeads(heads);
    benchmark::DoNotOptimize(heads.Count());
  }
}
BENCHMARK(BM_LoadHeads)->Unit(benchmark::kMillisecond);

void BM_ReadHeadRandomId(benchmark::State& state) {
  TMailBox box(Boxes().full);
  std::mt19937 random(1);
  for (auto _ : state) {
    TMailHead head;
    benchmark::DoNotOptimize(box.ReadHead(1 + static_cast<std::int32_t>(random() % k_messages), head));
  }
}
BENCHMARK(BM_ReadHeadRandomId)->Unit(benchmark::kMicrosecond);

void BM_ReadMessage(benchmark::State& state) {
  TMailBox box(Boxes().full);
  std::mt19937 random(2);
  for (auto _ : state) {
    TMemoryStream text;
    benchmark::DoNotOptimize(box.ReadMessage(1 + static_cast<std::int32_t>(random() % k_messages), text, true));
  }
}
BENCHMARK(BM_ReadMessage)->Unit(benchmark::kMicrosecond);

void BM_Append(benchmark::State& state) {
  CopyPair(Boxes().full, Boxes().work);
  TMailBox box(Boxes().work);
  TMemoryStream text(MessageText(7));
  for (auto _ : state) {
    TMailHead head;
    head.Unread = 1;
    head.Subject = "appended";
    box.AddMessage(head, text);
  }
}
BENCHMARK(BM_Append)->Unit(benchmark::kMicrosecond);

// One iteration marks 1,000 random messages (ReadHead + WriteHead), each one changing.
void BM_Mark1000Read(benchmark::State& state) {
  CopyPair(Boxes().full, Boxes().work);
  TMailBox box(Boxes().work);
  std::mt19937 random(3);
  for (auto _ : state) {
    for (int i = 0; i < 1000; ++i) {
      TMailHead head;
      box.ReadHead(1 + static_cast<std::int32_t>(random() % k_messages), head);
      head.Unread = head.Unread ? 0 : 1;
      box.WriteHead(head);
    }
  }
}
BENCHMARK(BM_Mark1000Read)->Unit(benchmark::kMillisecond);

// Pack of the half-deleted mailbox; in the same iteration `cp` of its data file, and `cp`
// followed by `sync` of the copy: Pack flushes what it wrote before it renames, so the
// durable copy is its fair peer.
double TimedCommand(const std::string& command, benchmark::State& state) {
  auto start = std::chrono::steady_clock::now();
  if (std::system(command.c_str()) != 0) state.SkipWithError(command.c_str());
  return Seconds(std::chrono::steady_clock::now() - start);
}

void BM_PackHalfDeleted(benchmark::State& state) {
  TSilentPrompts prompts;
  double packSeconds = 0, cpSeconds = 0, cpSyncSeconds = 0;
  const std::string copy = Boxes().folder + "cp-copy.BOX";
  const std::string cp = "cp '" + Boxes().half + ".BOX' '" + copy + "'";
  for (auto _ : state) {
    state.PauseTiming();
    CopyPair(Boxes().half, Boxes().work);
    cpSeconds += TimedCommand(cp, state);
    platform::FileDelete(copy);
    cpSyncSeconds += TimedCommand(cp + " && sync '" + copy + "'", state);
    platform::FileDelete(copy);
    TMailBox box(Boxes().work);
    state.ResumeTiming();
    auto packStart = std::chrono::steady_clock::now();
    box.Pack(prompts);
    packSeconds += Seconds(std::chrono::steady_clock::now() - packStart);
  }
  state.counters["pack_ms"] = packSeconds * 1000 / static_cast<double>(state.iterations());
  state.counters["cp_ms"] = cpSeconds * 1000 / static_cast<double>(state.iterations());
  state.counters["cp_sync_ms"] = cpSyncSeconds * 1000 / static_cast<double>(state.iterations());
  state.counters["pack_over_cp"] = packSeconds / cpSeconds;
  state.counters["pack_over_cp_sync"] = packSeconds / cpSyncSeconds;
}
BENCHMARK(BM_PackHalfDeleted)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  Boxes();
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
