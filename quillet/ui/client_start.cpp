#include "quillet/ui/client_start.h"

#include "platform/console.h"
#include "platform/version.h"
#include "platform/win32/ui/window_state.h"
#include "platform/win32/wide.h"
#include "quillet/addressbook/book_service.h"
#include "quillet/frame/instance_handoff.h"
#include "quillet/store/system/command_line.h"
#include "quillet/store/system/startup_check.h"
#include "quillet/store/system/startup_texts.h"
#include "quillet/ui/list_selection.h"
#include "quillet/ui/mailer_dialog.h"

namespace quillet::ui {
namespace {

namespace kit = platform::win32::ui;

HWND FindWindowGbk(const char* className, const char* title) {
  const std::wstring wideClass = platform::win32::WideFromGbk(className);
  const std::wstring wideTitle = title != nullptr ? platform::win32::WideFromGbk(title) : std::wstring();
  return FindWindowW(wideClass.c_str(), title != nullptr ? wideTitle.c_str() : nullptr);
}

// The hidden window a second copy looks for.
HWND CreateInstanceWindow() {
  const std::wstring className = platform::win32::WideFromGbk(k_instanceClass);
  if (!kit::RegisterWindowClass({className.c_str(), DefWindowProcW})) return nullptr;
  kit::WindowParams params{className.c_str(), platform::win32::WideFromGbk(k_instanceTitle)};
  params.style = WS_POPUP;
  return kit::CreateStateWindow(params, nullptr);
}

}  // namespace

TClientApp::TClientApp(TShowBox showBox) : prompts(k_textStartupBoxTitle, std::move(showBox)) {}

TClientApp::~TClientApp() {
  if (frame.hwnd != nullptr && IsWindow(frame.hwnd)) DestroyWindow(frame.hwnd);
  if (instanceWindow != nullptr) DestroyWindow(instanceWindow);
}

bool HandOffToRunningCopy(const std::vector<std::string>& args) {
  HWND running = FindWindowGbk(k_instanceClass, k_instanceTitle);
  if (running == nullptr) return false;
  HWND mainWindow = FindWindowGbk(k_mainWindowClass, nullptr);
  HWND front = mainWindow != nullptr ? mainWindow : running;
  if (IsIconic(front)) ShowWindow(front, SW_RESTORE);
  SetForegroundWindow(front);
  if (mainWindow == nullptr) return true;
  const TInstanceHandOff handOff = HandOffOf(args);
  if (handOff.copyData) {
    // The payload carries its terminating NUL, as the running copy reads up to it.
    COPYDATASTRUCT data{0, static_cast<DWORD>(handOff.copyData->size() + 1),
                        const_cast<char*>(handOff.copyData->c_str())};
    SendMessageW(mainWindow, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data));
  }
  if (handOff.flagsMessage) SendMessageW(mainWindow, k_secondInstanceMessage, *handOff.flagsMessage, 0);
  return true;
}

int ClientStart(TClientApp* app, const std::vector<std::string>& args, const std::string& executablePath, int show) {
  const std::string directory = CommandLineDirectory(args);
  const TStartupPlace place{IniFilePath(directory, executablePath), directory, executablePath,
                            platform::ExecutableFolder()};
  if (!RunStartupCheck(place, app->prompts)) return k_exitStartupCheck;
  OfferDefaultMailer(place.iniPath, executablePath, app->prompts);
  app->manager = std::make_unique<TSystemManager>(
      place.iniPath, TSystemContext{platform::ProgramVersionText(), app->prompts, app->events});
  app->addressService = std::make_unique<TBookAddressService>(app->manager->AddressBookPath());
  app->manager->SetAddressService(app->addressService.get());
  app->instanceWindow = CreateInstanceWindow();
  if (CreateMainFrame(&app->frame, show) == nullptr) return k_exitStartupCheck;
  app->prompts.SetOwner(app->frame.hwnd);
  app->treeWindow = std::make_unique<TTreeWindow>(*app->manager, app->frame, app->prompts);
  if (CreateTreeWindow(app->treeWindow.get()) == nullptr) return k_exitStartupCheck;
  app->frame.mailboxesChanged = [window = app->treeWindow.get()](bool cipher) {
    if (cipher) ShowChanges(window);  // the list may now be readable, or not
    else RefreshTreeCounts(window);
  };
  AddTransferCommands(app);
  AddMailCommands(app);
  AddViewerCommands(app);
  AddSetupCommands(app);
  RefreshCommandStates(&app->frame);
  const std::string mailto = CommandLineMailAddress(args);
  if (!mailto.empty()) TakeMailtoArgument(&app->frame, "mailto:" + mailto);
  return 0;
}

}  // namespace quillet::ui
