// The strip form dialog shown offscreen: the degree sign reaches the widgets
// as U+00B0, the degree fields end in one column so the signs line up, and
// OK closes it.

#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QSet>

#include "app/dialogs/StripFormDialog.h"

namespace navora {
namespace {

TEST(StripFormDialog, ShowsTheFormWithDegreeSignsInOneColumn) {
  SightPlotState state;
  state.nLegs = 1;
  state.nSights = 1;
  ReducedObservation& r = state.reduced[0];
  r.hs = r.ho = r.hc = 45.5;
  r.drLatitude = 41.25;
  r.drLongitude = -70.5;
  r.lha = 20.0;  // hours: 300 degrees
  r.dec = -5.0;
  StripForm form;
  ASSERT_TRUE(BuildStripForm(state, 0, form));

  StripFormDialog dialog(form);
  dialog.show();
  EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Strip Form"));

  const QChar degreeSign(0x00B0);
  QSet<int> degreeRightEdges;
  QStringList degreeTexts;
  for (const QLabel* label : dialog.findChildren<QLabel*>()) {
    if (!label->text().contains(degreeSign)) continue;
    degreeTexts << label->text();
    degreeRightEdges.insert(label->geometry().right());
    EXPECT_TRUE(label->alignment() & Qt::AlignRight) << label->text().toStdString();
  }
  EXPECT_EQ(degreeTexts.size(), 7) << degreeTexts.join(QLatin1Char('|')).toStdString();
  EXPECT_TRUE(degreeTexts.contains(QStringLiteral("N 41\u00B0")));
  EXPECT_TRUE(degreeTexts.contains(QStringLiteral("W 070\u00B0")));
  EXPECT_TRUE(degreeTexts.contains(QStringLiteral("300\u00B0")));
  EXPECT_EQ(degreeRightEdges.size(), 1);

  dialog.OkButton().click();
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

}  // namespace
}  // namespace navora
