#include "app/dialogs/NumericField.h"

#include <QAbstractSpinBox>
#include <QDateTime>
#include <QEvent>
#include <QFocusEvent>
#include <QKeyEvent>

#include "app/tasks/NumericFieldRules.h"

namespace navora {
namespace {

constexpr double kUnixEpochJd = 2440587.5;  // 1970 January 1, 0h UTC
constexpr double kMillisecondsPerDay = 86400000.0;

// Applies the numeric-edit rules to the typed characters; editing keys and
// non-ASCII characters have no rule and pass.
class NumericKeyFilter : public QObject {
 public:
  NumericKeyFilter(QLineEdit& edit, QObject* parent) : QObject(parent), edit_(edit) {}

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::KeyPress) return QObject::eventFilter(watched, event);
    const QString typed = static_cast<QKeyEvent*>(event)->text();
    if (typed.size() != 1 || typed[0].unicode() >= 0x80) return false;
    const bool selected = edit_.hasSelectedText();
    const int start = selected ? edit_.selectionStart() : edit_.cursorPosition();
    const int length = selected ? static_cast<int>(edit_.selectedText().size()) : 0;
    const QByteArray text = edit_.text().toLatin1();
    const bool accepted = NumericFieldAccepts(
        std::string_view(text.constData(), static_cast<size_t>(text.size())),
        static_cast<size_t>(start), static_cast<size_t>(length), typed[0].toLatin1());
    return !accepted;  // a refused key is swallowed
  }

 private:
  QLineEdit& edit_;
};

class FocusOutFormatter : public QObject {
 public:
  FocusOutFormatter(QLineEdit& edit, int digits) : QObject(&edit), edit_(edit), digits_(digits) {}

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::FocusOut) {
      int value = 0;
      const QByteArray text = edit_.text().toLatin1();
      if (ParseIntegerField(std::string_view(text.constData(), static_cast<size_t>(text.size())),
                            value) == FieldText::kValue) {
        edit_.setText(ZeroPadded(value, digits_));
      }
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  QLineEdit& edit_;
  int digits_;
};

}  // namespace

void MakeNumericField(QWidget& target, QLineEdit& edit) {
  target.installEventFilter(new NumericKeyFilter(edit, &target));
}

void FormatIntegerOnFocusOut(QLineEdit& edit, int digits) {
  edit.installEventFilter(new FocusOutFormatter(edit, digits));
}

QString ZeroPadded(int value, int digits) {
  return value < 0 ? QStringLiteral("-") + ZeroPadded(-value, digits - 1)
                   : QStringLiteral("%1").arg(value, digits, 10, QLatin1Char('0'));
}

void ReturnToField(QWidget& field) {
  field.setFocus(Qt::OtherFocusReason);
  if (auto* edit = qobject_cast<QLineEdit*>(&field)) edit->selectAll();
  if (auto* spin = qobject_cast<QAbstractSpinBox*>(&field)) spin->selectAll();
}

double NowJulianDate() {
  return kUnixEpochJd +
         static_cast<double>(QDateTime::currentMSecsSinceEpoch()) / kMillisecondsPerDay;
}

}  // namespace navora
