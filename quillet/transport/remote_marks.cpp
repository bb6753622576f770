#include "quillet/transport/remote_marks.h"

void TRemoteMarks::Set(const std::string& id, TRemoteMark mark) {
  if (mark == TRemoteMark::None)
    marks_.erase(id);
  else
    marks_[id] = mark;
}

TRemoteMark TRemoteMarks::Find(const std::string& id) const {
  auto at = marks_.find(id);
  return at == marks_.end() ? TRemoteMark::None : at->second;
}
