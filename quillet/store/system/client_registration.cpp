#include "quillet/store/system/client_registration.h"

#include "platform/registry.h"
#include "quillet/store/system/default_mailer.h"
#include "quillet/store/system/startup_texts.h"

namespace {

using platform::RegistryRoot;

constexpr char k_programKey[] = "Software\\Halvard\\Quillet";
constexpr char k_mailtoKey[] = "mailto";
constexpr char k_clientKey[] = "Software\\Clients\\Mail\\Quillet";
constexpr char k_openCommandKey[] = "\\shell\\open\\command";
constexpr char k_protocolKey[] = "\\Protocols\\mailto";
constexpr std::uint32_t k_mailtoEditFlags = 2;

// The default value, or "" when the key or the value is missing.
std::string DefaultValue(RegistryRoot root, const std::string& key) {
  std::string value;
  platform::RegistryReadString(root, key, "", value);
  return value;
}

}  // namespace

bool RecordProgram(const std::string& executablePath) {
  bool written = platform::RegistryWriteString(RegistryRoot::LocalMachine, k_programKey, "Executable", executablePath);
  written = platform::RegistryWriteString(RegistryRoot::LocalMachine, k_programKey, "Description",
                                          k_textClientDescription) && written;
  if (DefaultValue(RegistryRoot::ClassesRoot, k_mailtoCommandKey).empty())
    written = MakeDefaultMailProgram(executablePath) && written;
  if (platform::RegistryKeyExists(RegistryRoot::ClassesRoot, k_mailtoKey) &&
      DefaultValue(RegistryRoot::ClassesRoot, k_mailtoKey).empty())
    written = platform::RegistryWriteString(RegistryRoot::ClassesRoot, k_mailtoKey, "", k_textMailtoProtocol) &&
              written;
  return written;
}

bool RegisterMailClient(const std::string& executablePath) {
  const RegistryRoot root = RegistryRoot::LocalMachine;
  if (!DefaultValue(root, k_clientKey).empty()) return true;
  const std::string client = k_clientKey;
  const std::string protocol = client + k_protocolKey;
  return platform::RegistryWriteString(root, protocol, "", k_textMailtoProtocol) &&
         platform::RegistryWriteInteger(root, protocol, "EditFlags", k_mailtoEditFlags) &&
         platform::RegistryWriteString(root, protocol, "URL Protocol", "") &&
         platform::RegistryWriteString(root, protocol + "\\DefaultIcon", "", executablePath) &&
         platform::RegistryWriteString(root, protocol + k_openCommandKey, "", MailOpenCommand(executablePath)) &&
         platform::RegistryWriteString(root, client + k_openCommandKey, "", QuotedPath(executablePath)) &&
         platform::RegistryWriteString(root, client, "", k_textClientName);
}
