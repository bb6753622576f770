// The main window's toolbar: its eleven buttons, left to right, each running a command
// item of the main window, captioned frame_texts::k_toolbarCaptions[i] and drawn with
// glyph i of the bitmap strip; and the drop-down menu PM_recv of TBtn_Check.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "quillet/transport/connections.h"

struct TToolButton {
  const char* name;  // TBtn_...
  const char* item;  // the command it runs, and whose state it shows
  bool dropDown;     // has an arrow that opens PM_recv
  bool groupEnds;    // a separator follows
};

inline constexpr std::array<TToolButton, 11> k_toolButtons = {{
    {"TBtn_sendget", "M_file_SendGet", false, false},
    {"TBtn_send", "M_file_SendQueue", false, false},
    {"TBtn_Check", "M_file_getnewmail", true, true},
    {"TBtn_new", "M_msg_new", false, false},
    {"TBtn_reply", "M_msg_reply", false, false},
    {"TBtn_forward", "M_msg_forward", false, true},
    {"TBtn_transfer", "M_msg_transfer", false, false},
    {"TBtn_delete", "M_msg_delete", false, true},
    {"TBtn_previous", "TBtn_previous", false, false},
    {"TBtn_next", "TBtn_next", false, true},
    {"TBtn_addressbook", "M_tools_addressbook", false, false},
}};

// An entry of PM_recv: its caption and the command item it runs.
struct TReceiveMenuEntry {
  std::string caption;
  std::string item;
};

// k_receiveAllAccounts (the receive command), then each further account i (from 1) by
// its name, or its server when it has none, running the item "PM_recv<i>": whoever
// receives one account alone adds those items; until then they stay greyed.
std::vector<TReceiveMenuEntry> ReceiveMenuEntries(const std::vector<TOneConnection>& accounts);
