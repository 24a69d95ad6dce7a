#pragma once

#include <QLineEdit>
#include <QWidget>

namespace navora {

// The numeric edits of the task dialogs.

// Refuses the typed keys that NumericFieldAccepts refuses. `target` receives
// the keys; `edit` holds the text (the same widget, or a spin box's edit).
void MakeNumericField(QWidget& target, QLineEdit& edit);
inline void MakeNumericField(QLineEdit& edit) { MakeNumericField(edit, edit); }

// A new edit of a numeric field.
inline QLineEdit* NewNumericEdit(QWidget* parent) {
  auto* edit = new QLineEdit(parent);
  MakeNumericField(*edit);
  return edit;
}

// When the edit loses the focus holding an integer, the integer is written
// back with at least `digits` digits ("%02d", "%03d").
void FormatIntegerOnFocusOut(QLineEdit& edit, int digits);

// `value` written with at least `digits` digits.
QString ZeroPadded(int value, int digits);

// Selects the edit's text and gives it the focus: where a refused entry sends
// the navigator back.
void ReturnToField(QWidget& field);

// The computer's clock as a UTC Julian date.
double NowJulianDate();

}  // namespace navora
