// Delivery of received mail: 10,000 generated messages of about 2 KB filed by 50 assistant
// rules into 10 mailboxes (a sixth of the messages match no rule and go to the inbox).
// Each run starts from empty mailboxes in a folder under the temporary folder.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "platform/file.h"
#include "quillet/common/stream.h"
#include "quillet/store/assistant/deliver_message.h"
#include "quillet/store/mailbox/mail_box.h"

namespace {

constexpr int k_messages = 10000;
constexpr int k_rules = 50;
constexpr int k_boxes = 10;

class TSilentPrompts : public TUserPrompts {
 public:
  void ShowMessage(const std::string& text) override { std::fprintf(stderr, "prompt: %s\n", text.c_str()); }
  bool AskYesNo(const std::string&) override { return false; }
  bool AskPassword(const std::string&, std::string&) override { return false; }
};

std::string BoxName(int n) { return "box" + std::to_string(n); }

// Sender n % 60: senders 0..49 each have a rule, 50..59 none.
std::string MessageText(int n) {
  const int sender = n % 60;
  std::string text = "From: =?GB2312?B?1cXI/Q==?= <sender" + std::to_string(sender) +
                     "@example.org>\r\nTo: reader@example.org\r\nCc: team@example.org\r\nSubject: Report " +
                     std::to_string(n) + "\r\nDate: Tue, 8 Dec 2026 04:00:00 +0800\r\nMime-Version: 1.0\r\n"
                     "Content-Type: text/plain; charset=gb2312\r\n\r\n";
  while (text.size() < 2000) text += "The quick brown fox jumps over the lazy dog, line " + std::to_string(text.size()) + ".\r\n";
  return text;
}

TActionList Rules() {
  TActionList rules;
  for (int i = 0; i < k_rules; ++i) {
    TOneAction rule;
    rule.from = "SENDER" + std::to_string(i) + "@";
    if (i % 5 == 0) rule.subject = "report";
    rule.target = BoxName(i % k_boxes);
    rules.push_back(rule);
  }
  return rules;
}

struct TBenchFolder {
  std::string folder;
  TBenchFolder() {
    std::random_device random;
    folder = platform::TempFolder() + "deliver_bench_" + std::to_string(random()) + platform::PathSeparator();
    platform::MakeDirectory(folder);
  }
  ~TBenchFolder() { std::filesystem::remove_all(folder); }
};

void BM_Deliver(benchmark::State& state) {
  std::vector<std::string> texts;
  for (int n = 0; n < k_messages; ++n) texts.push_back(MessageText(n));
  TSilentPrompts prompts;
  for (auto _ : state) {
    state.PauseTiming();
    auto folder = std::make_unique<TBenchFolder>();
    const TBenchFolder& where = *folder;
    auto assistantOwner = std::make_unique<TAssistence>(where.folder + "assist.dat");
    TAssistence& assistant = *assistantOwner;
    assistant.ReplaceRules(Rules());
    assistant.Save();
    TDeliveryBoxes boxes;
    boxes.inboxBase = where.folder + "in";
    boxes.basePathOf = [&](const std::string& name) { return where.folder + name; };
    for (int b = 0; b < k_boxes; ++b) TMailBox create(where.folder + BoxName(b));
    TMailBox createInbox(boxes.inboxBase);
    state.ResumeTiming();
    for (const std::string& text : texts) {
      TMemoryStream message(text);
      benchmark::DoNotOptimize(DeliverMessage(assistant, boxes, message, prompts));
    }
    state.PauseTiming();
    assistantOwner.reset();
    folder.reset();
    state.ResumeTiming();
  }
  state.SetItemsProcessed(state.iterations() * k_messages);
  state.counters["messages/s"] = benchmark::Counter(static_cast<double>(state.iterations()) * k_messages,
                                                    benchmark::Counter::kIsRate);
}
BENCHMARK(BM_Deliver)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
