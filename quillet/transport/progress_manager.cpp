#include "quillet/transport/progress_manager.h"

#include "quillet/common/exceptions.h"
#include "quillet/common/gbk.h"
#include "quillet/common/text_format.h"
#include "quillet/transport/transport_texts.h"

void TProgressManager::Begin(TProgressDirection direction) {
  if (running_ != TRunning::Idle) throw Exception(k_textProgressRunning);
  if (direction == TProgressDirection::Receive) {
    receivedLog_.clear();
    running_ = TRunning::Receiving;
    Notify(TNetworkActivity::ReceiveStarts);
  } else {
    running_ = TRunning::Sending;
    Notify(TNetworkActivity::SendStarts);
  }
}

void TProgressManager::End() {
  if (running_ == TRunning::Idle) return;
  const bool receiving = running_ == TRunning::Receiving;
  running_ = TRunning::Idle;
  Notify(receiving ? TNetworkActivity::ReceiveEnds : TNetworkActivity::SendEnds);
}

void TProgressManager::AddReceivedLog(const std::string& mailboxName) {
  if (running_ != TRunning::Receiving) throw Exception(k_textAddReceivedLogError);
  for (TReceivedLog& entry : receivedLog_) {
    if (gbk::EqualNoCase(entry.MailboxName, mailboxName)) {
      ++entry.Count;
      return;
    }
  }
  receivedLog_.push_back(TReceivedLog{mailboxName, 1});
}

void TProgressManager::Notify(TNetworkActivity activity) const {
  if (mainWindow_ != 0)
    platform::SendWindowMessage(mainWindow_, k_networkActivityMessage, static_cast<std::uintptr_t>(activity), 0);
}

std::vector<std::string> ReceiveReport(std::int32_t count, const TReceivedLogList& log) {
  if (count <= 0) return {k_textNoNewMail};
  std::vector<std::string> lines{FormatText(k_textReceivedCount, {std::to_string(count)})};
  for (const TReceivedLog& entry : log)
    lines.push_back(FormatText(k_textSavedTo, {std::to_string(entry.Count), entry.MailboxName}));
  return lines;
}
