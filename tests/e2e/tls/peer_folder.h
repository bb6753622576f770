// The folder the TLS line server's fixture fills (QUILLET_TLS_PEER).
#pragma once

#include <fstream>
#include <sstream>
#include <string>

namespace tls_e2e {

// A small file of the folder without its line end (the port, the fingerprint).
inline std::string ReadText(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::stringstream text;
  text << file.rdbuf();
  std::string value = text.str();
  while (!value.empty() && (value.back() == '\n' || value.back() == '\r')) value.pop_back();
  return value;
}

}  // namespace tls_e2e
