// The mailboxes of the current user: the four standard ones, then the user's own.
//
// The standard mailboxes are the pairs mail root + the [System] names "inbox", "outbox",
// "sentbox" and "trashbox"; their pairs are created with the set when absent. They can
// be neither renamed nor deleted.
//
// The user's mailboxes are listed in the mail root's "ubi.inf", section "UserBox":
//   Count=N
//   Name1="display name"   (quoted, so that blanks and quotes at its ends survive)
//   File1=file name        (the pair's base path without the mail root; a plain name)
// in the order they were created. The whole file is replaced in one step on every change,
// so it always lists exactly the mailboxes the set holds. An entry without a name or with
// a file that is not a plain name (see box_file_name.h), or repeating an earlier name, is
// left out (its files stay on the disk).
//
// Display names compare without regard to ASCII case when a new one is checked, and
// exactly when looked up (as the assistant's rule targets are).
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "quillet/common/user_prompts.h"
#include "quillet/store/system/box_object.h"

// The [System] file names of the standard mailboxes.
struct TStandardBoxNames {
  std::string inbox = "in";
  std::string outbox = "out";
  std::string sentbox = "sent";
  std::string trashbox = "trash";
};

class TMailboxSet {
 public:
  using TEntries = std::vector<std::unique_ptr<TBoxObject>>;

  // mailRoot is an existing folder. EFileException when a standard pair cannot be made.
  TMailboxSet(const std::string& mailRoot, const TStandardBoxNames& names);

  const std::string& MailRoot() const { return mailRoot_; }  // with a trailing separator
  std::string UserListPath() const;
  const TEntries& Entries() const { return entries_; }
  TBoxObject& Standard(TBoxKind kind) const;

  // nullptr when there is none.
  TBoxObject* FindByName(const std::string& name) const;
  // The base path as the set holds it, or relative to the mail root.
  TBoxObject* FindByBasePath(const std::string& basePath) const;
  // A display name, else "in", "out", "sent" or "trash", else a base path; ESystemError
  // k_textNoSuchBox + the text when none fits.
  TBoxObject& Get(const std::string& nameAliasOrPath) const;

  // A new user mailbox, its pair created and the list written. The name is trimmed of
  // blanks; ESystemError k_textBoxNameInvalid or k_textBoxNameExists refuses it.
  TBoxObject& Create(const std::string& name);
  // Gives a user mailbox a new display name (its files stay). ESystemError
  // k_textBoxProtected for a standard mailbox, else as Create.
  void Rename(TBoxObject& box, const std::string& newName);
  // Deletes a user mailbox: one that holds messages is deleted only when the user answers
  // Yes to k_textAskDeleteBox (the default keeps it). The list is written first, then
  // the pair's files are removed; false when the user kept it. ESystemError
  // k_textBoxProtected for a standard mailbox.
  bool Delete(TBoxObject& box, TUserPrompts& prompts);

 private:
  void LoadUserList();
  // Replaces ubi.inf in one step; EFileException when it cannot (the file is unchanged).
  void SaveUserList() const;
  std::string CheckedName(const std::string& name, const TBoxObject* renamed) const;
  bool FileNameTaken(const std::string& fileName) const;
  std::string FileNameOf(const TBoxObject& box) const;

  std::string mailRoot_;
  TEntries entries_;
};
