// Texts of the conversions.
#pragma once

namespace glyphora {

// Put before copied text unless the preferences hold another notice.
constexpr char k_defaultNotice[] = "Please view in a fixed-width font such as Courier.";

}  // namespace glyphora
