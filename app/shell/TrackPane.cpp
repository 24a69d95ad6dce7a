#include "app/shell/TrackPane.h"

#include <QAction>
#include <QEvent>
#include <QHeaderView>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPolygonF>
#include <QTreeWidgetItemIterator>
#include <QVBoxLayout>
#include <QtMath>
#include <vector>

#include "app/tasks/TaskCommands.h"

namespace navora {

namespace {

constexpr int kImageSize = 16;  // pixels
constexpr int kLegRole = Qt::UserRole;
constexpr int kSightRole = Qt::UserRole + 1;
constexpr int kImageRole = Qt::UserRole + 2;  // the index of the item's image

// Small line drawings in the tree's text colour on a transparent ground.
using Drawing = void (*)(QPainter&);

void DrawStar(QPainter& painter) {  // celestial fix
  QPolygonF star;
  for (int i = 0; i < 10; ++i) {
    const double radius = i % 2 == 0 ? 7.0 : 3.0;
    const double angle = qDegreesToRadians(-90.0 + 36.0 * i);
    star << QPointF(8.0 + radius * std::cos(angle), 8.5 + radius * std::sin(angle));
  }
  painter.setBrush(painter.pen().color());
  painter.drawPolygon(star);
}

void DrawCircledDot(QPainter& painter) {  // external fix
  painter.drawEllipse(QPointF(8.0, 8.0), 6.0, 6.0);
  painter.setBrush(painter.pen().color());
  painter.drawEllipse(QPointF(8.0, 8.0), 1.5, 1.5);
}

void DrawArrow(QPainter& painter) {  // course/speed change
  painter.drawLine(QPointF(2.0, 14.0), QPointF(13.0, 3.0));
  painter.setBrush(painter.pen().color());
  painter.drawPolygon(QPolygonF({QPointF(14.0, 2.0), QPointF(8.0, 3.5), QPointF(12.5, 8.0)}));
}

void DrawFlag(QPainter& painter) {  // initial fix
  painter.drawLine(QPointF(3.0, 15.0), QPointF(3.0, 1.5));
  painter.setBrush(painter.pen().color());
  painter.drawPolygon(QPolygonF({QPointF(3.0, 2.0), QPointF(14.0, 5.0), QPointF(3.0, 8.5)}));
}

void DrawSextant(QPainter& painter) {  // sight
  QPainterPath frame;
  frame.moveTo(8.0, 1.5);
  frame.lineTo(2.0, 13.0);
  frame.arcTo(QRectF(-3.5, -5.0, 23.0, 19.0), 235.0, 70.0);
  frame.closeSubpath();
  painter.drawPath(frame);
  painter.drawLine(QPointF(8.0, 1.5), QPointF(11.0, 14.0));  // index arm
}

constexpr Drawing kDrawings[kTrackImageCount] = {DrawStar, DrawCircledDot, DrawArrow, DrawFlag,
                                                 DrawSextant};

QIcon MakeImage(Drawing draw, const QColor& colour) {
  QPixmap pixmap(kImageSize, kImageSize);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(colour, 1.2));
  draw(painter);
  painter.end();
  return QIcon(pixmap);
}

QTreeWidgetItem* NewItem(const TrackItem& entry, int image, const QIcon& icon) {
  auto* item = new QTreeWidgetItem({QString::fromLatin1(entry.label.c_str())});
  item->setIcon(0, icon);
  item->setData(0, kImageRole, image);
  item->setData(0, kLegRole, entry.legIndex);
  item->setData(0, kSightRole, entry.sightIndex);
  return item;
}

struct TreeCommand {
  CommandId id;
  const char* text;
  bool sightOnly;
};

constexpr TreeCommand kTreeCommands[] = {
    {kCommandTreeView, "View...", false},
    {kCommandTreeEdit, "Edit...", false},
    {kCommandTreeDelete, "Delete...", false},
    {kCommandTreeAdd, "Add...", true},
};

}  // namespace

TrackPane::TrackPane(ApplicationState& state, QWidget* parent)
    : QWidget(parent), state_(state), tabs_(new QTabWidget(this)), tree_(new QTreeWidget) {
  setObjectName("CurrentTrackPane");
  tabs_->setObjectName("CurrentTrackTabs");
  tree_->setObjectName("CurrentTrackTree");
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(tabs_);
  tabs_->addTab(tree_, QString::fromLatin1(kTabLabel));
  tree_->setHeaderHidden(true);
  tree_->setColumnCount(1);
  tree_->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(tree_, &QWidget::customContextMenuRequested, this, &TrackPane::ShowContextMenu);
  tree_->setExpandsOnDoubleClick(false);  // a double-click on a leg opens it
  connect(tree_, &QTreeWidget::itemDoubleClicked, this, &TrackPane::OpenItem);
  DrawImages();
  tree_->installEventFilter(this);
}

void TrackPane::DrawImages() {
  const QColor ink = tree_->palette().color(QPalette::Text);
  for (int i = 0; i < kTrackImageCount; ++i)
    images_[static_cast<size_t>(i)] = MakeImage(kDrawings[i], ink);
  for (QTreeWidgetItemIterator it(tree_); *it != nullptr; ++it) {
    const int image = (*it)->data(0, kImageRole).toInt();
    (*it)->setIcon(0, images_[static_cast<size_t>(image)]);
  }
}

bool TrackPane::eventFilter(QObject* watched, QEvent* event) {
  // The images are drawn in the tree's text colour: its new palette (the
  // night one) redraws them.
  if (watched == tree_ && event->type() == QEvent::PaletteChange) DrawImages();
  return QWidget::eventFilter(watched, event);
}

void TrackPane::Refresh() {
  if (!state_.logAvailable) return;
  LegsAndSights loaded;
  const EngineStatus status = LoadLegsAndSights(state_.events, loaded);
  // Positions out of file order (5) are loaded all the same.
  const bool usable = status == kStatusOk || status == 5;
  tree_->clear();
  if (!usable) return;
  for (const TrackLeg& leg : BuildTrackTree(loaded)) {
    QTreeWidgetItem* legItem =
        NewItem(leg.item, leg.item.image, images_[static_cast<size_t>(leg.item.image)]);
    tree_->addTopLevelItem(legItem);
    for (const TrackItem& sight : leg.sights) {
      legItem->addChild(NewItem(sight, kSightImage, images_[kSightImage]));
    }
    legItem->setExpanded(true);
  }
}

TrackHit TrackPane::HitTest(const QPoint& point) {
  QTreeWidgetItem* item = tree_->itemAt(point);
  if (item == nullptr) return {};
  tree_->setCurrentItem(item);
  return {item->data(0, kLegRole).toInt(), item->data(0, kSightRole).toInt()};
}

QMenu* TrackPane::NewContextMenu(const TrackHit& hit, QWidget* parent) {
  if (!hit.OnItem()) return nullptr;
  const bool onSight = hit.sightIndex != kNoTrackIndex;
  auto* menu = new QMenu(parent);
  for (const TreeCommand& command : kTreeCommands) {
    if (command.sightOnly && !onSight) continue;
    QAction* action = menu->addAction(QString::fromLatin1(command.text));
    action->setData(command.id);
    action->setStatusTip(QString::fromLatin1(kTreeCommandStatusText));
    const CommandId id = command.id;
    connect(action, &QAction::triggered, this, [this, id, hit, onSight] {
      if (onSight) {
        emit SightCommandRequested(id, hit.sightIndex);
      } else {
        emit LegCommandRequested(id, hit.legIndex);
      }
    });
  }
  return menu;
}

void TrackPane::OpenItem(QTreeWidgetItem* item) {
  const int leg = item->data(0, kLegRole).toInt();
  const int sight = item->data(0, kSightRole).toInt();
  if (leg != kNoTrackIndex) emit LegCommandRequested(kCommandTreeView, leg);
  if (sight != kNoTrackIndex) emit SightCommandRequested(kCommandTreeView, sight);
}

void TrackPane::ShowContextMenu(const QPoint& point) {
  QMenu* menu = NewContextMenu(HitTest(point), this);
  if (menu == nullptr) return;
  menu->setAttribute(Qt::WA_DeleteOnClose);
  menu->popup(tree_->viewport()->mapToGlobal(point));
}

}  // namespace navora
