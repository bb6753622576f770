// A file that an operation is making: removed when the owner goes out of scope without
// Keep(), so a failure part of the way leaves nothing behind (store-internal).
#pragma once

#include <string>
#include <utility>

#include "platform/file.h"

class TPartFile {
 public:
  explicit TPartFile(std::string path) : path_(std::move(path)) {}
  ~TPartFile() {
    if (!kept_) platform::FileDelete(path_);  // best effort: a leftover is only a stale copy
  }
  TPartFile(const TPartFile&) = delete;
  TPartFile& operator=(const TPartFile&) = delete;

  const std::string& Path() const { return path_; }
  // The file now has this name (it was renamed).
  void Rename(std::string path) { path_ = std::move(path); }
  void Keep() { kept_ = true; }

 private:
  std::string path_;
  bool kept_ = false;
};
