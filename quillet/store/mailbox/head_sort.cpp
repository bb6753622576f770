#include "quillet/store/mailbox/head_sort.h"

#include <algorithm>
#include <cstdint>
#include <utility>

#include "quillet/common/gbk.h"

namespace {
constexpr int k_dateColumn = static_cast<int>(THeadColumn::Date);
constexpr int k_lastColumn = static_cast<int>(THeadColumn::Unread);

// A head with its date key worked out once, since decoding dates in every comparison
// would dominate the sort.
struct TSortEntry {
  TMailHead* head;
  std::int64_t dateKey;
};

// The date with a year of 1900 or later taken modulo 1900, as one ordered number.
std::int64_t DateKey(TDateTime date) {
  TDateParts p = DecodeDateTime(date);
  std::int64_t year = p.year >= 1900 ? p.year % 1900 : p.year;
  std::int64_t key = (year * 13 + p.month) * 32 + p.day;
  key = ((key * 24 + p.hour) * 60 + p.minute) * 60 + p.second;
  return key * 1000 + p.millisecond;
}

int Sign(std::int64_t difference) { return difference < 0 ? -1 : difference > 0 ? 1 : 0; }

// Case-insensitive for ASCII letters; double-byte characters compare by their bytes.
int CompareText(const std::string& a, const std::string& b) { return Sign(gbk::CompareNoCase(a, b)); }

int CompareFields(const TMailHead& a, const TMailHead& b, int column) {
  switch (static_cast<THeadColumn>(column)) {
    case THeadColumn::Priority: return Sign(std::int64_t{a.Priority} - b.Priority);
    case THeadColumn::Size: return Sign(std::int64_t{a.Size} - b.Size);
    case THeadColumn::Correspondent: return CompareText(a.Correspondent, b.Correspondent);
    case THeadColumn::Subject: return CompareText(a.Subject, b.Subject);
    case THeadColumn::Label: return Sign(std::int64_t{a.Label} - b.Label);
    case THeadColumn::Unread: return Sign(std::int64_t{a.Unread} - b.Unread);
    default: return 0;
  }
}

int CompareEntries(const TSortEntry& a, const TSortEntry& b, int column) {
  if (column == k_dateColumn) return Sign(a.dateKey - b.dateKey);
  return CompareFields(*a.head, *b.head, column);
}

bool IsSortColumn(int column) { return column >= k_dateColumn && column <= k_lastColumn; }

// Quicksort over [low, high] with the middle entry as pivot, exchanging entries; the
// smaller side recurses and the larger one loops, so the depth stays logarithmic.
void QuickSort(std::vector<TSortEntry>& v, int low, int high, int column, int direction) {
  while (low < high) {
    TSortEntry pivot = v[static_cast<size_t>(low + (high - low) / 2)];
    int i = low, j = high;
    while (i <= j) {
      while (direction * CompareEntries(v[static_cast<size_t>(i)], pivot, column) < 0) ++i;
      while (direction * CompareEntries(v[static_cast<size_t>(j)], pivot, column) > 0) --j;
      if (i <= j) {
        std::swap(v[static_cast<size_t>(i)], v[static_cast<size_t>(j)]);
        ++i;
        --j;
      }
    }
    if (j - low < high - i) {
      QuickSort(v, low, j, column, direction);
      low = i;
    } else {
      QuickSort(v, i, high, column, direction);
      high = j;
    }
  }
}

std::vector<TSortEntry> SortedEntries(std::vector<TSortEntry> entries, int column, bool ascending) {
  if (column == k_dateColumn)
    for (TSortEntry& e : entries) e.dateKey = DateKey(e.head->Date);
  QuickSort(entries, 0, static_cast<int>(entries.size()) - 1, column, ascending ? 1 : -1);
  return entries;
}
}  // namespace

int CompareHeads(const TMailHead& a, const TMailHead& b, int column) {
  if (column == k_dateColumn) return Sign(DateKey(a.Date) - DateKey(b.Date));
  return CompareFields(a, b, column);
}

void SortHeads(std::vector<TMailHead*>& heads, int column, bool ascending) {
  if (!IsSortColumn(column) || heads.size() < 2) return;
  std::vector<TSortEntry> entries;
  entries.reserve(heads.size());
  for (TMailHead* head : heads) entries.push_back({head, 0});
  entries = SortedEntries(std::move(entries), column, ascending);
  for (size_t i = 0; i < heads.size(); ++i) heads[i] = entries[i].head;
}

void SortHeads(THeadList& heads, int column, bool ascending) {
  if (!IsSortColumn(column) || heads.Count() < 2) return;
  std::vector<TSortEntry> entries;
  entries.reserve(static_cast<size_t>(heads.Count()));
  for (auto& head : heads.Items()) entries.push_back({head.release(), 0});
  entries = SortedEntries(std::move(entries), column, ascending);
  for (size_t i = 0; i < entries.size(); ++i) heads.Items()[i].reset(entries[i].head);
}

int CountUnread(const std::vector<TMailHead*>& heads) {
  return static_cast<int>(std::count_if(heads.begin(), heads.end(), [](const TMailHead* h) { return h->Unread == 1; }));
}

int CountUnread(const THeadList& heads) {
  return static_cast<int>(
      std::count_if(heads.Items().begin(), heads.Items().end(), [](const auto& h) { return h->Unread == 1; }));
}
