#include "quillet/message/parser/find_at_line_start.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "quillet/message/parser/message_lines.h"

using namespace msgdecode;

namespace {

constexpr size_t k_windowSize = 8192;

enum class TLineEnd { Yes, No, NeedMore };

// After the text: "" or "--", then padding, then the CR that ends the line (or the end of
// the searched bytes). NeedMore when the window ends before that is decided.
TLineEnd IsDelimiterLineEnd(const char* p, const char* end, bool endIsLimit, bool anyEnds) {
  const TLineEnd atEnd = endIsLimit ? TLineEnd::Yes : TLineEnd::NeedMore;
  if (p == end) return atEnd;
  if (*p == '-') {
    if (p + 1 == end) return endIsLimit ? TLineEnd::No : TLineEnd::NeedMore;
    if (p[1] != '-') return TLineEnd::No;
    p += 2;
  }
  while (p != end && (*p == ' ' || *p == '\t')) ++p;
  if (p == end) return atEnd;
  return *p == '\r' || (*p == '\n' && anyEnds) ? TLineEnd::Yes : TLineEnd::No;
}

}  // namespace

bool FindAtLineStart(TStream& stream, const std::string& text, std::int64_t limit, bool exact,
                     bool startIsLineStart, TLineEnds ends) {
  const std::int64_t start = stream.Position();
  const std::int64_t end = start + std::max<std::int64_t>(0, limit);
  const std::string lineBreak = ends == TLineEnds::Any ? "\n" : "\r\n";
  const std::string needle = lineBreak + text;
  // Twice the needle at least, so a window always holds a whole candidate.
  const size_t capacity = std::max(k_windowSize, needle.size() * 2);
  std::vector<char> window(capacity);
  std::int64_t windowStart = start;  // stream position of window[0]
  size_t held = 0;
  if (startIsLineStart) {  // a line break in front of the start, not read from the stream
    window[0] = '\r';
    window[1] = '\n';
    held = 2;
    windowStart = start - 2;
  }
  const size_t none = static_cast<size_t>(-1);

  for (;;) {
    std::int64_t readAt = windowStart + static_cast<std::int64_t>(held);
    std::int64_t want = std::min<std::int64_t>(static_cast<std::int64_t>(capacity - held), end - readAt);
    if (want > 0) {
      ReadExactly(stream, readAt, window.data() + held, static_cast<std::int32_t>(want));
      held += static_cast<size_t>(want);
    }
    const bool reachesLimit = windowStart + static_cast<std::int64_t>(held) == end;

    size_t from = 0;
    size_t keepFrom = none;  // first byte the next window must still hold
    for (;;) {
      const char* cr = static_cast<const char*>(std::memchr(window.data() + from, needle[0], held - from));
      if (!cr) break;
      size_t at = static_cast<size_t>(cr - window.data());
      if (held - at < needle.size()) {  // a candidate cut by the window
        if (!reachesLimit) keepFrom = at;
        break;
      }
      if (std::memcmp(cr, needle.data(), needle.size()) == 0) {
        TLineEnd lineEnd =
            exact ? IsDelimiterLineEnd(cr + needle.size(), window.data() + held, reachesLimit, ends == TLineEnds::Any) : TLineEnd::Yes;
        if (lineEnd == TLineEnd::Yes) {
          stream.SetPosition(windowStart + static_cast<std::int64_t>(at + lineBreak.size()));
          return true;
        }
        if (lineEnd == TLineEnd::NeedMore) {
          keepFrom = at;
          break;
        }
      }
      from = at + 1;
    }
    if (reachesLimit) {
      stream.SetPosition(end);
      return false;
    }
    if (keepFrom == none) keepFrom = held;
    if (keepFrom == 0) keepFrom = held;  // padding longer than a window: no delimiter line
    std::memmove(window.data(), window.data() + keepFrom, held - keepFrom);
    windowStart += static_cast<std::int64_t>(keepFrom);
    held -= keepFrom;
  }
}
