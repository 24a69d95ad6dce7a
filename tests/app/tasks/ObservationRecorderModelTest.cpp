#include <gtest/gtest.h>

#include <string>

#include "app/bridge/RecordingNotice.h"
#include "app/tasks/NumericFieldRules.h"
#include "app/tasks/ObservationRecorderModel.h"
#include "engine/sightreduction/BodyNames.h"
#include "engine/time/Calendar.h"

namespace navora {
namespace {

const double kNoon = CalendarToJulian(2024, 4, 1, 12, 0, 0.0);

ObservationRecord SightAt(double hours, uint16_t legIndex = 0) {
  ObservationRecord sight = DefaultObservationRecord();
  sight.time = kNoon + hours / 24.0;
  sight.hs = 35.2;
  sight.heightOfEye = 3.048;
  sight.sigma = 0.005;
  sight.legIndex = legIndex;
  return sight;
}

LegsAndSights ThreeSights() {
  LegsAndSights loaded;
  loaded.sights[0] = SightAt(1, 0);
  loaded.sights[1] = SightAt(2, 1);
  loaded.sights[2] = SightAt(3, 1);
  loaded.sightOffsets = {72, 160, 320};
  loaded.sightCount = 3;
  return loaded;
}

TEST(ObservationRecorderModel, ChecksInTheDialogsOrder) {
  const ObservationFields good = ShowObservation(SightAt(1));
  ASSERT_EQ(good.hsDegrees + " " + good.hsMinutes + " " + good.heightOfEye, "35 12.0 010");
  struct Case {
    void (*change)(ObservationFields&);
    const char* message;  // empty: accepted
    ObservationField field;
  };
  using F = ObservationFields;
  const Case cases[] = {
      {[](F& f) { f.monthIndex = -1; }, "Please select a month.\n", ObservationField::kMonth},
      {[](F& f) { f.day = 31, f.monthIndex = 3; }, "Please enter an integer between 1 and 30.",
       ObservationField::kDay},
      {[](F& f) { f.second = "60"; }, "Please enter an integer between 0 and 59.",
       ObservationField::kSecond},
      {[](F& f) { f.ut1MinusUtc = "-1.0"; }, "Please enter a number between -0.9 and 0.9.",
       ObservationField::kUt1MinusUtc},
      {[](F& f) { f.bodyIndex = -1, f.hsDegrees = "91"; }, "Please select the observed body.\n",
       ObservationField::kBody},
      {[](F& f) { f.hsDegrees = "90", f.hsMinutes = "0.0"; }, "", ObservationField::kDay},
      {[](F& f) { f.hsDegrees = "89", f.hsMinutes = "60.0"; },
       "Please enter a number between 0 and 59.9.", ObservationField::kHsMinutes},
      {[](F& f) { f.hsDegrees = "90", f.hsMinutes = "0.1"; },
       "The hs must be less than\nor equal to 90 degrees.", ObservationField::kHsDegrees},
      {[](F& f) { f.heightOfEye = "1000"; }, "Please enter an integer between 0 and 999.",
       ObservationField::kHeightOfEye},
      {[](F& f) { f.heightOfEye = "305", f.heightInMetres = true; },
       "Please enter an integer between 0 and 304.", ObservationField::kHeightOfEye},
      {[](F& f) { f.indexCorrection = "x"; }, "Please enter a number.",
       ObservationField::kIndexCorrection},
      {[](F& f) { f.temperature = "-50"; }, "Please enter an integer between -49 and 49.",
       ObservationField::kTemperature},
      {[](F& f) { f.pressure = "899"; }, "Please enter an integer between 900 and 1100.",
       ObservationField::kPressure},
  };
  for (const Case& c : cases) {
    ObservationFields fields = good;
    c.change(fields);
    RecordingNotice notice;
    ObservationRecord sight = DefaultObservationRecord();
    ObservationField returnTo = ObservationField::kDay;
    const bool accepted = AcceptObservationFields(notice, fields, sight, returnTo);
    if (std::string(c.message).empty()) {
      EXPECT_TRUE(accepted);
      EXPECT_TRUE(notice.shown.empty());
      EXPECT_DOUBLE_EQ(sight.hs, 90.0);
    } else {
      EXPECT_FALSE(accepted) << c.message;
      ASSERT_EQ(notice.shown.size(), 1u) << c.message;
      EXPECT_EQ(notice.shown[0].text, c.message);
      EXPECT_EQ(returnTo, c.field) << c.message;
    }
  }
}

struct Expected {
  const char* title;
  const char* status;
  const char* action;
  bool actionEnabled;
  const char* deleteText;
  bool canDelete;
};

void ExpectState(const ObservationRecorderModel& model, const Expected& e, const char* step) {
  EXPECT_EQ(model.Title(), e.title) << step;
  EXPECT_EQ(model.Status(), e.status) << step;
  EXPECT_EQ(model.ActionText(), e.action) << step;
  EXPECT_EQ(model.ActionEnabled(), e.actionEnabled) << step;
  EXPECT_EQ(model.DeleteButtonText(), e.deleteText) << step;
  EXPECT_EQ(model.CanToggleDelete(), e.canDelete) << step;
}

TEST(ObservationRecorderModel, AddingCollectsNewSightsUpToTheLimit) {
  RecordingNotice notice;
  ObservationField returnTo = ObservationField::kDay;
  ObservationRecord venus = SightAt(1);
  venus.bodyCode = 2;
  ObservationRecorderModel model(22, venus);
  ExpectState(model,
              {"Adding: Observation No. 23 of a possible 25", "Enter a new observation", "Add",
               false, "Delete", false},
              "opened");
  EXPECT_TRUE(model.FieldsEnabled());

  ObservationFields fields = model.Fields();
  fields.bodyIndex = kBodySun;
  EXPECT_FALSE(model.LimbEnabled());
  model.SetFields(fields);
  EXPECT_TRUE(model.LimbEnabled());
  ExpectState(model,
              {"Adding: Observation No. 23 of a possible 25", "Enter a new observation", "Add",
               true, "Delete", false},
              "entered");
  ASSERT_TRUE(model.Action(notice, returnTo));
  ExpectState(
      model,
      {"Adding: Observation No. 23 of a possible 25", "( ADDED )", "Remove", true, "Delete", true},
      "added");

  // The next place opens with the last sight's entries; a changed one is
  // checked and added by the move.
  ASSERT_TRUE(model.Move(notice, RecorderMove::kNext, returnTo));
  EXPECT_EQ(model.Fields(), fields);
  fields.bodyIndex = FindObservedBody("Vega");
  fields.hsDegrees = "91";
  model.SetFields(fields);
  EXPECT_FALSE(model.LimbEnabled());
  EXPECT_FALSE(model.Move(notice, RecorderMove::kNext, returnTo));
  EXPECT_EQ(returnTo, ObservationField::kHsDegrees);
  EXPECT_EQ(model.SightCount(), 1);
  fields.hsDegrees = "45";
  model.SetFields(fields);
  ASSERT_TRUE(model.Move(notice, RecorderMove::kNext, returnTo));
  fields.minute = "30";
  model.SetFields(fields);
  ASSERT_TRUE(model.Done(notice, returnTo));  // the third, entered, is added by Done
  ExpectState(
      model,
      {"Adding: Observation No. 25 of a possible 25", "( ADDED )", "Remove", true, "Delete", true},
      "at the limit");
  EXPECT_FALSE(model.CanMove(RecorderMove::kNext));  // no 26th place

  ASSERT_TRUE(model.Move(notice, RecorderMove::kBegin, returnTo));
  model.ToggleDelete();
  ExpectState(model,
              {"Adding: Observation No. 23 of a possible 25", "( DELETED )", "Remove", true,
               "UnDelete", true},
              "marked");
  ASSERT_TRUE(model.Move(notice, RecorderMove::kNext, returnTo));
  ASSERT_TRUE(model.Action(notice, returnTo));  // Remove the second
  EXPECT_EQ(model.SightCount(), 2);
  const std::vector<ObservationRecord> sights = model.NewSights();
  ASSERT_EQ(sights.size(), 1u);
  EXPECT_EQ(sights[0].bodyCode, kBodyCodeStar);
  EXPECT_NEAR(sights[0].time, SightAt(1).time + 30.0 / 1440.0, 1e-9);
  EXPECT_EQ(notice.shown.size(), 1u);  // only the refused hs
}

TEST(ObservationRecorderModel, LogModesMarkEditsAndDeletions) {
  RecordingNotice notice;
  ObservationField returnTo = ObservationField::kDay;
  ObservationRecorderModel viewing(RecorderMode::kViewing, ThreeSights(), 99);
  ExpectState(viewing,
              {"Viewing: Observation No. 3 on Leg No. 2", "", "Reset", false, "Delete", false},
              "viewing");
  EXPECT_FALSE(viewing.FieldsEnabled());
  EXPECT_TRUE(viewing.Edits().Empty());

  ObservationRecorderModel editing(RecorderMode::kEditing, ThreeSights(), 0);
  ExpectState(editing,
              {"Editing: Observation No. 1 on Leg No. 1", "", "Reset", false, "Delete", false},
              "editing");
  ObservationFields fields = editing.Fields();
  fields.hsMinutes = "20.5";
  editing.SetFields(fields);
  ExpectState(
      editing,
      {"Editing: Observation No. 1 on Leg No. 1", "( EDITED )", "Reset", true, "Delete", false},
      "edited");
  ASSERT_TRUE(editing.Move(notice, RecorderMove::kEnd, returnTo));
  fields = editing.Fields();
  fields.pressure = "1200";
  editing.SetFields(fields);
  EXPECT_FALSE(editing.Move(notice, RecorderMove::kPrevious, returnTo));
  EXPECT_EQ(editing.Current(), 2);
  ASSERT_TRUE(editing.Action(notice, returnTo));  // Reset
  ExpectState(editing,
              {"Editing: Observation No. 3 on Leg No. 2", "", "Reset", false, "Delete", false},
              "reset");
  ASSERT_TRUE(editing.Done(notice, returnTo));
  const SightEdits edits = editing.Edits();
  ASSERT_EQ(edits.corrections.size(), 1u);
  EXPECT_EQ(edits.corrections[0].first, 72);
  EXPECT_NEAR(edits.corrections[0].second.hs, 35 + 20.5 / 60, 1e-12);
  EXPECT_TRUE(edits.deletions.empty());

  ObservationRecorderModel deleting(RecorderMode::kDeleting, ThreeSights(), 1);
  EXPECT_FALSE(deleting.FieldsEnabled());
  deleting.ToggleDelete();
  ExpectState(
      deleting,
      {"Deleting: Observation No. 2 on Leg No. 2", "( DELETED )", "Reset", false, "UnDelete", true},
      "marked");
  deleting.ToggleDelete();
  EXPECT_EQ(deleting.Status(), "");
  deleting.ToggleDelete();
  ASSERT_TRUE(deleting.Done(notice, returnTo));
  EXPECT_EQ(deleting.Edits().deletions, std::vector<EventLogOffset>{160});
  EXPECT_EQ(notice.shown.size(), 1u);  // only the refused pressure
}

TEST(ObservationRecorderModel, SightsBeforeTheLastFixAreEditedOrDeleted) {
  RecordingNotice notice;
  notice.answers = {NoticeAnswer::kNo, NoticeAnswer::kYes};
  ObservationRecorderModel model(RecorderMode::kEditing, ThreeSights(), 2);
  model.AskAboutSightsBeforeFix(notice, SightAt(2.5).time);
  ASSERT_EQ(notice.shown.size(), 2u);
  EXPECT_EQ(notice.shown[0].text,
            "Observation number 1 occurs before the\nlast fix. Do you wish to edit it? "
            "Pressing\n'No' will delete this observation.");
  EXPECT_EQ(notice.shown[0].style, kNoticeYesNoQuestion);
  EXPECT_NE(notice.shown[1].text.find("number 2 "), std::string::npos);
  EXPECT_EQ(model.SightCount(), 2);
  EXPECT_EQ(model.Current(), 0);  // the one to edit
  EXPECT_EQ(model.Title(), "Editing: Observation No. 1 on Leg No. 2");
  EXPECT_EQ(model.Edits().deletions, std::vector<EventLogOffset>{72});

  RecordingNotice none;
  none.answers = {NoticeAnswer::kNo, NoticeAnswer::kNo, NoticeAnswer::kNo};
  ObservationRecorderModel emptied(RecorderMode::kViewing, ThreeSights(), 0);
  emptied.AskAboutSightsBeforeFix(none, SightAt(9).time);
  EXPECT_TRUE(emptied.Empty());
  EXPECT_EQ(emptied.Edits().deletions.size(), 3u);
}

}  // namespace
}  // namespace navora
