#include "app/dialogs/PositionGroup.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QLabel>
#include <iterator>

#include "app/dialogs/NumericField.h"

namespace navora {

PositionGroup::PositionGroup(const QString& title, const char* latitudeCaption,
                             const char* longitudeCaption, QWidget* parent)
    : QGroupBox(title, parent),
      latitudeDegrees_(NewNumericEdit(this)),
      latitudeMinutes_(NewNumericEdit(this)),
      north_(new QRadioButton(QStringLiteral("&North"), this)),
      south_(new QRadioButton(QStringLiteral("&South"), this)),
      longitudeDegrees_(NewNumericEdit(this)),
      longitudeMinutes_(NewNumericEdit(this)),
      east_(new QRadioButton(QStringLiteral("&East"), this)),
      west_(new QRadioButton(QStringLiteral("&West"), this)) {
  // Each pair excludes within itself only.
  for (auto pair : {std::pair{north_, south_}, std::pair{east_, west_}}) {
    auto* group = new QButtonGroup(this);
    group->addButton(pair.first);
    group->addButton(pair.second);
  }
  auto* grid = new QGridLayout(this);
  grid->addWidget(new QLabel(QStringLiteral("deg."), this), 0, 1);
  grid->addWidget(new QLabel(QStringLiteral("min."), this), 0, 2);
  grid->addWidget(BuddyLabel(latitudeCaption, latitudeDegrees_, this), 1, 0);
  grid->addWidget(latitudeDegrees_, 1, 1);
  grid->addWidget(latitudeMinutes_, 1, 2);
  grid->addWidget(north_, 1, 3);
  grid->addWidget(south_, 1, 4);
  grid->addWidget(BuddyLabel(longitudeCaption, longitudeDegrees_, this), 2, 0);
  grid->addWidget(longitudeDegrees_, 2, 1);
  grid->addWidget(longitudeMinutes_, 2, 2);
  grid->addWidget(east_, 2, 3);
  grid->addWidget(west_, 2, 4);

  QWidget* order[] = {latitudeDegrees_,  latitudeMinutes_,  north_, south_,
                      longitudeDegrees_, longitudeMinutes_, east_,  west_};
  for (size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);
}

}  // namespace navora
