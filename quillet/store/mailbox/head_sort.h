// The message list's sort and unread count over heads.
#pragma once

#include <vector>

#include "quillet/store/mailbox/mail_head.h"

// The sort columns of the message list.
// The numbers are the column numbers callers pass (the list's columns, the command line).
enum class THeadColumn : int {
  None = 0,
  Date = 1,           // dates, a year of 1900 or later taken modulo 1900 (so 99 and 1999 order together)
  Priority = 2,
  Size = 3,
  Correspondent = 4,  // case-insensitive (ASCII letters); double-byte characters by their bytes
  Subject = 5,
  Label = 6,
  Unread = 7,         // read before unread
};

// Negative, zero or positive as a orders before, with or after b in the column (ascending).
int CompareHeads(const TMailHead& a, const TMailHead& b, int column);
inline int CompareHeads(const TMailHead& a, const TMailHead& b, THeadColumn column) {
  return CompareHeads(a, b, static_cast<int>(column));
}

// Sorts in place with a quicksort that takes the middle entry ((low + high) / 2) as its
// pivot; descending reverses the comparison. Column 0 (or any unknown column) and an
// empty list leave the order as it is.
void SortHeads(std::vector<TMailHead*>& heads, int column, bool ascending);
void SortHeads(THeadList& heads, int column, bool ascending);

// The number of heads with Unread = 1.
inline void SortHeads(std::vector<TMailHead*>& heads, THeadColumn column, bool ascending) {
  SortHeads(heads, static_cast<int>(column), ascending);
}
inline void SortHeads(THeadList& heads, THeadColumn column, bool ascending) {
  SortHeads(heads, static_cast<int>(column), ascending);
}

int CountUnread(const std::vector<TMailHead*>& heads);
int CountUnread(const THeadList& heads);
