#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "app/bridge/ConsoleNotice.h"
#include "app/bridge/RecordingNotice.h"

namespace navora {
namespace {

// Everything written to a temporary stream.
class CapturedStream {
 public:
  CapturedStream() : file_(std::tmpfile()) {}
  ~CapturedStream() { std::fclose(file_); }
  CapturedStream(const CapturedStream&) = delete;
  CapturedStream& operator=(const CapturedStream&) = delete;

  std::FILE* file() const { return file_; }
  std::string Text() const {
    std::fflush(file_);
    std::rewind(file_);
    std::string text;
    for (int c = std::fgetc(file_); c != EOF; c = std::fgetc(file_)) text.push_back(static_cast<char>(c));
    return text;
  }

 private:
  std::FILE* file_;
};

TEST(ConsoleNotice, PrintsTheTextAsUtf8WithItsBlanks) {
  CapturedStream out;
  ConsoleNotice notice(false, out.file());
  EXPECT_EQ(notice.Show("Latitude 45\xB0 N \nnext line ", kNoticeOk), NoticeAnswer::kOk);
  EXPECT_EQ(out.Text(), "Latitude 45\xC2\xB0 N \nnext line \n");
}

TEST(ConsoleNotice, QuestionsGetTheCallersDefault) {
  CapturedStream declining;
  ConsoleNotice no(false, declining.file());
  EXPECT_EQ(no.Show("Save?", kNoticeYesNoQuestion), NoticeAnswer::kNo);
  EXPECT_EQ(no.Show("Go on?", kNoticeOkCancelStop), NoticeAnswer::kCancel);
  EXPECT_EQ(no.Show("Stop.", kNoticeOkStop), NoticeAnswer::kOk);
  EXPECT_EQ(declining.Text(),
            "Save?\n(answered No: no one to ask)\nGo on?\n(answered Cancel: no one to ask)\nStop.\n");

  CapturedStream accepting;
  ConsoleNotice yes(true, accepting.file());
  EXPECT_EQ(yes.Show("Save?", kNoticeYesNoQuestion), NoticeAnswer::kYes);
  EXPECT_EQ(yes.Show("Go on?", kNoticeOkCancelStop), NoticeAnswer::kOk);
}

TEST(RecordingNotice, KeepsTextsAndStylesAndAnswersAsScripted) {
  RecordingNotice notice;
  notice.answers = {NoticeAnswer::kNo, NoticeAnswer::kCancel};
  EXPECT_EQ(notice.Show("first", kNoticeYesNoQuestion), NoticeAnswer::kNo);
  EXPECT_EQ(notice.Show("second", kNoticeOkCancelStop), NoticeAnswer::kCancel);
  EXPECT_EQ(notice.Show("third", kNoticeYesNoQuestion), NoticeAnswer::kYes);
  EXPECT_EQ(notice.Show("fourth", kNoticeOkStop), NoticeAnswer::kOk);
  ASSERT_EQ(notice.shown.size(), 4u);
  EXPECT_EQ(notice.shown[1].text, "second");
  EXPECT_EQ(notice.shown[1].style, kNoticeOkCancelStop);
  EXPECT_EQ(notice.shown[3].style, kNoticeOkStop);
}

}  // namespace
}  // namespace navora
