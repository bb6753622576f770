// Single-id lookups: the binary search over ids in file order and its fall-back scan must
// find exactly what a scan in file order finds, for ordered and disordered pairs.
#include <algorithm>
#include <cstdint>
#include <numeric>
#include <random>

#include "quillet/store/mailbox/detail/file_guard.h"
#include "quillet/store/mailbox/detail/index_table.h"
#include "tests/store/mailbox/store_test_support.h"

namespace store_test {
namespace {

class Lookup : public ScratchTest {
 protected:
  // An index holding records with the given ids (no data file needed for lookups).
  std::string WriteIndex(const std::vector<std::int32_t>& ids) {
    std::string bytes = RawHeader(TIdxHeader());
    for (std::int32_t id : ids) {
      TIdxRecord r;
      r.Id = id;
      bytes += RawRecord(r);
    }
    std::string path = Base("lookup.IND");
    WriteFileBytes(path, bytes);
    return path;
  }

  // Find must agree with the scan in file order.
  void ExpectFindMatchesScan(const std::vector<std::int32_t>& ids) {
    std::string path = WriteIndex(ids);
    TFileGuard file = TFileGuard::Open(path, platform::FileAccess::Read);
    TIndexTable table(file);
    ASSERT_EQ(table.Count(), static_cast<std::int64_t>(ids.size()));
    if (ids.empty()) {
      EXPECT_EQ(table.Find(1), -1);
      return;
    }
    // Every id present, and its neighbours, which may be absent.
    std::vector<std::int64_t> probes;
    for (std::int32_t id : ids)
      for (std::int64_t d = -1; d <= 1; ++d) probes.push_back(id + d);
    for (std::int64_t id : probes) {
      if (id < INT32_MIN || id > INT32_MAX) continue;
      std::int32_t wanted = static_cast<std::int32_t>(id);
      auto first = std::find(ids.begin(), ids.end(), wanted);
      std::int64_t expected = first == ids.end() ? -1 : first - ids.begin();
      ASSERT_EQ(table.FindByScan(wanted), expected) << "id " << id;
      ASSERT_EQ(table.Find(wanted), expected) << "id " << id;
    }
  }
};

TEST_F(Lookup, OrderedIdsWithGaps) {
  std::vector<std::int32_t> ids;
  for (int i = 1; i <= 3000; ++i)
    if (i % 7 != 0 && i % 11 != 0) ids.push_back(i);  // gaps as after packing
  ExpectFindMatchesScan(ids);
  ExpectFindMatchesScan({});
  ExpectFindMatchesScan({5});
  ExpectFindMatchesScan({5, 6});
  ExpectFindMatchesScan({-3, 0, 2, 1000000, 2147483647});
}

TEST_F(Lookup, DisorderedUniqueIds) {
  std::vector<std::int32_t> ids(500);
  std::iota(ids.begin(), ids.end(), 1);
  std::reverse(ids.begin(), ids.end());
  ExpectFindMatchesScan(ids);
  std::mt19937 random(7);
  std::shuffle(ids.begin(), ids.end(), random);
  ExpectFindMatchesScan(ids);
  // Ordered but for one record moved far from its place.
  std::vector<std::int32_t> nearly(400);
  std::iota(nearly.begin(), nearly.end(), 1);
  std::rotate(nearly.begin() + 10, nearly.begin() + 11, nearly.begin() + 300);
  ExpectFindMatchesScan(nearly);
  nearly.push_back(150);  // and a repeated id at the end
  ExpectFindMatchesScan(nearly);
}

TEST_F(Lookup, RepeatedIdsFindTheFirstInFileOrder) {
  ExpectFindMatchesScan({1, 2, 2, 2, 3, 4});
  ExpectFindMatchesScan({1, 2, 3, 2});
  ExpectFindMatchesScan({7, 7, 7, 7, 7});
  ExpectFindMatchesScan({1, 5, 3, 5, 9, 1});
}

// Ids repeated out of order break the pair's rule that ids are unique; the search then
// still finds a record of that id, though not necessarily the first.
TEST_F(Lookup, RepeatedIdsOutOfOrderStillFindTheId) {
  std::vector<std::int32_t> ids = {3, 1, 2, 3};
  std::string path = WriteIndex(ids);
  TFileGuard file = TFileGuard::Open(path, platform::FileAccess::Read);
  TIndexTable table(file);
  for (std::int32_t id : {1, 2, 3}) {
    std::int64_t found = table.Find(id);
    ASSERT_GE(found, 0);
    EXPECT_EQ(ids[static_cast<size_t>(found)], id);
  }
  EXPECT_EQ(table.Find(4), -1);
}

TEST_F(Lookup, PairWithIdsOutOfOrder) {
  std::vector<std::string> texts;
  for (int i = 0; i < 6; ++i) texts.push_back(MessageText("m" + std::to_string(i)));
  WritePair(Base("in"), {5, 3, 9, 1, 12, 7}, texts);
  TMailBox box(Base("in"));
  const std::int32_t ids[] = {5, 3, 9, 1, 12, 7};
  for (int i = 0; i < 6; ++i) {
    EXPECT_EQ(ReadText(box, ids[i]), texts[static_cast<size_t>(i)]) << ids[i];
    TMailHead head;
    ASSERT_TRUE(box.ReadHead(ids[i], head));
    EXPECT_EQ(head.Subject, "subject " + std::to_string(ids[i]));
  }
  EXPECT_EQ(box.NeighbourId(9, true), 1);
  EXPECT_EQ(box.NeighbourId(9, false), 3);
  EXPECT_TRUE(box.DeleteRecord(1));
  EXPECT_EQ(box.NeighbourId(9, true), 12);
  TMailHead head;
  EXPECT_FALSE(box.ReadHead(1, head));
  EXPECT_EQ(AddText(box, "new"), 13);  // after the highest id in use
}

}  // namespace
}  // namespace store_test
