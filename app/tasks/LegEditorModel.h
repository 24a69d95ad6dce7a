#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "app/bridge/Notice.h"
#include "app/tasks/NewInitialFixDialogModel.h"
#include "app/tasks/PositionTasks.h"
#include "engine/log/EventLog.h"

namespace navora {

// The Leg Editor without its window: the position entries that start the
// legs since the last fix, shown one at a time with the fields of the fix
// dialog. Viewing shows them; Editing lets the navigator change them (each
// changed leg marked "( EDITED )", Reset restoring it as read); Deleting lets
// the navigator mark them "( DELETED )". Done hands back what to apply to the
// logs; Cancel applies nothing.

enum class LegEditorMode { kViewing, kEditing, kDeleting };

enum class LegMove { kBegin, kPrevious, kNext, kEnd };

inline constexpr char kLegEditedText[] = "( EDITED )";
inline constexpr char kLegDeletedText[] = "( DELETED )";

// What Done commits: each corrected entry with its new values, and the
// entries to delete; offsets as loaded.
struct LegEdits {
  std::vector<std::pair<EventLogOffset, PositionRecord>> corrections;
  std::vector<EventLogOffset> deletions;

  bool Empty() const { return corrections.empty() && deletions.empty(); }
};

class LegEditorModel {
 public:
  // On the loaded legs, starting at `legIndex` (the last leg when outside
  // them). `loaded` must hold at least one leg.
  LegEditorModel(LegEditorMode mode, const LegsAndSights& loaded, int legIndex);

  LegEditorMode Mode() const { return mode_; }
  int LegCount() const { return static_cast<int>(legs_.size()); }
  int Current() const { return current_; }

  // "Editing: Update DR (Leg No. 2)" and the like.
  std::string Title() const;
  // "( EDITED )", "( DELETED )" or empty, for the current leg.
  std::string Status() const;

  // The current leg's entries as shown; SetFields takes the navigator's
  // changes (Editing only).
  const NewInitialFixFields& Fields() const { return Leg().fields; }
  void SetFields(const NewInitialFixFields& fields);

  bool FieldsEnabled() const { return mode_ == LegEditorMode::kEditing; }
  bool CanMove(LegMove move) const;
  bool CanReset() const { return mode_ == LegEditorMode::kEditing && Leg().Edited(); }
  // The voyage's initial fix cannot be deleted: nothing would be left to
  // reckon from.
  bool CanToggleDelete() const;
  // "Delete", or "UnDelete" on a marked leg.
  std::string DeleteButtonText() const;

  // Every move checks the current leg first; false (told why, `returnTo`
  // set) keeps it current.
  bool Move(Notice& notice, LegMove move, FixField& returnTo);
  void Reset();
  void ToggleDelete();

  // Checks the current leg, then gives the edits to apply. False as Move.
  bool Done(Notice& notice, LegEdits& edits, FixField& returnTo);

 private:
  struct LegState {
    PositionRecord original;
    EventLogOffset offset = 0;
    NewInitialFixFields shown;   // as read
    NewInitialFixFields fields;  // as now entered
    PositionRecord corrected;    // the last entries accepted
    bool deleted = false;

    bool Edited() const;
  };

  const LegState& Leg() const { return legs_[static_cast<size_t>(current_)]; }
  LegState& Leg() { return legs_[static_cast<size_t>(current_)]; }
  bool CheckCurrent(Notice& notice, FixField& returnTo);

  LegEditorMode mode_;
  std::vector<LegState> legs_;
  int current_ = 0;
};

// Applies `edits` through CorrectPosition and DeletePosition, corrections
// first, then the deletions latest first, stopping at the first failure (already told by the
// bridge). `noteEntry` receives the text-log lines of each entry written. Returns 0 or the failing
// status.
int ApplyLegEdits(PositionTaskLogs& logs, const LegEdits& edits,
                  const std::function<void(const std::vector<std::string>&)>& noteEntry);

}  // namespace navora
