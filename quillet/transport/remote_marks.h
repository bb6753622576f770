// The marks the remote mailbox manager puts on server messages, by unique identifier; the
// POP3 client carries them out in its marks mode.
#pragma once

#include <cstdint>
#include <map>
#include <string>

enum class TRemoteMark : std::uint8_t {
  None = 0,            // leave the message alone
  Fetch = 1,           // fetch it and keep it on the server
  FetchAndDelete = 2,  // fetch it, then delete it on the server
  Delete = 3,          // delete it on the server without fetching it
};

class TRemoteMarks {
 public:
  // Replaces the identifier's mark; None removes it.
  void Set(const std::string& id, TRemoteMark mark);
  // None for an identifier without a mark.
  TRemoteMark Find(const std::string& id) const;
  std::size_t Count() const { return marks_.size(); }

 private:
  std::map<std::string, TRemoteMark> marks_;
};
