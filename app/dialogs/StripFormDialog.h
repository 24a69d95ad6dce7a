#pragma once

#include <QDialog>
#include <QPushButton>

#include "app/tasks/StripForm.h"

namespace navora {

// The strip form of one sight, read-only: labels on the right of the first
// column, the values in a fixed-pitch font with the degrees right-aligned
// and the minutes beside them, so that degree signs and decimal points line
// up down the form. One OK button (and Escape) closes it.
class StripFormDialog : public QDialog {
 public:
  explicit StripFormDialog(const StripForm& form, QWidget* parent = nullptr);

  QPushButton& OkButton() { return *ok_; }

 private:
  QPushButton* ok_;
};

}  // namespace navora
