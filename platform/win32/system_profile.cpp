#include "platform/system_profile.h"

#include <windows.h>

#include <vector>

namespace platform {

namespace {
constexpr DWORD k_valueBufferSize = 4096;
}

std::string SystemProfileRead(const std::string& path, const std::string& section, const std::string& key,
                              const std::string& defaultValue) {
  std::vector<char> buffer(k_valueBufferSize);
  DWORD n = GetPrivateProfileStringA(section.c_str(), key.c_str(), defaultValue.c_str(), buffer.data(),
                                     k_valueBufferSize, path.c_str());
  return std::string(buffer.data(), n);
}

bool SystemProfileWrite(const std::string& path, const std::string& section, const std::string& key,
                        const std::string& value) {
  return WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), path.c_str()) != 0;
}

}  // namespace platform
