// The per-command state of a POP3 session and the message being received.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "quillet/common/stream.h"
#include "quillet/transport/pop3_data_decoder.h"

// The reply a POP3 session awaits.
enum class TPop3Step : std::uint8_t {
  Greeting = 0,     // the server's greeting (set by Connected)
  User = 1,         // the reply to USER
  Pass = 2,         // the reply to PASS
  Stat = 3,         // the reply to STAT
  Uidl = 4,         // the UIDL listing (or its refusal)
  List = 5,         // the LIST listing
  MessageData = 6,  // the data of RETR or TOP
  Dele = 7,         // the reply to DELE
  Quit = 8,         // the reply to QUIT
  Capa = 9,         // the CAPA listing (or its refusal), before STLS
  Stls = 10,        // the reply to STLS; the handshake follows a positive one
};

class TPOP3Session {
 public:
  TPOP3Session() = default;
  ~TPOP3Session() { Reset(); }
  TPOP3Session(const TPOP3Session&) = delete;
  TPOP3Session& operator=(const TPOP3Session&) = delete;

  // Drops the message being received: frees Stream, deletes TempFile, and readies the
  // decoder for the next data reply.
  void Reset();
  // Gives the next message a memory stream, or (inFile) a new temporary file named "pop..."
  // in the system's temporary folder. Throws EFileException kind create when the file
  // cannot be made.
  void OpenStream(bool inFile);

  TPop3Step Step = TPop3Step::Greeting;
  std::int32_t Last = 0;     // the highest message number to visit (from STAT)
  std::int32_t Current = 0;  // the message being handled
  std::string CurrentId;
  std::unique_ptr<TStream> Stream;
  std::string TempFile;  // empty while Stream is in memory
  std::int32_t CurrentSize = 0;
  bool FromShown = false;
  TPop3DataDecoder Data;
  // The message's first bytes, kept until its header is complete, for the progress text.
  std::string HeaderText;
};
