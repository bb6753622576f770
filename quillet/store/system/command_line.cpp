#include "quillet/store/system/command_line.h"

#include "quillet/common/gbk.h"
#include "quillet/common/paths.h"

namespace {

constexpr char k_mailtoPrefix[] = "MAILTO:";
constexpr std::size_t k_mailtoLength = sizeof k_mailtoPrefix - 1;

bool IsSwitch(const std::string& arg) { return !arg.empty() && (arg[0] == '-' || arg[0] == '/'); }

// The prefix is ASCII, so a byte-wise fold cannot meet a trail byte before a mismatch.
bool IsMailto(const std::string& arg) {
  return arg.size() >= k_mailtoLength && gbk::UpperCase(arg.substr(0, k_mailtoLength)) == k_mailtoPrefix;
}

}  // namespace

std::string CommandLineDirectory(const std::vector<std::string>& args) {
  for (const std::string& arg : args)
    if (!arg.empty() && !IsSwitch(arg) && !IsMailto(arg)) return arg;
  return std::string();
}

std::string CommandLineMailAddress(const std::vector<std::string>& args) {
  for (const std::string& arg : args)
    if (IsMailto(arg)) return arg.substr(k_mailtoLength);
  return std::string();
}

std::optional<std::string> CommandLineZSwitch(const std::vector<std::string>& args) {
  std::optional<std::string> value;
  for (const std::string& arg : args)
    if (IsSwitch(arg) && arg.size() >= 2 && gbk::AsciiUpper(arg[1]) == 'Z') value = arg.substr(2);
  return value;
}

std::string IniFilePath(const std::string& directoryArgument, const std::string& executablePath) {
  const std::string folder =
      directoryArgument.empty() ? paths::FolderPart(executablePath) : paths::WithTrailingSeparator(directoryArgument);
  return folder + paths::WithoutExtension(paths::FileNamePart(executablePath)) + ".INI";
}
