// The system's own profile-file calls (GetPrivateProfileStringA and
// WritePrivateProfileStringA), for tests that check our ini reader and writer against
// them. Windows only; the shipped programs do not use them.
#pragma once

#ifdef _WIN32

#include <string>

namespace platform {

std::string SystemProfileRead(const std::string& path, const std::string& section, const std::string& key,
                              const std::string& defaultValue);
bool SystemProfileWrite(const std::string& path, const std::string& section, const std::string& key,
                        const std::string& value);

}  // namespace platform

#endif
