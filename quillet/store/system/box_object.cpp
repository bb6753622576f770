#include "quillet/store/system/box_object.h"

TMailBox& TBoxObject::Box() {
  if (!box_) box_ = std::make_unique<TMailBox>(basePath_);
  return *box_;
}
