#include "app/dialogs/ObservationRecorderDialog.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "app/dialogs/EditText.h"
#include "app/dialogs/NumericField.h"

namespace navora {
namespace {

constexpr const char* kMoveTexts[] = {"BEGIN", "PREVIOUS", "NEXT", "END"};

// Widths of the edits in characters of their longest entry ("-0.9", "59.9",
// "1010"), so the form stays compact like the sextant log it copies.
constexpr int kShortEditChars = 4;
constexpr int kEditMarginChars = 2;

// Digits written back on leaving an edit, as the sight is shown.
constexpr int kHsDegreeDigits = 2;
constexpr int kHeightDigits = 3;
constexpr int kPressureDigits = 4;

QLineEdit* NewShortEdit(QWidget* parent) {
  QLineEdit* edit = NewNumericEdit(parent);
  const int chars = kShortEditChars + kEditMarginChars;
  edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(QString(chars, QLatin1Char('0'))));
  return edit;
}

QLabel* UnitLabel(const char* text, QWidget* parent) {
  return new QLabel(QString::fromLatin1(text), parent);
}

// "&" before the first letter, or before `at` letters from the end.
QString WithMnemonic(const std::string& text, int fromEnd) {
  QString shown = QString::fromLatin1(text);
  const qsizetype at = fromEnd > 0 ? shown.size() - fromEnd : 0;
  return at >= 0 ? shown.insert(at, QLatin1Char('&')) : shown;
}

// The other captions' mnemonics leave "&Add", "&Remove", "&Reset" and "Del&ete".
constexpr int kDeleteMnemonicFromEnd = 3;

}  // namespace

ObservationRecorderDialog::ObservationRecorderDialog(ObservationRecorderModel model, Notice& notice,
                                                     QWidget* parent)
    : QDialog(parent),
      notice_(notice),
      model_(std::move(model)),
      dateTime_(new DateTimeGroup(DateTimeGroup::TimeFields::kHourMinuteSecond, this)),
      status_(new QLabel(this)) {
  auto* layout = new QVBoxLayout(this);

  // The status sits beside the date, with UT1 - UTC under it: both belong to the time.
  auto* top = new QHBoxLayout;
  top->addWidget(dateTime_);
  auto* side = new QVBoxLayout;
  status_->setAlignment(Qt::AlignCenter);
  status_->setMinimumWidth(status_->fontMetrics().horizontalAdvance(
      QString::fromLatin1(kObservationEnterText) + QStringLiteral("00")));
  side->addWidget(status_, 1);
  auto* ut1Row = new QHBoxLayout;
  ut1MinusUtc_ = NewShortEdit(this);
  ut1Row->addWidget(BuddyLabel("UT&1 - UTC", ut1MinusUtc_, this));
  ut1Row->addWidget(ut1MinusUtc_);
  ut1Row->addWidget(UnitLabel("Sec.", this));
  side->addLayout(ut1Row);
  top->addLayout(side);
  layout->addLayout(top);

  auto* sight = new QGroupBox(QStringLiteral("Observation"), this);
  auto* grid = new QGridLayout(sight);
  BuildSightGroup(sight, *grid);
  layout->addWidget(sight);

  auto* moves = new QHBoxLayout;
  for (size_t i = 0; i < moves_.size(); ++i) {
    moves_[i] = new QPushButton(QString::fromLatin1(kMoveTexts[i]), this);
    moves_[i]->setToolTip(QString::fromLatin1(kObservationMoveTips[i]));
    moves_[i]->setAutoDefault(false);
    const auto move = static_cast<RecorderMove>(i);
    connect(moves_[i], &QPushButton::clicked, this, [this, move] { Move(move); });
    moves->addWidget(moves_[i]);
  }
  layout->addLayout(moves);

  auto* actions = new QHBoxLayout;
  action_ = new QPushButton(this);
  delete_ = new QPushButton(this);
  auto* done = new QPushButton(QStringLiteral("Done"), this);  // the default: Enter
  auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
  for (QPushButton* button : {action_, delete_, cancel}) button->setAutoDefault(false);
  done->setDefault(true);
  connect(action_, &QPushButton::clicked, this, &ObservationRecorderDialog::RunAction);
  connect(delete_, &QPushButton::clicked, this, [this] {
    model_.ToggleDelete();
    ShowState();
  });
  connect(done, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  for (QPushButton* button : {action_, delete_, done, cancel}) actions->addWidget(button);
  layout->addLayout(actions);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  entries_ = {dateTime_,    ut1MinusUtc_,     body_,        hsDegrees_, hsMinutes_, quality_,
              heightOfEye_, indexCorrection_, temperature_, pressure_};
  QWidget* order[] = {dateTime_->SecondField(),
                      ut1MinusUtc_,
                      body_,
                      hsDegrees_,
                      hsMinutes_,
                      limb_,
                      quality_,
                      heightOfEye_,
                      indexCorrection_,
                      temperature_,
                      pressure_};
  for (size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);

  // Every change of an entry reaches the model, which decides what follows.
  for (QLineEdit* edit :
       {dateTime_->HourField(), dateTime_->MinuteField(), dateTime_->SecondField(), ut1MinusUtc_,
        hsDegrees_, hsMinutes_, heightOfEye_, indexCorrection_, temperature_, pressure_}) {
    connect(edit, &QLineEdit::textChanged, this, &ObservationRecorderDialog::FieldsChanged);
  }
  for (QComboBox* list :
       {&dateTime_->MonthField(), &dateTime_->YearField(), body_, limb_, quality_}) {
    connect(list, &QComboBox::currentIndexChanged, this, &ObservationRecorderDialog::FieldsChanged);
  }
  connect(&dateTime_->DayField(), &QSpinBox::valueChanged, this,
          &ObservationRecorderDialog::FieldsChanged);

  for (QWidget* entry : entries_) entry->setEnabled(model_.FieldsEnabled());
  ShowSight();
  if (model_.FieldsEnabled()) body_->setFocus(Qt::OtherFocusReason);
}

void ObservationRecorderDialog::BuildSightGroup(QWidget* parent, QGridLayout& grid) {
  body_ = new QComboBox(parent);
  for (int i = 0; i < kObservedBodyCount; ++i) {
    body_->addItem(QString::fromLatin1(ObservedBodyName(i)));
  }
  body_->setMaxVisibleItems(20);
  limb_ = new QComboBox(parent);
  for (const char* name : kLimbNames) limb_->addItem(QString::fromLatin1(name));
  quality_ = new QComboBox(parent);
  for (const char* name : kQualityNames) quality_->addItem(QString::fromLatin1(name));
  hsDegrees_ = NewShortEdit(parent);
  hsMinutes_ = NewShortEdit(parent);
  heightOfEye_ = NewShortEdit(parent);
  indexCorrection_ = NewShortEdit(parent);
  temperature_ = NewShortEdit(parent);
  pressure_ = NewShortEdit(parent);
  FormatIntegerOnFocusOut(*hsDegrees_, kHsDegreeDigits);
  FormatIntegerOnFocusOut(*heightOfEye_, kHeightDigits);
  FormatIntegerOnFocusOut(*pressure_, kPressureDigits);

  // Left: what was observed and read off the sextant; right: the instrument
  // and the weather, which the corrections of the altitude need.
  grid.addWidget(BuddyLabel("&Body", body_, parent), 0, 0);
  grid.addWidget(body_, 0, 1);
  grid.addWidget(BuddyLabel("&Limb", limb_, parent), 1, 0);
  grid.addWidget(limb_, 1, 1);
  grid.addWidget(BuddyLabel("h&s", hsDegrees_, parent), 2, 0);
  auto* hs = new QHBoxLayout;
  hs->addWidget(hsDegrees_);
  hs->addWidget(UnitLabel("deg.", parent));
  hs->addWidget(hsMinutes_);
  hs->addWidget(UnitLabel("min.", parent));
  hs->addStretch(1);
  grid.addLayout(hs, 2, 1);
  grid.addWidget(BuddyLabel("&Quality", quality_, parent), 3, 0);
  grid.addWidget(quality_, 3, 1);

  grid.setColumnMinimumWidth(2, grid.spacing() * 4);
  grid.addWidget(BuddyLabel("Hei&ght of eye", heightOfEye_, parent), 0, 3);
  grid.addWidget(heightOfEye_, 0, 4);
  grid.addWidget(UnitLabel("Feet", parent), 0, 5);
  grid.addWidget(BuddyLabel("IC", indexCorrection_, parent), 1, 3);
  grid.addWidget(indexCorrection_, 1, 4);
  grid.addWidget(UnitLabel("min.", parent), 1, 5);
  grid.addWidget(BuddyLabel("&Temperature", temperature_, parent), 2, 3);
  grid.addWidget(temperature_, 2, 4);
  grid.addWidget(UnitLabel("C", parent), 2, 5);
  grid.addWidget(BuddyLabel("&Pressure", pressure_, parent), 3, 3);
  grid.addWidget(pressure_, 3, 4);
  grid.addWidget(UnitLabel("mb", parent), 3, 5);
}

ObservationFields ObservationRecorderDialog::Fields() const {
  ObservationFields fields;
  dateTime_->ReadInto(fields);
  fields.ut1MinusUtc = EditText(*ut1MinusUtc_);
  fields.bodyIndex = body_->currentIndex();
  fields.hsDegrees = EditText(*hsDegrees_);
  fields.hsMinutes = EditText(*hsMinutes_);
  fields.limbIndex = limb_->currentIndex();
  fields.qualityIndex = quality_->currentIndex();
  fields.heightOfEye = EditText(*heightOfEye_);
  // The dialog shows feet; a sight read in metres keeps its unit.
  fields.heightInMetres = model_.Fields().heightInMetres;
  fields.indexCorrection = EditText(*indexCorrection_);
  fields.temperature = EditText(*temperature_);
  fields.pressure = EditText(*pressure_);
  return fields;
}

void ObservationRecorderDialog::SetFields(const ObservationFields& fields) {
  showing_ = true;
  dateTime_->Show(fields);
  SetEditText(*ut1MinusUtc_, fields.ut1MinusUtc);
  body_->setCurrentIndex(fields.bodyIndex);
  SetEditText(*hsDegrees_, fields.hsDegrees);
  SetEditText(*hsMinutes_, fields.hsMinutes);
  limb_->setCurrentIndex(fields.limbIndex);
  quality_->setCurrentIndex(fields.qualityIndex);
  SetEditText(*heightOfEye_, fields.heightOfEye);
  SetEditText(*indexCorrection_, fields.indexCorrection);
  SetEditText(*temperature_, fields.temperature);
  SetEditText(*pressure_, fields.pressure);
  showing_ = false;
  FieldsChanged();
}

QWidget* ObservationRecorderDialog::FieldWidget(ObservationField field) {
  switch (field) {
    case ObservationField::kDay:
      return dateTime_->PartField(DateTimeGroup::Part::kDay);
    case ObservationField::kMonth:
      return dateTime_->PartField(DateTimeGroup::Part::kMonth);
    case ObservationField::kYear:
      return dateTime_->PartField(DateTimeGroup::Part::kYear);
    case ObservationField::kHour:
      return dateTime_->PartField(DateTimeGroup::Part::kHour);
    case ObservationField::kMinute:
      return dateTime_->PartField(DateTimeGroup::Part::kMinute);
    case ObservationField::kSecond:
      return dateTime_->PartField(DateTimeGroup::Part::kSecond);
    case ObservationField::kUt1MinusUtc:
      return ut1MinusUtc_;
    case ObservationField::kBody:
      return body_;
    case ObservationField::kHsDegrees:
      return hsDegrees_;
    case ObservationField::kHsMinutes:
      return hsMinutes_;
    case ObservationField::kLimb:
      return limb_;
    case ObservationField::kQuality:
      return quality_;
    case ObservationField::kHeightOfEye:
      return heightOfEye_;
    case ObservationField::kIndexCorrection:
      return indexCorrection_;
    case ObservationField::kTemperature:
      return temperature_;
    case ObservationField::kPressure:
      return pressure_;
  }
  return nullptr;
}

void ObservationRecorderDialog::accept() {
  ObservationField returnTo = ObservationField::kDay;
  if (!model_.Done(notice_, returnTo)) return ReturnTo(returnTo);
  QDialog::accept();
}

void ObservationRecorderDialog::Move(RecorderMove move) {
  ObservationField returnTo = ObservationField::kDay;
  if (!model_.Move(notice_, move, returnTo)) return ReturnTo(returnTo);
  ShowSight();
}

void ObservationRecorderDialog::RunAction() {
  ObservationField returnTo = ObservationField::kDay;
  if (!model_.Action(notice_, returnTo)) return ReturnTo(returnTo);
  ShowSight();
}

void ObservationRecorderDialog::ReturnTo(ObservationField field) {
  if (QWidget* widget = FieldWidget(field)) ReturnToField(*widget);
  ShowState();  // an accepted entry before the refused one may have changed the list
}

void ObservationRecorderDialog::FieldsChanged() {
  if (showing_) return;
  model_.SetFields(Fields());
  ShowState();
}

void ObservationRecorderDialog::ShowSight() {
  SetFields(model_.Fields());
  ShowState();
}

void ObservationRecorderDialog::ShowState() {
  setWindowTitle(QString::fromLatin1(model_.Title()));
  status_->setText(QString::fromLatin1(model_.Status()));
  limb_->setEnabled(model_.LimbEnabled());
  for (size_t i = 0; i < moves_.size(); ++i) {
    moves_[i]->setEnabled(model_.CanMove(static_cast<RecorderMove>(i)));
  }
  action_->setText(WithMnemonic(model_.ActionText(), 0));
  action_->setEnabled(model_.ActionEnabled());
  delete_->setText(WithMnemonic(model_.DeleteButtonText(), kDeleteMnemonicFromEnd));
  delete_->setEnabled(model_.CanToggleDelete());
}

}  // namespace navora
