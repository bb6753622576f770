#include <algorithm>
#include <cmath>
#include <limits>

#include "quillet/message/codec/codec_output.h"
#include "quillet/message/codec/codecs.h"

namespace {
constexpr int k_progressStep = 5;
}

void TCodecJob::Run(void* sender, const char* misuseText, TCodecMode requiredMode,
                    const std::function<void()>& body) {
  auto finish = [this, sender] {
    percent_ = 100;
    if (OnProgress) OnProgress(sender, 100);
    if (OnEnd) OnEnd(sender);
  };
  try {
    if (misuseText && mode_ != requiredMode) throw Exception(misuseText);
    percent_ = 0;
    if (OnStart) OnStart(sender);
    body();
  } catch (...) {
    finish();
    throw;
  }
  finish();
}

void TCodecJob::StartProgress(std::int64_t total) {
  total_ = std::max<std::int64_t>(total, 0);
  percent_ = 0;
  reported_ = -1;
  nextCheck_ = 0;
}

void TCodecJob::FlushAndReport(void* sender, std::int64_t done, TCodecOutput& out) {
  out.Flush();
  if (total_ <= 0) {
    percent_ = 100;
  } else {
    double exact = static_cast<double>(std::max<std::int64_t>(done, 0)) * 100.0 / static_cast<double>(total_);
    percent_ = static_cast<int>(std::min(100.0, std::floor(exact + 0.5)));
  }
  if (percent_ % k_progressStep == 0 && percent_ != reported_) {
    reported_ = percent_;
    if (OnProgress) OnProgress(sender, percent_);
  }
  // The next check is where the rounded percent reaches the next multiple of the step.
  int next = (percent_ / k_progressStep + 1) * k_progressStep;
  if (next > 100 || total_ <= 0) {
    nextCheck_ = std::numeric_limits<std::int64_t>::max();
  } else {
    nextCheck_ = static_cast<std::int64_t>(std::ceil((next - 0.5) * static_cast<double>(total_) / 100.0));
  }
}
