// Done's edits applied to real logs are the desktop tests'.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/bridge/RecordingNotice.h"
#include "app/tasks/LegEditorModel.h"
#include "app/tasks/NumericFieldRules.h"
#include "engine/time/Calendar.h"

namespace navora {
namespace {

const double kStart = CalendarToJulian(2024, 4, 1, 12, 0, 30.0);

PositionRecord Leg(uint16_t type, double hours, double course) {
  return MakePositionRecord(kMotionRhumbLine, type, kStart + hours / 24.0, 49.5, -4.25, course, 6.0,
                            0.0, 0.0);
}

// The initial fix and two course changes, at made-up offsets.
LegsAndSights ThreeLegs(uint16_t firstType = kPositionUserDefined) {
  LegsAndSights loaded;
  loaded.legs[0] = Leg(firstType, 0, 250);
  loaded.legs[1] = Leg(kPositionDr, 2, 230);
  loaded.legs[2] = Leg(kPositionDr, 4, 200);
  loaded.legOffsets = {100, 300, 500};
  loaded.legCount = 3;
  return loaded;
}

TEST(LegEditorModel, MovesThroughTheLegsWithTheirTitles) {
  struct Step {
    LegMove move;
    int current;
    const char* title;
    bool back, forward;  // BEGIN/PREVIOUS and NEXT/END enabled
  };
  LegEditorModel model(LegEditorMode::kViewing, ThreeLegs(), -99);  // no leg given: the latest
  EXPECT_EQ(model.Current(), 2);
  EXPECT_EQ(model.Title(), "Viewing: Update DR (Leg No. 3)");
  const Step steps[] = {
      {LegMove::kPrevious, 1, "Viewing: Update DR (Leg No. 2)", true, true},
      {LegMove::kPrevious, 0, "Viewing: Initial Fix", false, true},
      {LegMove::kPrevious, 0, "Viewing: Initial Fix", false, true},  // stays at the first
      {LegMove::kEnd, 2, "Viewing: Update DR (Leg No. 3)", true, false},
      {LegMove::kNext, 2, "Viewing: Update DR (Leg No. 3)", true, false},
      {LegMove::kBegin, 0, "Viewing: Initial Fix", false, true},
      {LegMove::kNext, 1, "Viewing: Update DR (Leg No. 2)", true, true},
  };
  RecordingNotice notice;
  for (const Step& step : steps) {
    FixField returnTo = FixField::kDay;
    ASSERT_TRUE(model.Move(notice, step.move, returnTo));
    EXPECT_EQ(model.Current(), step.current);
    EXPECT_EQ(model.Title(), step.title);
    EXPECT_EQ(model.CanMove(LegMove::kBegin), step.back);
    EXPECT_EQ(model.CanMove(LegMove::kPrevious), step.back);
    EXPECT_EQ(model.CanMove(LegMove::kNext), step.forward);
    EXPECT_EQ(model.CanMove(LegMove::kEnd), step.forward);
  }
  EXPECT_TRUE(notice.shown.empty());

  const struct {
    LegEditorMode mode;
    uint16_t type;
    const char* title;
  } kinds[] = {
      {LegEditorMode::kEditing, kPositionCelestialFix, "Editing: Celestial Fix"},
      {LegEditorMode::kDeleting, kPositionExternalFix, "Deleting: External Fix"},
  };
  for (const auto& kind : kinds) {
    EXPECT_EQ(LegEditorModel(kind.mode, ThreeLegs(kind.type), 0).Title(), kind.title);
  }
}

TEST(LegEditorModel, MarksFollowTheStateOfEachLeg) {
  RecordingNotice notice;
  FixField returnTo = FixField::kDay;
  LegEdits edits;

  // Editing: a changed leg is marked and keeps its mark while others are shown.
  LegEditorModel editing(LegEditorMode::kEditing, ThreeLegs(), 2);
  EXPECT_FALSE(editing.CanReset());
  EXPECT_FALSE(editing.CanToggleDelete());
  NewInitialFixFields fields = editing.Fields();
  fields.course = "185.5";
  editing.SetFields(fields);
  EXPECT_EQ(editing.Status(), kLegEditedText);
  EXPECT_TRUE(editing.CanReset());
  ASSERT_TRUE(editing.Move(notice, LegMove::kBegin, returnTo));
  EXPECT_EQ(editing.Status(), "");
  ASSERT_TRUE(editing.Move(notice, LegMove::kEnd, returnTo));
  EXPECT_EQ(editing.Status(), kLegEditedText);
  EXPECT_EQ(editing.Fields().course, "185.5");
  // Typing the value back as read clears the mark; Reset does too.
  fields.course = "200.0";
  editing.SetFields(fields);
  EXPECT_EQ(editing.Status(), "");
  fields.course = "185.5";
  editing.SetFields(fields);
  editing.Reset();
  EXPECT_EQ(editing.Status(), "");
  EXPECT_EQ(editing.Fields().course, "200.0");
  // Done commits the changed legs only, with the entries as accepted.
  ASSERT_TRUE(editing.Move(notice, LegMove::kPrevious, returnTo));
  fields = editing.Fields();
  fields.course = "185.5";
  editing.SetFields(fields);
  ASSERT_TRUE(editing.Done(notice, edits, returnTo));
  ASSERT_EQ(edits.corrections.size(), 1u);
  EXPECT_EQ(edits.corrections[0].first, 300);
  EXPECT_NEAR(edits.corrections[0].second.course, 185.5, 1e-9);
  EXPECT_TRUE(edits.deletions.empty());

  // Viewing: the entries cannot change, nothing is marked or committed.
  LegEditorModel viewing(LegEditorMode::kViewing, ThreeLegs(), 1);
  viewing.SetFields(fields);
  viewing.ToggleDelete();
  EXPECT_EQ(viewing.Status(), "");
  EXPECT_EQ(viewing.Fields().course, "230.0");
  ASSERT_TRUE(viewing.Done(notice, edits, returnTo));
  EXPECT_TRUE(edits.Empty());

  // Deleting: Delete toggles the mark; the voyage's initial fix stays.
  LegEditorModel deleting(LegEditorMode::kDeleting, ThreeLegs(), 1);
  EXPECT_EQ(deleting.DeleteButtonText(), "Delete");
  deleting.ToggleDelete();
  EXPECT_EQ(deleting.Status(), kLegDeletedText);
  EXPECT_EQ(deleting.DeleteButtonText(), "UnDelete");
  ASSERT_TRUE(deleting.Move(notice, LegMove::kNext, returnTo));
  deleting.ToggleDelete();
  deleting.ToggleDelete();
  EXPECT_EQ(deleting.Status(), "");
  ASSERT_TRUE(deleting.Move(notice, LegMove::kBegin, returnTo));
  EXPECT_FALSE(deleting.CanToggleDelete());
  deleting.ToggleDelete();
  EXPECT_EQ(deleting.Status(), "");
  ASSERT_TRUE(deleting.Done(notice, edits, returnTo));
  EXPECT_EQ(edits.deletions, std::vector<EventLogOffset>{300});
  EXPECT_TRUE(edits.corrections.empty());
  EXPECT_TRUE(notice.shown.empty());
}

// The checks are New Initial Fix's own; here only that Move and Done both
// refuse and keep the leg current.
TEST(LegEditorModel, RefusedEntriesKeepTheLegCurrentUntilMended) {
  {
    RecordingNotice notice;
    LegEditorModel model(LegEditorMode::kEditing, ThreeLegs(), 1);
    NewInitialFixFields fields = model.Fields();
    fields.hour = "24";
    fields.course = "400";
    model.SetFields(fields);
    FixField returnTo = FixField::kDay;
    LegEdits edits;
    EXPECT_FALSE(model.Move(notice, LegMove::kNext, returnTo));
    EXPECT_EQ(model.Current(), 1);
    EXPECT_FALSE(model.Done(notice, edits, returnTo));
    EXPECT_EQ(returnTo, FixField::kHour);
    ASSERT_EQ(notice.shown.size(), 2u);
    EXPECT_EQ(notice.shown[0].text, IntegerRangeText(0, 23));
  }

  // Deleting does not look at the entries; Viewing cannot change them.
  LegsAndSights polar = ThreeLegs();
  polar.legs[1].latitude = 85.0;
  for (LegEditorMode mode : {LegEditorMode::kViewing, LegEditorMode::kDeleting}) {
    RecordingNotice notice;
    LegEditorModel model(mode, polar, 1);
    FixField returnTo = FixField::kDay;
    EXPECT_TRUE(model.Move(notice, LegMove::kNext, returnTo));
    EXPECT_TRUE(notice.shown.empty());
  }
}

}  // namespace
}  // namespace navora
