#pragma once

#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>

#include "app/dialogs/EditText.h"
#include "engine/common/BodyId.h"

namespace navora {

// The groups both rise/set dialogs show. The dialog owns what the fields
// mean; the groups only show them.

// A short numeric edit for a whole number of `digits` digits, written back
// zero-padded ("%02d", "%03d") and no wider than it needs.
QLineEdit* NewDigitsEdit(QWidget* parent, int digits);

// "Time Zone": hours and minutes ("%02d") east or west of Greenwich.
class TimeZoneGroup : public QGroupBox {
 public:
  explicit TimeZoneGroup(QWidget* parent);

  QLineEdit& Hours() { return *hours_; }
  QLineEdit& Minutes() { return *minutes_; }
  QRadioButton& West() { return *west_; }
  QWidget* LastField() { return west_; }

  // The model's members zoneHours, zoneMinutes and zoneWest.
  template <typename Fields>
  void ReadInto(Fields& fields) const {
    fields.zoneHours = EditText(*hours_);
    fields.zoneMinutes = EditText(*minutes_);
    fields.zoneWest = west_->isChecked();
  }
  template <typename Fields>
  void Show(const Fields& fields) {
    SetEditText(*hours_, fields.zoneHours);
    SetEditText(*minutes_, fields.zoneMinutes);
    (fields.zoneWest ? west_ : east_)->setChecked(true);
  }

 private:
  QLineEdit* hours_;
  QLineEdit* minutes_;
  QRadioButton* east_;
  QRadioButton* west_;
};

// "Body": the Sun or the Moon.
class RiseSetBodyGroup : public QGroupBox {
 public:
  explicit RiseSetBodyGroup(QWidget* parent);

  BodyId Body() const { return moon_->isChecked() ? kMoon : kSun; }
  void SetBody(BodyId body) { (body == kMoon ? moon_ : sun_)->setChecked(true); }
  QRadioButton& Moon() { return *moon_; }
  QWidget* FirstField() { return sun_; }
  QWidget* LastField() { return moon_; }

 private:
  QRadioButton* sun_;
  QRadioButton* moon_;
};

}  // namespace navora
