#include "quillet/store/system/mark_change.h"

namespace {

template <typename Field>
bool SetField(Field& field, Field value) {
  if (field == value) return false;
  field = value;
  return true;
}

}  // namespace

bool ApplyMark(TMailHead& head, const TMarkChange& change) {
  const auto byte = static_cast<std::uint8_t>(change.value);
  switch (change.field) {
    case TMarkField::State: return SetField(head.State, byte);
    case TMarkField::Unread: return SetField(head.Unread, byte);
    case TMarkField::Label: return SetField(head.Label, change.value);
    case TMarkField::Replied: return SetField(head.Replied, change.value != 0);
    case TMarkField::Priority: return SetField(head.Priority, byte);
  }
  return false;
}
