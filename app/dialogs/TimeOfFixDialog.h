#pragma once

#include <QDialog>
#include <QPushButton>
#include <array>

#include "app/tasks/ComputeFixCourse.h"

namespace navora {

// "Choose a Time of Fix:", asked when the last leg holds more than one
// included sight: each of the three buttons accepts with its choice; Cancel
// (and Escape) rejects, which ends the command.
class TimeOfFixDialog : public QDialog {
 public:
  explicit TimeOfFixDialog(QWidget* parent = nullptr);

  // The button pressed; the time of the last observation until one is.
  FixTimeChoice Choice() const { return choice_; }

  QPushButton& ChoiceButton(FixTimeChoice choice) { return *choices_[static_cast<size_t>(choice)]; }

 private:
  FixTimeChoice choice_ = FixTimeChoice::kLast;
  std::array<QPushButton*, 3> choices_;
};

}  // namespace navora
