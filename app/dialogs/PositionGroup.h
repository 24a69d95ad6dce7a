#pragma once

#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>

#include "app/dialogs/EditText.h"

namespace navora {

// A position group of the task dialogs: latitude degrees and minutes with
// "&North"/"&South", longitude degrees and minutes with "&East"/"&West".
// The dialog owns what the fields mean; the group only shows them.
class PositionGroup : public QGroupBox {
 public:
  // The captions carry the mnemonics, e.g. "&Latitude" and "Lon&gitude".
  PositionGroup(const QString& title, const char* latitudeCaption, const char* longitudeCaption,
                QWidget* parent);

  QLineEdit& LatitudeDegrees() { return *latitudeDegrees_; }
  QLineEdit& LatitudeMinutes() { return *latitudeMinutes_; }
  QLineEdit& LongitudeDegrees() { return *longitudeDegrees_; }
  QLineEdit& LongitudeMinutes() { return *longitudeMinutes_; }
  QRadioButton& South() { return *south_; }
  QRadioButton& West() { return *west_; }
  // The first and last fields in tab order, for the dialog's chain.
  QWidget* FirstField() { return latitudeDegrees_; }
  QWidget* LastField() { return west_; }

  // The entries of a model's fields (the texts latitudeDegrees,
  // latitudeMinutes, longitudeDegrees, longitudeMinutes; the flags south, west).
  template <typename Fields>
  void ReadInto(Fields& fields) const {
    fields.latitudeDegrees = EditText(*latitudeDegrees_);
    fields.latitudeMinutes = EditText(*latitudeMinutes_);
    fields.south = south_->isChecked();
    fields.longitudeDegrees = EditText(*longitudeDegrees_);
    fields.longitudeMinutes = EditText(*longitudeMinutes_);
    fields.west = west_->isChecked();
  }
  template <typename Fields>
  void Show(const Fields& fields) {
    SetEditText(*latitudeDegrees_, fields.latitudeDegrees);
    SetEditText(*latitudeMinutes_, fields.latitudeMinutes);
    (fields.south ? south_ : north_)->setChecked(true);
    SetEditText(*longitudeDegrees_, fields.longitudeDegrees);
    SetEditText(*longitudeMinutes_, fields.longitudeMinutes);
    (fields.west ? west_ : east_)->setChecked(true);
  }

 private:
  QLineEdit* latitudeDegrees_;
  QLineEdit* latitudeMinutes_;
  QRadioButton* north_;
  QRadioButton* south_;
  QLineEdit* longitudeDegrees_;
  QLineEdit* longitudeMinutes_;
  QRadioButton* east_;
  QRadioButton* west_;
};

}  // namespace navora
