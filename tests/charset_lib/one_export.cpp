// A conversion library that exports GBToBig5 only, for the loader's "incorrect function"
// path. It leaves the text as it is.
#include <cstdint>

#include "mchset/mchset.h"

extern "C" std::int32_t MCHSET_CALL GBToBig5(char*) { return 0; }
