// Attachment files of a shown message: opened once per run, saved in one step, and the
// HTML page with its pictures beside it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/file.h"
#include "quillet/common/exceptions.h"
#include "quillet/common/paths.h"
#include "quillet/viewer/attachment_files.h"
#include "quillet/viewer/viewed_message.h"
#include "quillet/viewer/viewer_texts.h"
#include "tests/store/mailbox/store_test_support.h"
#include "tests/viewer/viewer_test_message.h"

namespace {

using store_test::ReadFileBytes;
using viewer_test::AttachmentIndex;

class TScriptedShell : public TShellOpen {
 public:
  int Open(const std::string& path) override {
    opened.push_back(path);
    return result;
  }
  int result = 42;
  std::vector<std::string> opened;
};

class AttachmentFilesTest : public store_test::ScratchTest {
 protected:
  void SetUp() override {
    ScratchTest::SetUp();
    message = std::make_unique<TViewedMessage>(viewer_test::PageMessage(), prompts);
    files = std::make_unique<TAttachmentFiles>(message->Decoded(), TAttachmentPlace{"in.BOX", 7, Folder()}, list,
                                               platform::FileExists);
  }
  int Index(const std::string& name, int nth = 0) const { return AttachmentIndex(message->Decoded(), name, nth); }

  test_support::TRecordingPrompts prompts;
  TMsgAttachList list;
  std::unique_ptr<TViewedMessage> message;
  std::unique_ptr<TAttachmentFiles> files;
};

TEST_F(AttachmentFilesTest, OpenedOnceWhileTheFileExistsAndSameNamesNumbered) {
  const std::string first = files->FileFor(Index("a.txt"));
  EXPECT_EQ(first, Folder() + "a.txt");
  EXPECT_EQ(ReadFileBytes(first), "first\r\n");
  store_test::WriteFileBytes(first, "changed by the user's program");
  EXPECT_EQ(files->FileFor(Index("a.txt")), first);
  EXPECT_EQ(ReadFileBytes(first), "changed by the user's program");  // not written again

  EXPECT_EQ(files->FileFor(Index("a.txt", 1)), Folder() + "a(1).txt");
  EXPECT_EQ(ReadFileBytes(Folder() + "a(1).txt"), "second\r\n");

  ASSERT_TRUE(platform::FileDelete(first));
  EXPECT_EQ(files->FileFor(Index("a.txt")), first);  // written anew once it is gone
  EXPECT_EQ(ReadFileBytes(first), "first\r\n");
  EXPECT_EQ(list.Files().size(), 2u);

  list.DeleteFiles(platform::FileDelete);  // the end of the run
  EXPECT_FALSE(platform::FileExists(first));
  EXPECT_FALSE(platform::FileExists(Folder() + "a(1).txt"));
  EXPECT_TRUE(list.Files().empty());
}

TEST_F(AttachmentFilesTest, ShellResultsBelow32AreShown) {
  const std::vector<std::pair<int, std::string>> cases = {
      {31, viewer_texts::k_noAssociation}, {5, "文件打开错误：5"}, {33, ""}};
  for (const auto& [result, text] : cases) {
    TScriptedShell shell;
    shell.result = result;
    prompts.shown.clear();
    EXPECT_EQ(files->Open(Index("p.png"), shell, prompts), text.empty()) << result;
    EXPECT_EQ(shell.opened, std::vector<std::string>{Folder() + "p.png"});
    EXPECT_EQ(prompts.shown, text.empty() ? std::vector<std::string>{} : std::vector<std::string>{text});
  }
}

TEST_F(AttachmentFilesTest, SaveAsReplacesInOneStepAndABadIndexChangesNothing) {
  const std::string target = Folder() + "chosen.txt";
  store_test::WriteFileBytes(target, "kept");
  EXPECT_THROW(files->SaveAs(99, target), Exception);
  EXPECT_EQ(ReadFileBytes(target), "kept");
  files->SaveAs(Index("a.txt", 1), target);
  EXPECT_EQ(ReadFileBytes(target), "second\r\n");
  EXPECT_TRUE(list.Files().empty());  // a saved copy is the user's, not a temporary file
}

TEST_F(AttachmentFilesTest, HtmlPageShowsPicturesBesideItAndIsReused) {
  const std::string page = files->HtmlPage();
  ASSERT_FALSE(page.empty());
  EXPECT_EQ(paths::FolderPart(page), Folder());
  EXPECT_EQ(ReadFileBytes(page),
            "<html><!-- <BASE href=\"http://x/\"> --><p>Hi &amp; bye<img src=\"p.png\"><img src=\"cid:pic1\"></p>"
            "</html>\r\n");
  EXPECT_EQ(ReadFileBytes(Folder() + "p.png"), "hello");
  store_test::WriteFileBytes(page, "recorded");
  EXPECT_EQ(files->HtmlPage(), page);
  EXPECT_EQ(ReadFileBytes(page), "recorded");

  test_support::TRecordingPrompts quiet;
  TViewedMessage plain("Subject: x\r\n\r\nbody\r\n", quiet);
  TAttachmentFiles none(plain.Decoded(), {"in.BOX", 8, Folder()}, list, platform::FileExists);
  EXPECT_EQ(none.HtmlPage(), "");
}

}  // namespace
