#include "quillet/frame/instance_handoff.h"

TInstanceHandOff HandOffOf(const std::vector<std::string>& args) {
  TInstanceHandOff handOff;
  if (!args.empty() && args[0].size() < k_maxHandOffArgument) handOff.copyData = args[0];
  if (args.size() >= 2) {
    const std::string& second = args[1];
    handOff.flagsMessage = (second.find('-') != std::string::npos ? k_handOffMinus : 0) |
                           (second.find('+') != std::string::npos ? k_handOffPlus : 0);
  }
  return handOff;
}

std::optional<std::string> HandOffArgument(const std::string& payload) {
  std::string argument = payload.substr(0, payload.find('\0'));
  if (argument.empty() || argument.size() >= k_maxHandOffArgument) return std::nullopt;
  return argument;
}
