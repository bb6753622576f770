// The wire form of a message's text inside DATA, made piece by piece: every line end is
// CR LF (a bare CR and a bare LF each become one), and a line that begins with "." gets
// one more "." in front, except a line that is exactly ".." (the composer already doubled
// a lone "."). So no stored line can end the data early, whatever its line ends.
// EndData closes the data with the "." line; the line end before it ends the text's last
// line, so a text that ends with a line end gets none more.
#pragma once

#include <cstddef>
#include <string>

class TDataEncoder {
 public:
  // Appends the wire form of the next bytes of the text. A line's leading dots are held
  // back until its third byte or its end shows whether the line is exactly "..".
  void Encode(const char* data, std::size_t size, std::string& out);
  // The text ended: appends the dots still held back.
  void Finish(std::string& out);
  // Finish, then the end-of-data line: "." CR LF when the wire bytes so far end with a line
  // end, CR LF "." CR LF otherwise (nothing encoded yet included).
  void EndData(std::string& out);

 private:
  enum class TLineState { Start, Middle, OneDot, TwoDots };

  void LineEnd(char c, std::string& out);

  TLineState state_ = TLineState::Start;
  bool skipLf_ = false;  // a CR was just sent as CR LF: its LF is already out
  bool lineEnded_ = false;  // a line end was sent: in state Start the wire ends with CR LF
};
