// Inputs found by the store fuzzer, run again through the fuzzer's own checks (which
// abort on a broken promise), plus the direct check of what went wrong.
#include "fuzz/store_fuzz_body.h"
#include "tests/store/mailbox/store_test_support.h"

namespace store_test {
namespace {

using FuzzRegression = ScratchTest;

// A fuzz input: the index length, the index, the data.
std::string FuzzInput(const std::string& index, const std::string& data) {
  std::string input(4, '\0');
  PutInt32At(input, 0, static_cast<std::int32_t>(index.size()));
  return input + index + data;
}

void RunFuzzInput(const std::string& input, const std::string& folder) {
  store_fuzz::RunInput(reinterpret_cast<const std::uint8_t*>(input.data()), input.size(), folder);
}

// Ids 0, 2, 3, 1 with LastId 0: a new item took "last record's id + 1" = 2, which the
// second record already had, so the new item could not be found by its id.
std::string DisorderedIdsBeyondLastId() {
  std::string index = RawHeader(TIdxHeader());
  for (std::int32_t id : {0, 2, 3, 1}) {
    TIdxRecord r;
    r.Id = id;
    r.DataOffset = 16 + 60 * id;
    r.DataSize = 44;
    index += RawRecord(r);
  }
  return index + std::string(4, '\0');  // a cut-off record too short to keep
}

TEST_F(FuzzRegression, NewIdAfterEveryIdWhenLastIdIsBehind) {
  RunFuzzInput(FuzzInput(DisorderedIdsBeyondLastId(), ""), Folder());
  WriteFileBytes(Base("in.IND"), DisorderedIdsBeyondLastId());
  WriteFileBytes(Base("in.BOX"), "");
  TMailBox box(Base("in"));
  std::int32_t id = AddText(box, "new", true, "fresh");
  EXPECT_EQ(id, 4);
  TMailHead head;
  ASSERT_TRUE(box.ReadHead(id, head));
  EXPECT_EQ(head.Subject, "fresh");
}

TEST_F(FuzzRegression, SeedShapes) {
  std::vector<std::string> texts = {MessageText("a"), MessageText("b"), ""};
  WritePair(Base("seed"), {1, 2, 3}, texts);
  std::string index = ReadFileBytes(Base("seed.IND")), data = ReadFileBytes(Base("seed.BOX"));
  RunFuzzInput(FuzzInput(index, data), Folder());
  RunFuzzInput(FuzzInput(index.substr(0, index.size() - 100), data), Folder());
  RunFuzzInput(FuzzInput(index, data.substr(0, data.size() / 2)), Folder());
  std::string old = index;
  old[4] = 5;
  RunFuzzInput(FuzzInput(old, data), Folder());
  std::string encrypted = index;
  encrypted[17] = 1;
  RunFuzzInput(FuzzInput(encrypted, data), Folder());
  RunFuzzInput(FuzzInput(index.substr(0, 40), data), Folder());
  RunFuzzInput(std::string("\xff\xff\xff\xff", 4), Folder());
}

}  // namespace
}  // namespace store_test
