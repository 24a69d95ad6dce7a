#pragma once

// The session a dialog opens over, with the build's data files checked, and
// OK pressed on a shown dialog.

#include <gtest/gtest.h>

#include <QDialog>

#include "app/bridge/DataFileChecks.h"
#include "support/ScratchSession.h"

namespace navora::testing {

class DialogFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(CheckDataFilesAtStartup(session_.notice, session_.state.places));
  }

  // Shows the dialog, OK, and where it stands: open or not, and the focus.
  struct Outcome {
    bool open;
    QWidget* focus;
  };
  static Outcome PressOk(QDialog& dialog) {
    dialog.show();
    dialog.accept();
    return {dialog.isVisible(), dialog.focusWidget()};
  }

  ScratchSession session_;
  EphemerisTable& ephemeris_ = session_.state.places.ephemeris;
  ReferenceState& state_ = session_.state.reference;
};

}  // namespace navora::testing
