// The Observation Recorder's widgets over its model: the limb list follows
// the body, a refused entry keeps the dialog open on the field the model
// names, and the moves, marks and button texts show the model's state.

#include <gtest/gtest.h>

#include <QTest>
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

// Each entry refused at Done or at Add: the dialog stays open, nothing is
// added, and the focus is on the widget of the field the model names.
TEST(ObservationRecorderDialog, ARefusedEntryKeepsTheDialogOpenOnItsField) {
  using Enter = void (*)(ObservationFields&);
  const Enter entries[] = {
      [](ObservationFields& f) { f.bodyIndex = kFormNoSelection; },
      [](ObservationFields& f) { f.hsDegrees = "90", f.hsMinutes = "0.1"; },
      [](ObservationFields& f) { f.hsMinutes = "60.0"; },
      [](ObservationFields& f) { f.pressure = "0800"; },
  };
  for (size_t i = 0; i < std::size(entries); ++i) {
    SCOPED_TRACE(i);
    RecordingNotice notice;
    ObservationRecorderDialog dialog(ObservationRecorderModel(kMaxSights - 2, SightAt(0, 14, 0)),
                                     notice);
    QWidget* const focus[] = {&dialog.BodyField(), &dialog.HsDegreesField(),
                              &dialog.HsMinutesField(), &dialog.PressureField()};
    ObservationFields fields = dialog.Fields();
    fields.hsDegrees = "35";
    entries[i](fields);
    dialog.SetFields(fields);
    dialog.show();
    if (i % 2 == 0) {
      dialog.accept();
    } else {
      dialog.ActionButton().click();
    }
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.focusWidget(), focus[i]);
    EXPECT_EQ(notice.shown.size(), 1u);
    EXPECT_EQ(dialog.StatusLabel().text(), kObservationEnterText) << "nothing added";
    EXPECT_TRUE(dialog.Model().NewSights().empty());
  }
}

TEST(ObservationRecorderDialog, TheWidgetsShowTheModelThroughAddingAndEditing) {
  RecordingNotice notice;
  ObservationRecorderDialog dialog(ObservationRecorderModel(2, SightAt(0, 14, 0)), notice);
  auto expect = [&dialog](const Shown& shown) { EXPECT_EQ(ShownBy(dialog), shown); };
  expect({"Adding: Observation No. 3 of a possible 25", kObservationEnterText, "&Add", "Del&ete",
          false, false, false, false});
  EXPECT_EQ(dialog.BodyField().count(), kObservedBodyCount);

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
  // The limb list follows the body, and the model hears the change.
  dialog.BodyField().setCurrentIndex(2);
  EXPECT_FALSE(dialog.LimbField().isEnabled()) << "Venus";
  dialog.BodyField().setCurrentIndex(kBodyMoon);
  EXPECT_TRUE(dialog.LimbField().isEnabled());
  EXPECT_EQ(dialog.Model().Fields().bodyIndex, kBodyMoon);
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

  // Editing: Reset brings the logged entries back into the widgets.
  ObservationRecorderDialog editing(
      ObservationRecorderModel(RecorderMode::kEditing, ThreeSights(), 1), notice);
  EXPECT_EQ(editing.BodyField().currentText(), "Moon");
  EXPECT_EQ(editing.ActionButton().text(), "&Reset");
  editing.HsMinutesField().setText("20.5");
  EXPECT_EQ(editing.StatusLabel().text(), kObservationEditedText);
  editing.ActionButton().click();
  EXPECT_EQ(editing.HsMinutesField().text(), "12.0");
  EXPECT_EQ(editing.StatusLabel().text(), "");
  editing.HsMinutesField().setText("20.5");
  editing.MoveButton(RecorderMove::kEnd).click();
  editing.accept();
  const SightEdits edits = editing.Model().Edits();
  ASSERT_EQ(edits.corrections.size(), 1u);
  EXPECT_EQ(edits.corrections[0].first, 160);
  EXPECT_NEAR(edits.corrections[0].second.hs, 35.0 + 20.5 / 60.0, 1e-9);

  // Viewing shows the Sun sight with every entry shut.
  ObservationRecorderDialog viewing(
      ObservationRecorderModel(RecorderMode::kViewing, ThreeSights(), 0), notice);
  EXPECT_EQ(viewing.LimbField().currentText(), "Lower");
  QWidget* const entries[] = {&viewing.BodyField(), &viewing.LimbField(), &viewing.HsMinutesField(),
                              &viewing.DateTime()};
  for (QWidget* entry : entries) EXPECT_FALSE(entry->isEnabled());
  EXPECT_TRUE(notice.shown.empty());
}

}  // namespace
}  // namespace navora
