// What the viewer shows of a message, and when it marks it read by itself.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "quillet/store/mailbox/store_errors.h"
#include "quillet/viewer/auto_read.h"
#include "quillet/viewer/viewed_message.h"
#include "tests/store/mailbox/store_test_support.h"
#include "tests/viewer/viewer_test_message.h"

namespace {

TEST(ViewedMessage, EnvelopeBodyAttachmentsHtmlTextAndRawText) {
  test_support::TRecordingPrompts prompts;
  const std::string text = viewer_test::PageMessage();
  TViewedMessage message(text, prompts);
  TSystemSettings settings;
  settings.Wordwrap = true;
  const TMessageDisplay display = message.Display(settings);
  EXPECT_EQ(display.envelope.sender, "张三 <zs@example.org>");
  EXPECT_EQ(display.envelope.receiver, "li@example.org");
  EXPECT_EQ(display.envelope.date, "Tue, 8 Dec 2026 10:00:00 +0800");
  EXPECT_EQ(display.envelope.subject, "你好");
  EXPECT_EQ(display.body, message.Decoded().DisplayString());
  EXPECT_TRUE(display.wordWrap);
  EXPECT_TRUE(display.showHtml);
  std::vector<std::string> names;
  for (const TAttachmentRow& row : display.attachments) names.push_back(row.name + " " + row.contentType);
  EXPECT_EQ(names, (std::vector<std::string>{"unknown.HTM text/html", "p.png image/png", "a.txt text/plain",
                                             "a.txt text/plain"}));

  settings.UseWEB = false;
  EXPECT_FALSE(message.Display(settings).showHtml);
  EXPECT_EQ(message.HtmlText(), "Hi & bye\r\n");
  EXPECT_EQ(message.RawText(), text);
  EXPECT_EQ(message.RawHeader(), text.substr(0, text.find("\r\n\r\n") + 2));

  TViewedMessage plain("Subject: x\r\n\r\nbody\r\n", prompts);
  EXPECT_EQ(plain.HtmlText(), "");
  EXPECT_FALSE(plain.Display(TSystemSettings{}).showHtml);
}

class ViewedStoredMessage : public store_test::ScratchTest {};

TEST_F(ViewedStoredMessage, ReadsTheLiveMessageOfAMailbox) {
  TMailBox box(Base("in"));
  const std::int32_t id = store_test::AddText(box, store_test::MessageText("stored"));
  test_support::TRecordingPrompts prompts;
  EXPECT_EQ(TViewedMessage(box, id, prompts).Envelope().subject, "stored");
  ASSERT_TRUE(box.DeleteRecord(id));
  EXPECT_THROW(TViewedMessage(box, id, prompts), EIdxFileError);
}

struct AutoReadStep {
  std::string what;  // "show ID unread|read", "hide", "due"
  std::int64_t nowMs;
  std::optional<std::int32_t> due;  // for "due"
};

TEST(AutoRead, MarksAnUnreadMessageOnceAfterItWasShownLongEnough) {
  TSystemSettings settings;  // AutoMarkRead 1, AutoReadSeconds 5
  const std::vector<AutoReadStep> steps = {
      {"show 1 unread", 0, {}}, {"due", 4999, std::nullopt}, {"due", 5000, 1}, {"due", 9000, std::nullopt},
      {"show 2 read", 10000, {}}, {"due", 20000, std::nullopt},
      {"show 3 unread", 20000, {}}, {"show 4 unread", 23000, {}}, {"due", 25000, std::nullopt}, {"due", 28000, 4},
      {"show 5 unread", 30000, {}}, {"hide", 31000, {}}, {"due", 40000, std::nullopt},
  };
  TAutoRead autoRead(settings);
  for (const AutoReadStep& step : steps) {
    if (step.what == "hide") {
      autoRead.Hidden();
    } else if (step.what == "due") {
      EXPECT_EQ(autoRead.Due(step.nowMs), step.due) << step.nowMs;
    } else {
      autoRead.Shown(std::stoi(step.what.substr(5)), step.what.find("unread") != std::string::npos, step.nowMs);
    }
  }

  autoRead.Shown(6, true, 0);
  EXPECT_EQ(autoRead.Remaining(2000), 3000);
  settings.AutoReadSeconds = -3;
  autoRead.Shown(7, true, 100);
  EXPECT_EQ(autoRead.Due(100), 7);
  settings.AutoMarkRead = false;
  autoRead.Shown(8, true, 0);
  EXPECT_EQ(autoRead.Remaining(0), std::nullopt);
  EXPECT_EQ(autoRead.Due(100000), std::nullopt);
}

}  // namespace
