// Opening a stored message in place for the parser.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "quillet/common/exceptions.h"
#include "store_test_support.h"

namespace {

using store_test::AddText;
using store_test::MessageText;
using store_test::ReadFileBytes;
using store_test::WriteFileBytes;

class OpenMessageStream : public store_test::ScratchTest {};

std::string ErrorOf(TMailBox& box, std::int32_t id) {
  try {
    box.OpenMessageStream(id);
  } catch (const EFileException& e) {
    return std::string("file ") + EFileException::KindText(e.FileErrorKind());
  } catch (const EOperateOnEncrypted& e) {
    return "encrypted " + e.Message();
  } catch (const EIdxFileError& e) {
    return e.Message();
  }
  return "opened";
}

TEST_F(OpenMessageStream, ReadsTheLiveTextInPlaceAndRefusesWhatItCannotRead) {
  TMailBox box(Base("in"));
  AddText(box, MessageText("one"));
  std::int32_t two = AddText(box, MessageText("two"));
  std::int32_t three = AddText(box, MessageText("three"));
  {
    std::unique_ptr<TStream> text = box.OpenMessageStream(two);
    const std::string expected = MessageText("two");
    ASSERT_EQ(text->Size(), static_cast<std::int64_t>(expected.size()));
    std::string bytes(expected.size() + 10, '\0');
    bytes.resize(static_cast<size_t>(text->Read(&bytes[0], static_cast<std::int32_t>(bytes.size()))));
    EXPECT_EQ(bytes, expected);  // nothing of the next item
  }
  ASSERT_TRUE(box.DeleteRecord(1));
  EXPECT_EQ(ErrorOf(box, 1), "No message with id 1");
  EXPECT_EQ(ErrorOf(box, 99), "No message with id 99");
  // The data file cut inside the last text: that text is damaged, the one before is whole.
  const std::string data = ReadFileBytes(Base("in.BOX"));
  WriteFileBytes(Base("in.BOX"), data.substr(0, data.size() - 5));
  EXPECT_EQ(ErrorOf(box, three), std::string("file ") + EFileException::KindText(EFileException::Kind::Read));
  EXPECT_EQ(ErrorOf(box, two), "opened");
  box.SetEncrypted(true);
  EXPECT_EQ(ErrorOf(box, two), std::string("encrypted ") + k_textOperateOnEncrypted);
}

}  // namespace
