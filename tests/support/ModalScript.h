#pragma once

// Drives the modal dialogs a command opens, for the tests that run the
// desktop program's commands: each step acts on the next dialog in turn and
// a dialog its step left open is rejected, so that a test cannot hang. Once
// the last step has run the script stops looking, leaving later dialogs to
// later scripts; a script of no steps rejects and counts every dialog.

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <deque>
#include <functional>
#include <initializer_list>

namespace navora::testing {

class ModalScript {
 public:
  using Step = std::function<void(QDialog&)>;

  explicit ModalScript(std::initializer_list<Step> steps) : steps_(steps) {
    QObject::connect(&poll_, &QTimer::timeout, [this] {
      auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
      if (dialog == nullptr) return;
      if (steps_.empty()) {
        ++unexpected_;
      } else {
        const Step step = steps_.front();
        steps_.pop_front();
        step(*dialog);
        if (steps_.empty()) poll_.stop();
      }
      if (dialog->isVisible()) dialog->reject();
    });
    poll_.start(kPollMs);
  }

  // A step for a dialog of type D; a dialog of another kind fails the test.
  template <typename D>
  static Step On(std::function<void(D&)> act) {
    return [act](QDialog& dialog) {
      auto* typed = dynamic_cast<D*>(&dialog);
      ASSERT_NE(typed, nullptr) << "unexpected dialog " << dialog.windowTitle().toStdString();
      act(*typed);
    };
  }

  bool Finished() const { return steps_.empty() && unexpected_ == 0; }

 private:
  static constexpr int kPollMs = 10;
  std::deque<Step> steps_;
  int unexpected_ = 0;
  QTimer poll_;
};

}  // namespace navora::testing
