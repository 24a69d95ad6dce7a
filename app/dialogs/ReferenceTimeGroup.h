#pragma once

#include <QGroupBox>
#include <QLabel>

namespace navora {

// The "Reference Date and Time" group of the position dialogs: the date and
// time of the position the entries are checked against, for display only.
class ReferenceTimeGroup : public QGroupBox {
 public:
  // `referenceJd`: UTC Julian date, shown to the second.
  explicit ReferenceTimeGroup(double referenceJd, QWidget* parent = nullptr);

  QString Text() const { return text_->text(); }

 private:
  QLabel* text_;
};

}  // namespace navora
