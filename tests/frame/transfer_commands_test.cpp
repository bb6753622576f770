// The main window's receive and send decisions, network activity and the receive report.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "quillet/frame/frame_texts.h"
#include "quillet/frame/transfer_commands.h"

namespace {

using TRunning = TProgressManager::TRunning;
using A = TTransferAction;

struct ReceiveCase {
  TReceiveState state;
  A action;
  std::string text;
};

TEST(TransferCommands, ReceiveRefusals) {
  const std::vector<ReceiveCase> cases = {
      {{TRunning::Sending, true, "pop", "me"}, A::Beep, ""},
      {{TRunning::Receiving, true, "pop", "me"}, A::Beep, ""},
      {{TRunning::Idle, false, "pop", "me"}, A::Nothing, ""},
      {{TRunning::Idle, true, "", "me"}, A::ShowText, "请先设置服务器信息"},
      {{TRunning::Idle, true, "pop", ""}, A::ShowText, "请先设置服务器信息"},
      {{TRunning::Idle, true, "pop", "me"}, A::Receive, ""},
  };
  for (const ReceiveCase& c : cases) {
    const TTransferDecision decision = DecideReceive(c.state);
    EXPECT_EQ(decision.action, c.action) << c.state.server << "/" << c.state.userName;
    EXPECT_EQ(decision.text, c.text);
  }
}

struct SendCase {
  TTransferDecision decision;
  A action;
  std::string text;
};

TEST(TransferCommands, SendSendAndReceiveAndSendNow) {
  const std::vector<SendCase> cases = {
      {DecideSend(TRunning::Receiving, false, 3), A::Nothing, ""},
      {DecideSend(TRunning::Idle, true, 0), A::SendAndReceive, ""},
      {DecideSend(TRunning::Idle, false, 0), A::ShowText, "发件箱中没有候发邮件!"},
      {DecideSend(TRunning::Idle, false, 2), A::Send, ""},
      {DecideSendAndReceive(TRunning::Sending), A::Nothing, ""},
      {DecideSendAndReceive(TRunning::Idle), A::SendAndReceive, ""},
      {DecideSendNow(TRunning::Receiving), A::ShowText, "正在发送或接收邮件，请稍后再发送一遍。"},
      {DecideSendNow(TRunning::Idle), A::Send, ""},
  };
  for (std::size_t i = 0; i < cases.size(); ++i) {
    EXPECT_EQ(cases[i].decision.action, cases[i].action) << i;
    EXPECT_EQ(cases[i].decision.text, cases[i].text) << i;
  }
}

TEST(TransferCommands, NetworkActivityTogglesCommandsAndProgressBar) {
  const TNetworkControls idle{true, false};
  const TNetworkControls busy{false, true};
  const std::vector<std::pair<std::uint32_t, TNetworkControls>> cases = {
      {1, busy}, {2, busy}, {3, idle}, {4, idle}};
  for (const auto& [parameter, expected] : cases) {
    const TNetworkControls from = expected.commandsEnabled ? busy : idle;
    const TNetworkControls got = NetworkActivityControls(parameter, from);
    EXPECT_EQ(got.commandsEnabled, expected.commandsEnabled) << parameter;
    EXPECT_EQ(got.progressBarVisible, expected.progressBarVisible) << parameter;
  }
  EXPECT_FALSE(NetworkActivityControls(9, busy).commandsEnabled);  // unknown: unchanged
  EXPECT_EQ(std::vector<std::string>(k_networkCommandItems.begin(), k_networkCommandItems.end()),
            (std::vector<std::string>{"TBtn_send", "TBtn_Check", "M_file_getnewmail", "M_file_SendQueue",
                                      "M_file_SendGet"}));
}

TEST(TransferCommands, ReceiveReportIsOneTextOfLines) {
  EXPECT_EQ(ReceiveReportText(0, {}), "对不起，没有新邮件");
  EXPECT_EQ(ReceiveReportText(3, {{"收件箱", 2}, {"工作", 1}}),
            "收到 3 封新邮件\r\n2 封邮件保存到：收件箱\r\n1 封邮件保存到：工作");
}

}  // namespace
