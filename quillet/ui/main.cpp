// quillet.exe: the mail client. The composition root: the running-copy check, the start,
// and the message loop.
#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "platform/console.h"
#include "platform/win32/wide.h"
#include "quillet/common/exceptions.h"
#include "quillet/frame/instance_handoff.h"
#include "quillet/ui/client_start.h"

namespace {

// The command line as GBK texts, without the program name.
std::vector<std::string> Arguments() {
  std::vector<std::string> args;
  int count = 0;
  LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
  if (arguments == nullptr) return args;
  for (int i = 1; i < count; ++i) args.push_back(platform::win32::GbkFromWide(arguments[i]));
  LocalFree(arguments);
  return args;
}

int RunLoop(const quillet::ui::TClientApp& app) {
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (TranslateMDISysAccel(app.frame.mdiClient, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return static_cast<int>(message.wParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int show) {
  const std::vector<std::string> args = Arguments();
  if (quillet::ui::HandOffToRunningCopy(args)) return k_exitOtherInstance;
  quillet::ui::TClientApp app;
  try {
    const int failed = quillet::ui::ClientStart(&app, args, platform::ExecutablePath(), show);
    if (failed != 0) return failed;
  } catch (const Exception& error) {
    app.prompts.ShowMessage(error.what());
    return k_exitStartupCheck;
  }
  return RunLoop(app);
}
