// Shared pieces of the system manager tests: an initialised home folder written by hand,
// and a front end that records what the manager tells it.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "quillet/store/system/system_manager.h"
#include "tests/store/mailbox/store_test_support.h"

namespace system_test {

class TRecordingEvents : public TSystemEvents {
 public:
  void MailboxCountersChanged(TIdxFile& pair) override { counters.push_back(pair.BasePath()); }
  void MailboxCipherChanged(TBoxObject& box) override { ciphers.push_back(box.Name()); }
  void StatusText(const std::string& text) override { log.push_back("status " + text); }
  void BusyCursor(bool busy) override { log.push_back(busy ? "busy" : "idle"); }
  void MessagesChanged(TBoxObject& box, const std::vector<std::int32_t>& ids) override {
    std::string line = "changed " + box.Name();
    for (std::int32_t id : ids) line += " " + std::to_string(id);
    log.push_back(line);
  }

  std::vector<std::string> counters;  // base paths
  std::vector<std::string> ciphers;
  std::vector<std::string> log;  // status, cursor and changed ids, in order
};

// A scratch folder holding quillet.INI ([System] mailroot = <folder>mail, Initialized=1,
// then `extraIni`) and the mail root.
class SystemTest : public store_test::ScratchTest {
 protected:
  void SetUp() override;
  std::string IniPath() const { return Folder() + "quillet.INI"; }
  std::string MailRoot() const { return Folder() + "mail" + platform::PathSeparator(); }
  void WriteIni(const std::string& extraIni);
  // A manager over the ini file, with `prompts` answering and `events` recording.
  std::unique_ptr<TSystemManager> Open();

  store_test::RecordingPrompts prompts;
  TRecordingEvents events;
};

// store_test::MessageText(subject) written to the path; returns the path.
std::string WriteMessageFile(const std::string& path, const std::string& subject);

}  // namespace system_test
