// A "mailto:" link given on the command line or handed over by a second copy: the
// addresses and fields of the new message it asks for. The composer window opens with
// them; until it exists the main window keeps them and shows the address.
#pragma once

#include <optional>
#include <string>

struct TMailtoRequest {
  std::string to;  // comma-separated, as the link gives them
  std::string cc;
  std::string bcc;
  std::string subject;
  std::string body;
};

// The text after "mailto:" (any case): the addresses before "?", then "name=value" pairs
// separated by "&" (names any case: to, cc, bcc, subject, body; repeated to, cc and bcc
// are joined with ", "; others are ignored). %XX escapes are decoded to their bytes (a
// bad escape stays as written). Header fields never carry line breaks or other control
// characters: each becomes a space, so a link cannot add header lines; the body keeps
// its line breaks as CR LF. None when the text does not start with "mailto:".
std::optional<TMailtoRequest> ParseMailto(const std::string& url);
