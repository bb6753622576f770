// Metafiles are a Windows drawing format with no renderer on this side: they are refused
// plainly rather than drawn approximately.
#include "platform/raster.h"
#include "platform/system_error.h"

namespace platform {

int MetafileDrawGray(const Metafile&, int, int, GrayBitmap*) { return k_ERROR_NOT_SUPPORTED; }

}  // namespace platform
