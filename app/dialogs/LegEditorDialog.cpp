#include "app/dialogs/LegEditorDialog.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QVBoxLayout>
#include <string>

#include "app/dialogs/NumericField.h"

namespace navora {
namespace {

std::string Latin1(const QLineEdit* edit) { return edit->text().toLatin1().toStdString(); }
QString FromLatin1(const std::string& text) { return QString::fromLatin1(text); }

QLineEdit* NumericEdit(QWidget* parent) {
  auto* edit = new QLineEdit(parent);
  MakeNumericField(*edit);
  return edit;
}

QLabel* Caption(const char* text, QWidget* buddy, QWidget* parent) {
  auto* label = new QLabel(QString::fromLatin1(text), parent);
  label->setBuddy(buddy);
  return label;
}

struct MoveButton {
  const char* text;
  const char* toolTip;
};

constexpr MoveButton kMoveButtons[] = {
    {"BEGIN", "First Leg"},
    {"PREVIOUS", "Previous Leg"},
    {"NEXT", "Next Leg"},
    {"END", "Last Leg"},
};

}  // namespace

LegEditorDialog::LegEditorDialog(LegEditorMode mode, const LegsAndSights& loaded, int legIndex,
                                 Notice& notice, QWidget* parent)
    : QDialog(parent),
      notice_(notice),
      model_(mode, loaded, legIndex),
      dateTime_(new DateTimeGroup(DateTimeGroup::TimeFields::kHourMinuteSecond, this)) {
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(dateTime_);

  auto* position = new QGroupBox(QStringLiteral("Position"), this);
  auto* grid = new QGridLayout(position);
  latitudeDegrees_ = NumericEdit(position);
  latitudeMinutes_ = NumericEdit(position);
  north_ = new QRadioButton(QStringLiteral("&North"), position);
  south_ = new QRadioButton(QStringLiteral("&South"), position);
  longitudeDegrees_ = NumericEdit(position);
  longitudeMinutes_ = NumericEdit(position);
  east_ = new QRadioButton(QStringLiteral("&East"), position);
  west_ = new QRadioButton(QStringLiteral("&West"), position);
  for (auto pair : {std::pair{north_, south_}, std::pair{east_, west_}}) {
    auto* group = new QButtonGroup(position);  // each pair excludes within itself only
    group->addButton(pair.first);
    group->addButton(pair.second);
  }
  grid->addWidget(new QLabel(QStringLiteral("deg."), position), 0, 1);
  grid->addWidget(new QLabel(QStringLiteral("min."), position), 0, 2);
  grid->addWidget(Caption("&Latitude", latitudeDegrees_, position), 1, 0);
  grid->addWidget(latitudeDegrees_, 1, 1);
  grid->addWidget(latitudeMinutes_, 1, 2);
  grid->addWidget(north_, 1, 3);
  grid->addWidget(south_, 1, 4);
  grid->addWidget(Caption("Lon&gitude", longitudeDegrees_, position), 2, 0);
  grid->addWidget(longitudeDegrees_, 2, 1);
  grid->addWidget(longitudeMinutes_, 2, 2);
  grid->addWidget(east_, 2, 3);
  grid->addWidget(west_, 2, 4);
  layout->addWidget(position);

  auto* motion = new QGroupBox(QStringLiteral("Course and Speed"), this);
  auto* row = new QGridLayout(motion);
  course_ = NumericEdit(motion);
  speed_ = NumericEdit(motion);
  row->addWidget(Caption("C&ourse (deg.)", course_, motion), 0, 0);
  row->addWidget(course_, 0, 1);
  row->addWidget(Caption("S&peed (kn.)", speed_, motion), 0, 2);
  row->addWidget(speed_, 0, 3);
  layout->addWidget(motion);

  status_ = new QLabel(this);
  status_->setAlignment(Qt::AlignCenter);
  layout->addWidget(status_);

  auto* moves = new QHBoxLayout;
  for (size_t i = 0; i < moves_.size(); ++i) {
    moves_[i] = new QPushButton(QString::fromLatin1(kMoveButtons[i].text), this);
    moves_[i]->setToolTip(QString::fromLatin1(kMoveButtons[i].toolTip));
    moves_[i]->setAutoDefault(false);
    const auto move = static_cast<LegMove>(i);
    connect(moves_[i], &QPushButton::clicked, this, [this, move] { Move(move); });
    moves->addWidget(moves_[i]);
  }
  layout->addLayout(moves);

  auto* actions = new QHBoxLayout;
  delete_ = new QPushButton(this);
  reset_ = new QPushButton(QStringLiteral("&Reset"), this);
  auto* done = new QPushButton(QStringLiteral("Done"), this);  // the default: Enter
  auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
  for (QPushButton* button : {delete_, reset_, cancel}) button->setAutoDefault(false);
  done->setDefault(true);
  connect(delete_, &QPushButton::clicked, this, [this] {
    model_.ToggleDelete();
    ShowState();
  });
  connect(reset_, &QPushButton::clicked, this, [this] {
    model_.Reset();
    ShowLeg();
  });
  connect(done, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  for (QPushButton* button : {delete_, reset_, done, cancel}) actions->addWidget(button);
  layout->addLayout(actions);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  QWidget* order[] = {dateTime_->SecondField(),
                      latitudeDegrees_,
                      latitudeMinutes_,
                      north_,
                      south_,
                      longitudeDegrees_,
                      longitudeMinutes_,
                      east_,
                      west_,
                      course_,
                      speed_};
  for (size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);

  // Every change of an entry reaches the model, which marks the leg edited.
  for (QLineEdit* edit : {dateTime_->HourField(), dateTime_->MinuteField(),
                          dateTime_->SecondField(), latitudeDegrees_, latitudeMinutes_,
                          longitudeDegrees_, longitudeMinutes_, course_, speed_}) {
    connect(edit, &QLineEdit::textChanged, this, &LegEditorDialog::FieldsChanged);
  }
  for (QRadioButton* button : {south_, west_}) {
    connect(button, &QRadioButton::toggled, this, &LegEditorDialog::FieldsChanged);
  }
  connect(&dateTime_->DayField(), &QSpinBox::valueChanged, this, &LegEditorDialog::FieldsChanged);
  for (QComboBox* list : {&dateTime_->MonthField(), &dateTime_->YearField()}) {
    connect(list, &QComboBox::currentIndexChanged, this, &LegEditorDialog::FieldsChanged);
  }

  const bool editable = model_.FieldsEnabled();
  for (QWidget* field : {static_cast<QWidget*>(dateTime_), static_cast<QWidget*>(position),
                         static_cast<QWidget*>(motion)}) {
    field->setEnabled(editable);
  }
  ShowLeg();
}

NewInitialFixFields LegEditorDialog::Fields() const {
  NewInitialFixFields fields;
  fields.day = dateTime_->Day();
  fields.monthIndex = dateTime_->MonthIndex();
  fields.yearIndex = dateTime_->YearIndex();
  fields.hour = Latin1(dateTime_->HourField());
  fields.minute = Latin1(dateTime_->MinuteField());
  fields.second = Latin1(dateTime_->SecondField());
  fields.latitudeDegrees = Latin1(latitudeDegrees_);
  fields.latitudeMinutes = Latin1(latitudeMinutes_);
  fields.south = south_->isChecked();
  fields.longitudeDegrees = Latin1(longitudeDegrees_);
  fields.longitudeMinutes = Latin1(longitudeMinutes_);
  fields.west = west_->isChecked();
  fields.course = Latin1(course_);
  fields.speed = Latin1(speed_);
  return fields;
}

void LegEditorDialog::SetFields(const NewInitialFixFields& fields) {
  showing_ = true;
  dateTime_->SetDate(fields.day, fields.monthIndex, fields.yearIndex);
  dateTime_->HourField()->setText(FromLatin1(fields.hour));
  dateTime_->MinuteField()->setText(FromLatin1(fields.minute));
  dateTime_->SecondField()->setText(FromLatin1(fields.second));
  latitudeDegrees_->setText(FromLatin1(fields.latitudeDegrees));
  latitudeMinutes_->setText(FromLatin1(fields.latitudeMinutes));
  (fields.south ? south_ : north_)->setChecked(true);
  longitudeDegrees_->setText(FromLatin1(fields.longitudeDegrees));
  longitudeMinutes_->setText(FromLatin1(fields.longitudeMinutes));
  (fields.west ? west_ : east_)->setChecked(true);
  course_->setText(FromLatin1(fields.course));
  speed_->setText(FromLatin1(fields.speed));
  showing_ = false;
  FieldsChanged();
}

void LegEditorDialog::accept() {
  FixField returnTo = FixField::kDay;
  if (!model_.Done(notice_, edits_, returnTo)) {
    if (QWidget* field = FieldWidget(returnTo)) ReturnToField(*field);
    return;
  }
  QDialog::accept();
}

void LegEditorDialog::Move(LegMove move) {
  FixField returnTo = FixField::kDay;
  if (!model_.Move(notice_, move, returnTo)) {
    if (QWidget* field = FieldWidget(returnTo)) ReturnToField(*field);
    return;
  }
  ShowLeg();
}

void LegEditorDialog::FieldsChanged() {
  if (showing_) return;
  model_.SetFields(Fields());
  ShowState();
}

void LegEditorDialog::ShowLeg() {
  SetFields(model_.Fields());
  ShowState();
}

void LegEditorDialog::ShowState() {
  setWindowTitle(QString::fromLatin1(model_.Title()));
  status_->setText(QString::fromLatin1(model_.Status()));
  for (size_t i = 0; i < moves_.size(); ++i) {
    moves_[i]->setEnabled(model_.CanMove(static_cast<LegMove>(i)));
  }
  // "Dele&te": the other first letters are the fields' mnemonics.
  QString text = QString::fromLatin1(model_.DeleteButtonText());
  delete_->setText(text.insert(text.size() - 2, QLatin1Char('&')));
  delete_->setEnabled(model_.CanToggleDelete());
  reset_->setEnabled(model_.CanReset());
}

QWidget* LegEditorDialog::FieldWidget(FixField field) {
  switch (field) {
    case FixField::kDay:
      return &dateTime_->DayField();
    case FixField::kMonth:
      return &dateTime_->MonthField();
    case FixField::kYear:
      return &dateTime_->YearField();
    case FixField::kHour:
      return dateTime_->HourField();
    case FixField::kMinute:
      return dateTime_->MinuteField();
    case FixField::kSecond:
      return dateTime_->SecondField();
    case FixField::kLatitudeDegrees:
      return latitudeDegrees_;
    case FixField::kLatitudeMinutes:
      return latitudeMinutes_;
    case FixField::kLongitudeDegrees:
      return longitudeDegrees_;
    case FixField::kLongitudeMinutes:
      return longitudeMinutes_;
    case FixField::kCourse:
      return course_;
    case FixField::kSpeed:
      return speed_;
  }
  return nullptr;
}

}  // namespace navora
