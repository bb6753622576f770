// The message list of a mailbox of 100,000 short messages, built once in a folder under
// the temporary folder: loading it (one index read, file order), sorting it by a column
// click, and making one screen of rows as a virtual list view asks for them.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <random>
#include <string>

#include "platform/file.h"
#include "quillet/common/stream.h"
#include "quillet/frame/message_list.h"
#include "quillet/store/mailbox/mail_box.h"

namespace {

constexpr int k_messages = 100000;
constexpr int k_screenRows = 40;

struct TBenchBox {
  std::string folder, base;

  TBenchBox() {
    std::random_device random;
    folder = platform::TempFolder() + "list_bench_" + std::to_string(random()) + platform::PathSeparator();
    platform::MakeDirectory(folder);
    base = folder + "in";
    TMailBox box(base);
    std::mt19937 order(7);
    for (int i = 1; i <= k_messages; ++i) {
      TMailHead head;
      head.Unread = static_cast<std::uint8_t>(i % 3 == 0);
      head.Date = 46000 + static_cast<double>(order() % 100000) / 100.0;
      head.Priority = static_cast<std::uint8_t>(1 + order() % 5);
      head.Correspondent = "Sender " + std::to_string(order() % 977);
      head.Subject = "Message number " + std::to_string(order());
      TMemoryStream text("Subject: " + head.Subject + "\r\n\r\nBody\r\n");
      box.AddMessage(head, text);
    }
  }
  ~TBenchBox() {
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
  }
};

TBenchBox& Box() {
  static TBenchBox box;
  return box;
}

void BM_LoadList(benchmark::State& state) {
  TSystemSettings settings;
  for (auto _ : state) {
    TMailBox box(Box().base);
    TMessageList list(settings);
    list.Load(box);
    benchmark::DoNotOptimize(list.Count());
  }
}
BENCHMARK(BM_LoadList)->Unit(benchmark::kMillisecond);

void BM_ClickSort(benchmark::State& state) {
  TSystemSettings settings;
  TMailBox box(Box().base);
  TMessageList list(settings);
  list.Load(box);
  const auto column = static_cast<TListColumn>(state.range(0));
  for (auto _ : state) {
    list.ClickColumn(column);
    benchmark::DoNotOptimize(list.Rows().front());
  }
}
BENCHMARK(BM_ClickSort)
    ->Arg(static_cast<int>(TListColumn::Subject))
    ->Arg(static_cast<int>(TListColumn::Date))
    ->Arg(static_cast<int>(TListColumn::Priority))
    ->Unit(benchmark::kMillisecond);

void BM_ScreenOfRows(benchmark::State& state) {
  TSystemSettings settings;
  TMailBox box(Box().base);
  TMessageList list(settings);
  list.Load(box);
  std::mt19937 random(3);
  for (auto _ : state) {
    const int top = static_cast<int>(random() % (k_messages - k_screenRows));
    for (int row = top; row < top + k_screenRows; ++row) benchmark::DoNotOptimize(list.Row(row));
  }
}
BENCHMARK(BM_ScreenOfRows)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  Box();
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
