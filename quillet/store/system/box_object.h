// TBoxObject: one mailbox of the current user, its display name, kind and base path, and
// the TMailBox over that path, made when first asked for and freed with the entry.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "quillet/store/mailbox/mail_box.h"

// What a mailbox is to the system. The numbers are what `quillet-cli boxes` prints.
enum class TBoxKind : std::uint8_t {
  User = 0,
  Outbox = 1,
  Inbox = 2,
  Sentbox = 3,
  Trashbox = 4,
};

class TBoxObject {
 public:
  TBoxObject(TBoxKind kind, std::string name, std::string basePath)
      : kind_(kind), name_(std::move(name)), basePath_(std::move(basePath)) {}

  // Opens (creating when absent) the pair on first use; the same object afterwards.
  TMailBox& Box();
  // Frees the TMailBox (no file is held open between calls either way).
  void ReleaseBox() { box_.reset(); }

  TBoxKind Kind() const { return kind_; }
  bool IsStandard() const { return kind_ != TBoxKind::User; }
  const std::string& Name() const { return name_; }
  void SetName(std::string name) { name_ = std::move(name); }
  const std::string& BasePath() const { return basePath_; }

 private:
  std::unique_ptr<TMailBox> box_;
  TBoxKind kind_;
  std::string name_;
  std::string basePath_;
};
