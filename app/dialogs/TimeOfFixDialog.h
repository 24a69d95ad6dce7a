#pragma once

#include <QDialog>
#include <QPushButton>
#include <array>

namespace navora {

// Which time of the last leg's included sights the fix is computed for.
enum class TimeOfFixChoice { kFirstObservation, kAverageObservation, kLastObservation };

// "Choose a Time of Fix:", asked when the last leg holds more than one
// included sight: each of the three buttons accepts with its choice; Cancel
// (and Escape) rejects, which ends the command.
class TimeOfFixDialog : public QDialog {
 public:
  explicit TimeOfFixDialog(QWidget* parent = nullptr);

  // The button pressed; the time of the last observation until one is.
  TimeOfFixChoice Choice() const { return choice_; }

  QPushButton& ChoiceButton(TimeOfFixChoice choice) {
    return *choices_[static_cast<size_t>(choice)];
  }

 private:
  TimeOfFixChoice choice_ = TimeOfFixChoice::kLastObservation;
  std::array<QPushButton*, 3> choices_;
};

}  // namespace navora
