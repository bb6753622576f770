#include "quillet/frame/tool_buttons.h"

#include "quillet/frame/frame_texts.h"

std::vector<TReceiveMenuEntry> ReceiveMenuEntries(const std::vector<TOneConnection>& accounts) {
  std::vector<TReceiveMenuEntry> entries{{frame_texts::k_receiveAllAccounts, "M_file_getnewmail"}};
  for (std::size_t i = 0; i < accounts.size(); ++i) {
    const TOneConnection& account = accounts[i];
    entries.push_back({account.Name.empty() ? account.POP3Server : account.Name, "PM_recv" + std::to_string(i + 1)});
  }
  return entries;
}
