#include "app/dialogs/RiseSetUnderwayDialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QStringList>
#include <QVBoxLayout>

#include "app/dialogs/NewInitialFixDialog.h"
#include "app/dialogs/NumericField.h"

namespace navora {
namespace {

constexpr int kHeightDigits = 3;
// Room for the date row at its ease: the dialog is otherwise no wider than
// the reference group.
constexpr int kDateRowChars = 74;
constexpr const char* kReferenceCaptions[] = {
    "Type:", "Date:", "Time:", "Latitude:", "Longitude:", "Course:", "Speed:"};

// The texts in the order of kReferenceCaptions, units added.
QStringList ReferenceValues(const PositionRecord& reference) {
  const RiseSetReferenceTexts texts = DescribeRiseSetReference(reference);
  const auto latin1 = [](const std::string& text) { return QString::fromLatin1(text); };
  return {latin1(texts.type),
          latin1(texts.date),
          latin1(texts.time),
          latin1(texts.latitude),
          latin1(texts.longitude),
          latin1(texts.course) + QStringLiteral(" deg."),
          latin1(texts.speed) + QStringLiteral(" kn.")};
}

}  // namespace

RiseSetUnderwayDialog::RiseSetUnderwayDialog(Notice& notice, EphemerisTable& ephemeris,
                                             ReferenceState& state, const PositionRecord& reference,
                                             FixDialog enterFix, QWidget* parent)
    : QDialog(parent),
      notice_(notice),
      ephemeris_(ephemeris),
      state_(state),
      enterFix_(enterFix ? std::move(enterFix) : MakeFixDialog(this, notice)),
      reference_(reference),
      date_(new DateTimeGroup(DateTimeGroup::TimeFields::kNone, this)),
      zone_(new TimeZoneGroup(this)),
      body_(new RiseSetBodyGroup(this)) {
  setWindowTitle(QStringLiteral("Rise/Set/Transit - Underway"));
  auto* layout = new QVBoxLayout(this);
  date_->setTitle(QStringLiteral("Date (UTC)"));
  date_->setMinimumWidth(fontMetrics().averageCharWidth() * kDateRowChars);
  layout->addWidget(date_);
  layout->addWidget(zone_);

  auto* heightGroup = new QGroupBox(QStringLiteral("&Height of Eye"), this);
  auto* heightRow = new QHBoxLayout(heightGroup);
  height_ = NewDigitsEdit(heightGroup, kHeightDigits);
  heightRow->addWidget(height_);
  heightRow->addWidget(new QLabel(QStringLiteral("Feet"), heightGroup));
  heightRow->addStretch();
  auto* heightAndBody = new QHBoxLayout;
  heightAndBody->addWidget(heightGroup);
  heightAndBody->addWidget(body_);
  layout->addLayout(heightAndBody);

  auto* shown = new QGroupBox(QStringLiteral("Reference Position, Date and Time"), this);
  auto* grid = new QGridLayout(shown);
  int row = 0;
  for (const char* caption : kReferenceCaptions) {
    auto* value = new QLabel(shown);
    value->setTextInteractionFlags(Qt::TextSelectableByMouse);
    grid->addWidget(new QLabel(QString::fromLatin1(caption), shown), row, 0);
    grid->addWidget(value, row, 1);
    referenceValues_.push_back(value);
    ++row;
  }
  edit_ = new QPushButton(QStringLiteral("&Edit..."), shown);
  grid->addWidget(edit_, 0, 2, Qt::AlignTop | Qt::AlignRight);
  grid->setColumnStretch(1, 1);
  layout->addWidget(shown);
  connect(edit_, &QPushButton::clicked, this, [this] {
    if (EditRiseSetReference(notice_, enterFix_, reference_)) ShowReference();
  });

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  setTabOrder(&date_->CurrentDateButton(), &zone_->Hours());
  setTabOrder(zone_->LastField(), height_);
  setTabOrder(height_, body_->FirstField());
  setTabOrder(body_->LastField(), edit_);

  SetFields(InitialRiseSetUnderwayFields(reference));
  date_->DayField().setFocus(Qt::OtherFocusReason);
}

RiseSetUnderwayFields RiseSetUnderwayDialog::Fields() const {
  RiseSetUnderwayFields fields;
  fields.day = date_->Day();
  fields.monthIndex = date_->MonthIndex();
  fields.yearIndex = date_->YearIndex();
  zone_->ReadInto(fields);
  fields.heightOfEye = EditText(*height_);
  fields.body = body_->Body();
  fields.reference = reference_;
  return fields;
}

void RiseSetUnderwayDialog::SetFields(const RiseSetUnderwayFields& fields) {
  date_->SetDate(fields.day, fields.monthIndex, fields.yearIndex);
  zone_->Show(fields);
  SetEditText(*height_, fields.heightOfEye);
  body_->SetBody(fields.body);
  reference_ = fields.reference;
  ShowReference();
}

void RiseSetUnderwayDialog::ShowReference() {
  const QStringList values = ReferenceValues(reference_);
  for (size_t i = 0; i < referenceValues_.size(); ++i) {
    referenceValues_[i]->setText(values[static_cast<qsizetype>(i)]);
  }
}

QString RiseSetUnderwayDialog::ReferenceText() const {
  QStringList lines;
  for (const QLabel* value : referenceValues_) lines << value->text();
  return lines.join(QLatin1Char('\n'));
}

void RiseSetUnderwayDialog::accept() {
  RiseSetField returnTo = RiseSetField::kDay;
  if (!AcceptRiseSetUnderwayDialog(notice_, ephemeris_, state_, Fields(), request_, returnTo)) {
    if (QWidget* field = FieldWidget(returnTo)) ReturnToField(*field);
    return;
  }
  QDialog::accept();
}

QWidget* RiseSetUnderwayDialog::FieldWidget(RiseSetField field) {
  switch (field) {
    case RiseSetField::kMonth:
      return &date_->MonthField();
    case RiseSetField::kYear:
      return &date_->YearField();
    case RiseSetField::kZoneHours:
      return &zone_->Hours();
    case RiseSetField::kZoneMinutes:
      return &zone_->Minutes();
    case RiseSetField::kHeightOfEye:
      return height_;
    default:
      return &date_->DayField();
  }
}

}  // namespace navora
