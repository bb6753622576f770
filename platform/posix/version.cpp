#include "platform/version.h"

namespace platform {

std::string ProgramVersionText() { return QUILLET_VERSION; }

}  // namespace platform
