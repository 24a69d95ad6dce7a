#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "app/bridge/ConsoleNotice.h"

namespace navora {
namespace {

std::string Contents(std::FILE* file) {
  std::rewind(file);
  std::string text;
  for (int c = std::fgetc(file); c != EOF; c = std::fgetc(file))
    text.push_back(static_cast<char>(c));
  return text;
}

TEST(ConsoleNotice, PrintsUtf8TextAndAnswersQuestionsWithTheDefault) {
  std::FILE* declined = std::tmpfile();
  ConsoleNotice no(false, declined);
  EXPECT_EQ(no.Show("45\xB0 N \nnext ", kNoticeOkStop), NoticeAnswer::kOk);
  EXPECT_EQ(no.Show("Save?", kNoticeYesNoQuestion), NoticeAnswer::kNo);
  EXPECT_EQ(no.Show("Go on?", kNoticeOkCancelStop), NoticeAnswer::kCancel);
  EXPECT_EQ(Contents(declined),
            "45\xC2\xB0 N \nnext \nSave?\n(answered No: no one to ask)\n"
            "Go on?\n(answered Cancel: no one to ask)\n");
  std::fclose(declined);

  std::FILE* accepted = std::tmpfile();
  ConsoleNotice yes(true, accepted);
  EXPECT_EQ(yes.Show("Save?", kNoticeYesNoQuestion), NoticeAnswer::kYes);
  EXPECT_EQ(yes.Show("Go on?", kNoticeOkCancelStop), NoticeAnswer::kOk);
  std::fclose(accepted);
}

}  // namespace
}  // namespace navora
