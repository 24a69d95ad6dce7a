#include "app/dialogs/ReferencePositionGroup.h"

#include <QGridLayout>
#include <QStringList>

#include "app/tasks/RiseSetDialogModels.h"

namespace navora {
namespace {

constexpr const char* kCaptions[] = {
    "Type:", "Date:", "Time:", "Latitude:", "Longitude:", "Course:", "Speed:"};

// The texts in the order of kCaptions, units added.
QStringList Values(const PositionRecord& reference) {
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

ReferencePositionGroup::ReferencePositionGroup(QWidget* parent)
    : QGroupBox(QStringLiteral("Reference Position, Date and Time"), parent),
      edit_(new QPushButton(QStringLiteral("&Edit..."), this)) {
  auto* grid = new QGridLayout(this);
  int row = 0;
  for (const char* caption : kCaptions) {
    auto* value = new QLabel(this);
    value->setTextInteractionFlags(Qt::TextSelectableByMouse);
    grid->addWidget(new QLabel(QString::fromLatin1(caption), this), row, 0);
    grid->addWidget(value, row, 1);
    values_.push_back(value);
    ++row;
  }
  grid->addWidget(edit_, 0, 2, Qt::AlignTop | Qt::AlignRight);
  grid->setColumnStretch(1, 1);
}

void ReferencePositionGroup::Show(const PositionRecord& reference) {
  const QStringList values = Values(reference);
  for (size_t i = 0; i < values_.size(); ++i) {
    values_[i]->setText(values[static_cast<qsizetype>(i)]);
  }
}

QString ReferencePositionGroup::Text() const {
  QStringList lines;
  for (const QLabel* value : values_) lines << value->text();
  return lines.join(QLatin1Char('\n'));
}

}  // namespace navora
