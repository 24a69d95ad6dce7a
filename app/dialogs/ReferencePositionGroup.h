#pragma once

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QString>
#include <vector>

#include "engine/common/PositionRecord.h"

namespace navora {

// "Reference Position, Date and Time": the position the ship is advanced
// from, one caption and value a line, with "Edit..." beside them. The dialog
// decides what "Edit..." does; the group only shows the reference.
class ReferencePositionGroup : public QGroupBox {
 public:
  explicit ReferencePositionGroup(QWidget* parent);

  void Show(const PositionRecord& reference);
  QPushButton& EditButton() { return *edit_; }
  // The values as shown, one line per item.
  QString Text() const;

 private:
  std::vector<QLabel*> values_;
  QPushButton* edit_;
};

}  // namespace navora
