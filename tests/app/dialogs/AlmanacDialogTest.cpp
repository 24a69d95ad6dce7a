// The almanac dialog driven through its widgets: what is typed reaches the
// request, refusals keep the dialog open on the refused field, "Current
// Date", the keyboard order, and the numeric edits refusing letters and a
// second point.

#include <gtest/gtest.h>

#include <QApplication>
#include <QDateTime>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QTest>
#include <vector>

#include "app/bridge/RecordingNotice.h"
#include "app/dialogs/AlmanacDialog.h"
#include "app/dialogs/NumericField.h"
#include "engine/time/Calendar.h"

namespace navora {
namespace {

double Jd(int year, int month, int day, int hour = 0) {
  return DialogFieldsToJulian(static_cast<int16_t>(year - kFirstAlmanacYear),
                              static_cast<int16_t>(month - 1), static_cast<int16_t>(day),
                              static_cast<int16_t>(hour), 0, 0.0);
}

class AlmanacDialogTest : public ::testing::Test {
 protected:
  void Open(AlmanacDialogKind kind) {
    dialog_ = std::make_unique<AlmanacDialog>(kind, QStringLiteral("Almanac - Sun, Moon, and Aries"),
                                              notice_, InitialAlmanacDialogFields(Jd(2024, 4, 1)));
    dialog_->show();
    QApplication::setActiveWindow(dialog_.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(dialog_.get()));
  }

  void Retype(QLineEdit* edit, const char* text) {
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, QString::fromLatin1(text));
  }

  void PressOk() {
    auto* buttons = dialog_->findChild<QDialogButtonBox*>();
    QTest::mouseClick(buttons->button(QDialogButtonBox::Ok), Qt::LeftButton);
  }

  RecordingNotice notice_;
  std::unique_ptr<AlmanacDialog> dialog_;
};

TEST_F(AlmanacDialogTest, TypedEntriesBecomeTheRequestAfterRefusals) {
  Open(AlmanacDialogKind::kTable);
  DateTimeGroup& date = dialog_->DateTime();
  EXPECT_EQ(date.HourField()->text(), "00");
  EXPECT_EQ(dialog_->RepetitionsField()->text(), "024");
  EXPECT_EQ(dialog_->UnitField()->currentText(), "Hours");

  Retype(date.HourField(), "24");
  Retype(dialog_->RepetitionsField(), "5");
  EXPECT_EQ(dialog_->RepetitionsField()->text(), "5");
  PressOk();
  EXPECT_TRUE(dialog_->isVisible());
  ASSERT_EQ(notice_.shown.size(), 1u);
  EXPECT_EQ(notice_.shown[0].text, "Please enter an integer between 0 and 23.");
  EXPECT_EQ(QApplication::focusWidget(), date.HourField());
  EXPECT_EQ(date.HourField()->selectedText(), "24") << "the refused entry is selected";

  QTest::keyClicks(date.HourField(), QStringLiteral("7"));
  QTest::keyClick(date.HourField(), Qt::Key_Tab);
  EXPECT_EQ(date.HourField()->text(), "07") << "rewritten when the focus leaves";
  EXPECT_EQ(dialog_->RepetitionsField()->text(), "005");
  Retype(date.MinuteField(), "");
  PressOk();
  EXPECT_FALSE(dialog_->isVisible());
  EXPECT_EQ(dialog_->result(), QDialog::Accepted);
  const AlmanacTableRequest& request = dialog_->TableRequest();
  EXPECT_NEAR(request.startJd, Jd(2024, 4, 1, 7), 1e-9) << "an empty minute counts as 0";
  EXPECT_EQ(request.count, 5);
  EXPECT_DOUBLE_EQ(request.intervalDays, 1.0 / 24.0);
}

TEST_F(AlmanacDialogTest, CurrentDateTakesTodayAndEmptiesTheTime) {
  Open(AlmanacDialogKind::kStars);
  DateTimeGroup& date = dialog_->DateTime();
  ASSERT_EQ(date.SecondField(), nullptr) << "the stars are tabulated to the minute";
  QTest::mouseClick(&date.CurrentDateButton(), Qt::LeftButton);
  const QDate today = QDateTime::currentDateTimeUtc().date();
  EXPECT_EQ(date.Day(), today.day());
  EXPECT_EQ(date.MonthIndex(), today.month() - 1);
  EXPECT_EQ(date.YearIndex(), today.year() - kFirstAlmanacYear < kAlmanacYearCount
                                  ? today.year() - kFirstAlmanacYear
                                  : kNoSelection);
  EXPECT_TRUE(date.HourField()->text().isEmpty());
  EXPECT_TRUE(date.MinuteField()->text().isEmpty());
  EXPECT_EQ(QApplication::focusWidget(), date.HourField());
}

TEST_F(AlmanacDialogTest, TabReachesEveryFieldInOrder) {
  Open(AlmanacDialogKind::kTable);
  DateTimeGroup& date = dialog_->DateTime();
  date.DayField().setFocus();
  const std::vector<QWidget*> expected = {&date.DayField(),    &date.MonthField(),
                                          &date.YearField(),   &date.CurrentDateButton(),
                                          date.HourField(),    date.MinuteField(),
                                          date.SecondField(),  dialog_->RepetitionsField(),
                                          dialog_->IntervalField(), dialog_->UnitField()};
  std::vector<QWidget*> visited;
  for (size_t i = 0; i < expected.size(); ++i) {
    visited.push_back(QApplication::focusWidget());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  }
  EXPECT_EQ(visited, expected);
  // A day beyond the month's length cannot be spun to.
  date.MonthField().setCurrentIndex(1);
  EXPECT_EQ(date.DayField().maximum(), 29) << "February 2024";
}

TEST(NumericField, RefusesLettersAndASecondPoint) {
  QLineEdit edit;
  MakeNumericField(edit);
  QTest::keyClicks(&edit, QStringLiteral("-1a2. 5.x-"));
  EXPECT_EQ(edit.text(), "-12.5");
  edit.selectAll();
  QTest::keyClicks(&edit, QStringLiteral("+."));
  EXPECT_EQ(edit.text(), "+.") << "what the selection replaces does not count";
  QTest::keyClick(&edit, Qt::Key_Backspace);
  EXPECT_EQ(edit.text(), "+");
}

}  // namespace
}  // namespace navora
