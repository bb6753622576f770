// Parser throughput on a realistic mail corpus (scripts/make_mail_corpus.py: ~150 MB in
// 3,000 messages; 60% quoted-printable text, 30% with a 20-200 KB Base64 attachment, 10%
// HTML), held in memory as one stream like a mailbox data file. Measured in one run:
//   ParseAll           - Decode() of every message (header, split, display text)
//   ParseAndDecodeAll  - the same, then every attachment saved to memory
//   PythonEmail*       - Python's email package (compat32) on the same files
// and a summary with the ratios at the end (from CPU time on both sides).
//
// The corpus folder is $QUILLET_MAIL_CORPUS, else quillet_mail_corpus in the temporary
// folder; it is generated when missing.
#include <benchmark/benchmark.h>

#include <ctime>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "platform/file.h"
#include "quillet/common/stream.h"
#include "quillet/message/parser/msg_decode.h"

namespace {

struct TCorpus {
  TMemoryStream stream;
  std::vector<std::pair<std::int64_t, std::int64_t>> messages;  // offset, size
  std::string folder;
};

std::string SourceRoot() {
  std::string file = __FILE__;
  return file.substr(0, file.rfind("/bench/"));
}

TCorpus& Corpus() {
  static TCorpus corpus = [] {
    TCorpus c;
    const char* env = std::getenv("QUILLET_MAIL_CORPUS");
    c.folder = env ? env : platform::TempFolder() + "quillet_mail_corpus";
    if (!platform::FileExists(c.folder + "/msg_00000.eml")) {
      std::string command = "python3 '" + SourceRoot() + "/scripts/make_mail_corpus.py' '" + c.folder + "'";
      if (std::system(command.c_str()) != 0) std::fprintf(stderr, "could not run: %s\n", command.c_str());
    }
    std::string all;
    for (int i = 0;; ++i) {
      char name[32];
      std::snprintf(name, sizeof name, "/msg_%05d.eml", i);
      std::ifstream in(c.folder + name, std::ios::binary);
      if (!in) break;
      std::ostringstream bytes;
      bytes << in.rdbuf();
      c.messages.emplace_back(static_cast<std::int64_t>(all.size()), static_cast<std::int64_t>(bytes.str().size()));
      all += bytes.str();
    }
    c.stream.Bytes() = std::move(all);
    return c;
  }();
  return corpus;
}

// CPU seconds of the best pass, per measurement, for the summary (CPU time, so that
// other work on the machine does not blur the comparison).
double g_parse = 0, g_parseAndDecode = 0, g_pythonParse = 0, g_pythonParseAndDecode = 0;

void Keep(double& best, double seconds) {
  if (best == 0 || seconds < best) best = seconds;
}

void RunCorpus(benchmark::State& state, bool saveAttachments, double& best) {
  TCorpus& corpus = Corpus();
  if (corpus.messages.empty()) {
    state.SkipWithError("no corpus");
    return;
  }
  TMemoryStream out;
  std::int64_t attachments = 0;
  for (auto _ : state) {
    std::clock_t start = std::clock();
    attachments = 0;
    for (const auto& m : corpus.messages) {
      TMsgDecode msg(&corpus.stream, m.second, m.first);
      msg.Decode();
      if (!saveAttachments) continue;
      for (size_t i = 0; i < msg.Attachments().size(); ++i) {
        out.Clear();
        msg.SaveAttachFileToStream(static_cast<int>(i), out);
        ++attachments;
      }
      benchmark::DoNotOptimize(out.Bytes().data());
    }
    Keep(best, static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC);
  }
  state.SetBytesProcessed(state.iterations() * corpus.stream.Size());
  state.counters["messages"] = static_cast<double>(corpus.messages.size());
  if (saveAttachments) state.counters["attachments"] = static_cast<double>(attachments);
}

void ParseAll(benchmark::State& state) { RunCorpus(state, false, g_parse); }
void ParseAndDecodeAll(benchmark::State& state) { RunCorpus(state, true, g_parseAndDecode); }

void PythonEmail(benchmark::State& state, bool decode) {
  TCorpus& corpus = Corpus();
  const std::string out = platform::TempFileName(platform::TempFolder(), "qbench");
  const std::string command =
      "/usr/bin/python3 '" + SourceRoot() + "/scripts/email_parse_timing.py' '" + corpus.folder + "' > '" + out + "'";
  for (auto _ : state) {
    if (std::system(command.c_str()) != 0) {
      state.SkipWithError("python3 failed");
      break;
    }
    std::ifstream in(out);
    double bytes = 0, parse = 0, parseAndDecode = 0;
    in >> bytes >> parse >> parseAndDecode;
    double seconds = decode ? parseAndDecode : parse;
    state.SetIterationTime(seconds);
    Keep(decode ? g_pythonParseAndDecode : g_pythonParse, seconds);
  }
  platform::FileDelete(out);
  state.SetBytesProcessed(state.iterations() * corpus.stream.Size());
}

void PythonEmailParse(benchmark::State& state) { PythonEmail(state, false); }
void PythonEmailParseAndDecode(benchmark::State& state) { PythonEmail(state, true); }

BENCHMARK(ParseAll)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(ParseAndDecodeAll)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(PythonEmailParse)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(1);
BENCHMARK(PythonEmailParseAndDecode)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(1);

void PrintSummary() {
  const double mb = static_cast<double>(Corpus().stream.Size()) / 1e6;
  auto rate = [&](double seconds) { return seconds > 0 ? mb / seconds : 0.0; };
  std::printf("\ncorpus: %zu messages, %.1f MB\n", Corpus().messages.size(), mb);
  std::printf("parse (Decode)            %8.1f MB/s   Python email %7.1f MB/s   ratio %6.1fx\n", rate(g_parse),
              rate(g_pythonParse), g_parse > 0 ? g_pythonParse / g_parse : 0.0);
  std::printf("parse + decode everything %8.1f MB/s   Python email %7.1f MB/s   ratio %6.1fx\n",
              rate(g_parseAndDecode), rate(g_pythonParseAndDecode),
              g_parseAndDecode > 0 ? g_pythonParseAndDecode / g_parseAndDecode : 0.0);
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  PrintSummary();
  return 0;
}
