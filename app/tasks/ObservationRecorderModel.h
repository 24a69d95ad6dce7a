#pragma once

#include <string>
#include <utility>
#include <vector>

#include "app/bridge/Notice.h"
#include "engine/common/ObservationRecord.h"
#include "engine/log/EventLog.h"
#include "engine/sightreduction/ObservationForm.h"

namespace navora {

// The Observation Recorder without its window. Adding collects new sights
// (at most 25 since the last fix, counting those already logged) until Done;
// Viewing shows the sights of the log; Editing lets the navigator change them
// (each changed one marked "( EDITED )", Reset restoring it as read);
// Deleting lets the navigator mark them "( DELETED )". Every move and Done
// check the current sight first. Times UTC; units as in ObservationForm.h.

enum class RecorderMode { kAdding, kViewing, kEditing, kDeleting };

enum class RecorderMove { kBegin, kPrevious, kNext, kEnd };

// The field a refused entry sends the navigator back to.
enum class ObservationField {
  kDay,
  kMonth,
  kYear,
  kHour,
  kMinute,
  kSecond,
  kUt1MinusUtc,
  kBody,
  kHsDegrees,
  kHsMinutes,
  kLimb,
  kQuality,
  kHeightOfEye,
  kIndexCorrection,
  kTemperature,
  kPressure,
};

inline constexpr char kObservationAddedText[] = "( ADDED )";
inline constexpr char kObservationEnterText[] = "Enter a new observation";
inline constexpr char kObservationEditedText[] = "( EDITED )";
inline constexpr char kObservationDeletedText[] = "( DELETED )";
inline constexpr char kSelectBodyText[] = "Please select the observed body.\n";
inline constexpr char kHsTooLargeText[] = "The hs must be less than\nor equal to 90 degrees.";

// Tool tips of the navigation buttons BEGIN, PREVIOUS, NEXT, END.
inline constexpr const char* kObservationMoveTips[] = {"First Observation", "Previous Observation",
                                                       "Next Observation", "Last Observation"};

// The list texts of the Limb and Quality combos, in index order.
inline constexpr const char* kLimbNames[] = {"None", "Upper", "Lower"};
inline constexpr const char* kQualityNames[] = {"Good", "Average", "Poor"};

// The dialog's entries: the day from its spin, list selections as in the
// other log dialogs (month index 0 is January, year index 0 is 1970, -1 none;
// body index into the body list of ObservationForm.h), every edit as typed.
struct ObservationFields {
  int day = 1;
  int monthIndex = -1;
  int yearIndex = -1;
  std::string hour, minute, second;
  std::string ut1MinusUtc;
  int bodyIndex = kFormNoSelection;
  std::string hsDegrees, hsMinutes;
  int limbIndex = kLimbNone;
  int qualityIndex = kQualityAverage - 1;
  std::string heightOfEye;
  bool heightInMetres = false;
  std::string indexCorrection;
  std::string temperature;
  std::string pressure;

  bool operator==(const ObservationFields&) const = default;
};

// The fields showing a sight, in the dialog's formats ("%02d" time and hs
// degrees, "%04.1f" hs minutes, "%+03.1f" UT1-UTC and IC, "%03d" feet,
// "%+02d" temperature, "%04d" pressure). A year outside the list is left
// unselected, an unknown body unselected.
ObservationFields ShowObservation(const ObservationRecord& sight);

// Checks the entries in the dialog's order (date, time, UT1-UTC, body, hs,
// height of eye, IC, temperature, pressure), showing the first failure's
// message. True with the sight: `sight` keeps its leg index, included flag,
// weight and spare value and takes the entered values; false with the field
// to return to.
bool AcceptObservationFields(Notice& notice, const ObservationFields& fields,
                             ObservationRecord& sight, ObservationField& returnTo);

// What Done commits in Viewing, Editing and Deleting: each corrected sight
// with its new values, and the sights to delete; offsets as loaded.
struct SightEdits {
  std::vector<std::pair<EventLogOffset, ObservationRecord>> corrections;
  std::vector<EventLogOffset> deletions;

  bool Empty() const { return corrections.empty() && deletions.empty(); }
};

class ObservationRecorderModel {
 public:
  // Adding, with `alreadyRecorded` sights since the last fix (below 25); the
  // first new observation opens showing `start`.
  ObservationRecorderModel(int alreadyRecorded, const ObservationRecord& start);
  // Viewing, Editing or Deleting the loaded sights, starting at `sightIndex`
  // (the last sight when outside them).
  ObservationRecorderModel(RecorderMode mode, const LegsAndSights& loaded, int sightIndex);

  // On opening over the log: asks about each sight earlier than the last fix
  // (`lastFixTime`, Julian date UTC), in list order. Yes makes the first such
  // sight current; No takes it off the list and deletes it at Done.
  void AskAboutSightsBeforeFix(Notice& notice, double lastFixTime);

  RecorderMode Mode() const { return mode_; }
  int SightCount() const { return static_cast<int>(entries_.size()); }
  // Index of the current sight; in Adding, SightCount() is the place of the
  // observation not yet entered.
  int Current() const { return current_; }
  // True when nothing is left to show (every loaded sight taken off).
  bool Empty() const { return mode_ != RecorderMode::kAdding && entries_.empty(); }

  std::string Title() const;
  std::string Status() const;

  const ObservationFields& Fields() const;
  void SetFields(const ObservationFields& fields);
  bool FieldsEnabled() const;
  // The Limb list follows the body chosen in the current fields.
  bool LimbEnabled() const { return FieldsEnabled() && LimbApplies(Fields().bodyIndex); }

  bool CanMove(RecorderMove move) const;
  bool Move(Notice& notice, RecorderMove move, ObservationField& returnTo);

  // The action button: "Add" (the observation not yet entered, enabled once
  // the navigator changed it), "Remove" (an added one) or "Reset" (enabled
  // while the sight differs from the log). Add takes the fields as they
  // stand; false when they are refused (told why, `returnTo` set).
  std::string ActionText() const;
  bool ActionEnabled() const;
  bool Action(Notice& notice, ObservationField& returnTo);

  // "Delete" / "UnDelete": Deleting, and in Adding the observations added.
  bool CanToggleDelete() const;
  std::string DeleteButtonText() const;
  void ToggleDelete();

  // Checks the current sight (adding an entered new observation); false as
  // Move. Then NewSights (Adding) or Edits (the other modes) give the result.
  bool Done(Notice& notice, ObservationField& returnTo);
  std::vector<ObservationRecord> NewSights() const;
  SightEdits Edits() const;

 private:
  struct Entry {
    ObservationRecord original;  // as read, or as first added
    EventLogOffset offset = kNoEventLogEntry;
    ObservationFields shown;     // as read
    ObservationFields fields;    // as now entered
    ObservationRecord accepted;  // the last entries accepted
    bool deleted = false;

    bool Edited() const { return !(fields == shown); }
  };

  bool AtNewPlace() const { return mode_ == RecorderMode::kAdding && current_ == SightCount(); }
  bool HasNewPlace() const;
  int LastPlace() const;
  bool CheckCurrent(Notice& notice, ObservationField& returnTo);
  bool AddNewObservation(Notice& notice, ObservationField& returnTo);

  RecorderMode mode_;
  int alreadyRecorded_ = 0;
  std::vector<Entry> entries_;
  int current_ = 0;
  ObservationRecord newStart_;            // what a new observation starts from
  ObservationFields newShown_;            // its fields as opened
  ObservationFields newFields_;           // and as now entered
  std::vector<EventLogOffset> takenOff_;  // sights before the last fix, to delete
};

}  // namespace navora
