#include "quillet/cli/client_session.h"

#include "platform/console.h"
#include "platform/version.h"
#include "quillet/addressbook/book_service.h"
#include "quillet/cli/home_folder.h"
#include "quillet/store/system/startup_check.h"

TClientSession::TClientSession(const TCliContext& ctx, TUserPrompts& prompts) {
  const TStartupPlace place{ClientIniPath(ctx.home), ctx.home, platform::ExecutablePath(),
                            platform::ExecutableFolder()};
  if (!RunStartupCheck(place, prompts)) throw EStartupFailed();
  manager_ = std::make_unique<TSystemManager>(place.iniPath,
                                              TSystemContext{platform::ProgramVersionText(), prompts, events_});
  addressService_ = std::make_unique<TBookAddressService>(manager_->AddressBookPath());
  manager_->SetAddressService(addressService_.get());
}
