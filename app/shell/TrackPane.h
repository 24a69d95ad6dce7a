#pragma once

#include <QIcon>
#include <QMenu>
#include <QPoint>
#include <QTabWidget>
#include <QTreeWidget>
#include <QWidget>
#include <array>

#include "app/tasks/ApplicationState.h"
#include "app/tasks/TaskCommands.h"
#include "app/tasks/TrackTree.h"

namespace navora {

// Where a point of the tree falls: (leg, kNoTrackIndex) on a leg item,
// (kNoTrackIndex, sight) on a sight item, both kNoTrackIndex elsewhere.
struct TrackHit {
  int legIndex = kNoTrackIndex;
  int sightIndex = kNoTrackIndex;

  bool OnItem() const { return legIndex != kNoTrackIndex || sightIndex != kNoTrackIndex; }
  bool operator==(const TrackHit&) const = default;
};

// The content of the "Current Track" pane: one tab "CurrentTrack" holding the
// tree of the legs and sights since the last fix (TrackTree.h). Its context
// menu offers the log commands on the item under the pointer, passed on to
// the window that runs them.
class TrackPane : public QWidget {
  Q_OBJECT

 public:
  static constexpr char kTabLabel[] = "CurrentTrack";

  explicit TrackPane(ApplicationState& state, QWidget* parent = nullptr);

  // Rebuilds the tree from the event log, every leg expanded; nothing is done
  // while the log is not available. A log that cannot be loaded leaves the
  // tree empty: the task that reads it reports the fault.
  void Refresh();

  // The item at `point` (in the tree's viewport) is selected.
  TrackHit HitTest(const QPoint& point);

  // The commands on the item of `hit`: "View...", "Edit...", "Delete..." and,
  // on a sight, "Add..."; null when the hit is on no item.
  QMenu* NewContextMenu(const TrackHit& hit, QWidget* parent);

  QTreeWidget& Tree() { return *tree_; }

 signals:
  // A leg command (kCommandTreeView, kCommandTreeEdit, kCommandTreeDelete)
  // chosen on the leg of `legIndex`, from the menu or by a double-click.
  void LegCommandRequested(CommandId command, int legIndex);
  // A sight command (the leg commands' ids, and kCommandTreeAdd) chosen on
  // the sight of `sightIndex`, from the menu or by a double-click.
  void SightCommandRequested(CommandId command, int sightIndex);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // The item images in the tree's text colour, set again on every item.
  void DrawImages();
  void OpenItem(QTreeWidgetItem* item);
  void ShowContextMenu(const QPoint& point);

  ApplicationState& state_;
  QTabWidget* tabs_;
  QTreeWidget* tree_;
  std::array<QIcon, kTrackImageCount> images_;
};

}  // namespace navora
