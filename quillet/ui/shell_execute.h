// The shell's "open" of a file or an address, in a normal window.
#pragma once

#include <string>

#include "quillet/viewer/shell_open.h"

namespace quillet::ui {

class TShellExecute : public TShellOpen {
 public:
  int Open(const std::string& path) override;
};

}  // namespace quillet::ui
