// The Observation Recorder's widgets over its model: the limb list follows
// the body, a refused entry keeps the dialog open on the field the model
// names, and the moves, marks and button texts show the model's state.

#include <gtest/gtest.h>

#include <QTest>
#include <functional>
#include <string>

#include "app/bridge/RecordingNotice.h"
#include "app/dialogs/ObservationRecorderDialog.h"
#include "engine/sightreduction/ReducedObservation.h"
#include "engine/time/Calendar.h"

namespace navora {
namespace {

const double kNoon = CalendarToJulian(2024, 4, 1, 12, 0, 0.0);

ObservationRecord SightAt(double hours, uint16_t bodyCode, uint16_t legIndex) {
  ObservationRecord sight = DefaultObservationRecord();
  sight.time = kNoon + hours / 24.0;
  sight.bodyCode = bodyCode;
  sight.hs = 35.2;
  sight.heightOfEye = 3.048;
  sight.sigma = 0.01;
  sight.legIndex = legIndex;
  return sight;
}

// A Sun sight on the first leg, a Moon and a Venus sight on the second.
LegsAndSights ThreeSights() {
  LegsAndSights loaded;
  loaded.sights[0] = SightAt(1, 14, 0);
  loaded.sights[1] = SightAt(2, 11, 1);
  loaded.sights[2] = SightAt(3, 2, 1);
  loaded.sightOffsets = {72, 160, 320};
  loaded.sightCount = 3;
  return loaded;
}

struct Shown {
  std::string title, status, action, remove;
  bool actionEnabled, deleteEnabled, previous, next;

  bool operator==(const Shown&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Shown& s) {
  return out << '"' << s.title << "\" \"" << s.status << "\" " << s.action << '/' << s.actionEnabled
             << ' ' << s.remove << '/' << s.deleteEnabled << " moves " << s.previous << s.next;
}

Shown ShownBy(ObservationRecorderDialog& dialog) {
  return {dialog.windowTitle().toStdString(),
          dialog.StatusLabel().text().toStdString(),
          dialog.ActionButton().text().toStdString(),
          dialog.DeleteButton().text().toStdString(),
          dialog.ActionButton().isEnabled(),
          dialog.DeleteButton().isEnabled(),
          dialog.MoveButton(RecorderMove::kPrevious).isEnabled(),
          dialog.MoveButton(RecorderMove::kNext).isEnabled()};
}

TEST(ObservationRecorderDialog, TheLimbListFollowsTheBodyWhileTheFieldsAreOpen) {
  RecordingNotice notice;
  ObservationRecorderDialog adding(ObservationRecorderModel(0, SightAt(0, 2, 0)), notice);
  const struct {
    int body;
    bool limb;
  } bodies[] = {{2, false},
                {kBodySun, true},
                {5, false},
                {kBodyMoon, true},
                {kSolarSystemBodyCount, false},
                {kObservedBodyCount - 1, false}};
  for (const auto& b : bodies) {
    adding.BodyField().setCurrentIndex(b.body);
    EXPECT_EQ(adding.LimbField().isEnabled(), b.limb) << ObservedBodyName(b.body);
    EXPECT_EQ(adding.Model().Fields().bodyIndex, b.body) << "the model hears the change";
  }
  EXPECT_EQ(adding.BodyField().count(), kObservedBodyCount);

  // Viewing and Deleting show a Sun sight with every entry shut.
  for (RecorderMode mode : {RecorderMode::kViewing, RecorderMode::kDeleting}) {
    ObservationRecorderDialog dialog(ObservationRecorderModel(mode, ThreeSights(), 0), notice);
    EXPECT_EQ(dialog.BodyField().currentText(), "Sun");
    EXPECT_EQ(dialog.LimbField().currentText(), "Lower");
    EXPECT_FALSE(dialog.LimbField().isEnabled());
    EXPECT_FALSE(dialog.BodyField().isEnabled());
    EXPECT_FALSE(dialog.HsMinutesField().isEnabled());
    EXPECT_FALSE(dialog.DateTime().isEnabled());
  }
  EXPECT_TRUE(notice.shown.empty());
}

TEST(ObservationRecorderDialog, ARefusedEntryKeepsTheDialogOpenOnItsField) {
  struct Case {
    const char* name;
    std::function<void(ObservationFields&)> enter;
    std::function<QWidget*(ObservationRecorderDialog&)> field;
    const char* message;
  };
  const Case cases[] = {
      {"no body", [](ObservationFields& f) { f.bodyIndex = kFormNoSelection; },
       [](ObservationRecorderDialog& d) -> QWidget* { return &d.BodyField(); }, kSelectBodyText},
      {"hs above 90",
       [](ObservationFields& f) {
         f.hsDegrees = "90";
         f.hsMinutes = "0.1";
       },
       [](ObservationRecorderDialog& d) -> QWidget* { return &d.HsDegreesField(); },
       kHsTooLargeText},
      {"hs minutes", [](ObservationFields& f) { f.hsMinutes = "60.0"; },
       [](ObservationRecorderDialog& d) -> QWidget* { return &d.HsMinutesField(); },
       "Please enter a number between 0 and 59.9."},
      {"pressure", [](ObservationFields& f) { f.pressure = "0800"; },
       [](ObservationRecorderDialog& d) -> QWidget* { return &d.PressureField(); },
       "Please enter an integer between 900 and 1100."},
  };
  // Done and Add check the sight alike.
  const std::function<void(ObservationRecorderDialog&)> presses[] = {
      [](ObservationRecorderDialog& d) { d.accept(); },
      [](ObservationRecorderDialog& d) { d.ActionButton().click(); },
  };
  for (const Case& test : cases) {
    for (size_t press = 0; press < std::size(presses); ++press) {
      SCOPED_TRACE(std::string(test.name) + (press == 0 ? " at Done" : " at Add"));
      RecordingNotice notice;
      ObservationRecorderDialog dialog(ObservationRecorderModel(kMaxSights - 2, SightAt(0, 14, 0)),
                                       notice);
      ObservationFields fields = dialog.Fields();
      fields.hsDegrees = "35";
      test.enter(fields);
      dialog.SetFields(fields);
      dialog.show();
      presses[press](dialog);
      EXPECT_TRUE(dialog.isVisible());
      EXPECT_EQ(dialog.focusWidget(), test.field(dialog));
      ASSERT_EQ(notice.shown.size(), 1u);
      EXPECT_EQ(notice.shown[0].text, test.message);
      EXPECT_EQ(dialog.StatusLabel().text(), kObservationEnterText) << "nothing added";
      EXPECT_TRUE(dialog.Model().NewSights().empty());
    }
  }
}

TEST(ObservationRecorderDialog, AddingShowsTheModelsStateThroughMovesAndMarks) {
  RecordingNotice notice;
  ObservationRecorderDialog dialog(ObservationRecorderModel(2, SightAt(0, 14, 0)), notice);
  auto expect = [&dialog](const Shown& shown) { EXPECT_EQ(ShownBy(dialog), shown); };
  expect({"Adding: Observation No. 3 of a possible 25", kObservationEnterText, "&Add", "Del&ete",
          false, false, false, false});

  // Typed into the real widgets: the action opens once the sight differs.
  dialog.HsDegreesField().selectAll();
  QTest::keyClicks(&dialog.HsDegreesField(), "4");
  expect({"Adding: Observation No. 3 of a possible 25", kObservationEnterText, "&Add", "Del&ete",
          true, false, false, false});
  dialog.ActionButton().click();
  expect({"Adding: Observation No. 3 of a possible 25", kObservationAddedText, "&Remove", "Del&ete",
          true, true, false, true});

  dialog.MoveButton(RecorderMove::kNext).click();
  expect({"Adding: Observation No. 4 of a possible 25", kObservationEnterText, "&Add", "Del&ete",
          false, false, true, false});
  EXPECT_EQ(dialog.HsDegreesField().text(), "4") << "the next starts from the one added";
  dialog.BodyField().setCurrentIndex(kBodyMoon);
  dialog.LimbField().setCurrentIndex(kLimbUpper);

  dialog.MoveButton(RecorderMove::kBegin).click();  // adds the Moon on the way
  dialog.DeleteButton().click();
  expect({"Adding: Observation No. 3 of a possible 25", kObservationDeletedText, "&Remove",
          "UnDel&ete", true, true, false, true});
  dialog.MoveButton(RecorderMove::kEnd).click();
  expect({"Adding: Observation No. 5 of a possible 25", kObservationEnterText, "&Add", "Del&ete",
          false, false, true, false});

  dialog.accept();
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  const std::vector<ObservationRecord> sights = dialog.Model().NewSights();
  ASSERT_EQ(sights.size(), 1u) << "the Sun sight marked deleted";
  EXPECT_EQ(sights[0].bodyCode, 13) << "Moon, upper limb";
  EXPECT_NEAR(sights[0].hs, 4.2, 1e-9) << "4 deg. typed over 35, the minutes kept";
  EXPECT_TRUE(notice.shown.empty());
}

TEST(ObservationRecorderDialog, EditingMarksAndResetsTheSightAsTheModelDoes) {
  RecordingNotice notice;
  ObservationRecorderDialog dialog(
      ObservationRecorderModel(RecorderMode::kEditing, ThreeSights(), 1), notice);
  auto expect = [&dialog](const Shown& shown) { EXPECT_EQ(ShownBy(dialog), shown); };
  expect({"Editing: Observation No. 2 on Leg No. 2", "", "&Reset", "Del&ete", false, false, true,
          true});
  EXPECT_EQ(dialog.BodyField().currentText(), "Moon");
  EXPECT_TRUE(dialog.LimbField().isEnabled());

  dialog.HsMinutesField().setText("20.5");
  expect({"Editing: Observation No. 2 on Leg No. 2", kObservationEditedText, "&Reset", "Del&ete",
          true, false, true, true});
  dialog.ActionButton().click();
  EXPECT_EQ(dialog.HsMinutesField().text(), "12.0");
  expect({"Editing: Observation No. 2 on Leg No. 2", "", "&Reset", "Del&ete", false, false, true,
          true});

  dialog.HsMinutesField().setText("20.5");
  dialog.MoveButton(RecorderMove::kEnd).click();
  expect({"Editing: Observation No. 3 on Leg No. 2", "", "&Reset", "Del&ete", false, false, true,
          false});
  EXPECT_FALSE(dialog.LimbField().isEnabled()) << "Venus";
  dialog.accept();
  const SightEdits edits = dialog.Model().Edits();
  ASSERT_EQ(edits.corrections.size(), 1u);
  EXPECT_EQ(edits.corrections[0].first, 160);
  EXPECT_NEAR(edits.corrections[0].second.hs, 35.0 + 20.5 / 60.0, 1e-9);
  EXPECT_TRUE(edits.deletions.empty());
}

}  // namespace
}  // namespace navora
