// The passwords the user typed when asked, kept for the running program only.
#pragma once

#include <string>
#include <vector>

struct TOnePassword {
  std::string Server;
  std::string Account;
  std::string Password;
};

class TPasswordList {
 public:
  // The first entry for the server and account (exact, case-sensitive match on both);
  // nullptr when there is none.
  const TOnePassword* Find(const std::string& server, const std::string& account) const;
  // True, with the password, when an entry exists.
  bool Get(const std::string& server, const std::string& account, std::string& password) const;
  // Removes a matching entry, then appends the new one.
  void Set(const std::string& server, const std::string& account, const std::string& password);
  void Remove(const std::string& server, const std::string& account);
  void Clear() { items_.clear(); }
  std::size_t Count() const { return items_.size(); }

 private:
  std::vector<TOnePassword> items_;
};
