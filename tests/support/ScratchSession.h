#pragma once

// A desktop-program session for the tests that drive Qt windows: its own
// settings store and voyage directory under a fresh scratch directory, the
// data files of the build, and a notice that records every message and
// answers from a script.

#include <QSettings>
#include <QString>
#include <filesystem>
#include <string>

#include "app/bridge/DataDirectory.h"
#include "app/bridge/RecordingNotice.h"
#include "app/tasks/ApplicationState.h"
#include "support/TemporaryDirectory.h"

namespace navora::testing {

class ScratchSession {
  TemporaryDirectory scratch_;  // first: the members below use it

 public:
  ScratchSession() {
    const QString settings = QString::fromStdString(scratch_.File("settings"));
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settings);
    std::filesystem::create_directories(VoyageDirectory());
  }

  // Ends in '/', as the logs take it.
  std::string VoyageDirectory() const { return scratch_.File("voyage/"); }
  std::string File(const std::string& name) const { return scratch_.File(name); }

  RecordingNotice notice;
  ApplicationState state{FindDataDirectory(), VoyageDirectory()};
};

}  // namespace navora::testing
