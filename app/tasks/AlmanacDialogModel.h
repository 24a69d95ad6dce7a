#pragma once

#include <cstdint>
#include <optional>

#include "app/bridge/Notice.h"
#include "app/tasks/AlmanacTasks.h"

namespace navora {

// The three almanac dialogs: date, time and repetitions (Sun/Moon/Aries and
// planets), date and time to the minute (stars), date only (all).
enum class AlmanacDialogKind { kTable, kStars, kDay };

enum class IntervalUnit { kDays, kHours, kMinutes, kSeconds };

// The field a refused entry sends the user back to.
enum class AlmanacField { kDay, kMonth, kYear, kHour, kMinute, kSecond, kRepetitions, kInterval };

// List selections: index 0 is January / 1970; no selection is kNoSelection.
inline constexpr int kNoSelection = -1;
inline constexpr int kFirstAlmanacYear = 1970;
inline constexpr int kAlmanacYearCount = 55;  // 1970 to 2024

inline constexpr int kDefaultRepetitions = 24;
inline constexpr int kDefaultIntervalValue = 1;

// The entries of an almanac dialog; an empty hour, minute or second edit is
// nullopt. Fields a dialog does not show are ignored.
struct AlmanacDialogFields {
  int day = 1;
  int monthIndex = kNoSelection;
  int yearIndex = kNoSelection;
  std::optional<int> hour = 0;
  std::optional<int> minute = 0;
  std::optional<int> second = 0;
  int repetitions = kDefaultRepetitions;
  int intervalValue = kDefaultIntervalValue;
  IntervalUnit unit = IntervalUnit::kHours;
};

// The fields a dialog opens with: the date of `referenceJd` (the log's
// reference position, or the default record's time), 0h, 24 times every hour.
// A year outside the list leaves the year unselected.
AlmanacDialogFields InitialAlmanacDialogFields(double referenceJd);

// "Current Date": the date of the UTC Julian date `nowJd`, time edits emptied.
void SetCurrentAlmanacDate(AlmanacDialogFields& fields, double nowJd);

// Last day the Day spin offers: the month's length, 31 when the month or the
// year is not selected.
int AlmanacDayLimit(int monthIndex, int yearIndex);

// Tabulation interval in days of a value and unit.
double AlmanacIntervalDays(int value, IntervalUnit unit);

// Largest number of rows from startJd every intervalDays whose instants stay
// before the end of the supported range.
int32_t AlmanacRepetitionLimit(double startJd, double intervalDays);

// OK of each dialog: validates the entries in the dialog's order, showing the
// first failure's message; asks whether to truncate a table that would pass
// the supported range (OK lowers the count). Returns true with the request,
// or false with the field to return to.
bool AcceptAlmanacTableDialog(Notice& notice, const AlmanacDialogFields& fields,
                              AlmanacTableRequest& request, AlmanacField& returnTo);
bool AcceptAlmanacStarsDialog(Notice& notice, const AlmanacDialogFields& fields,
                              AlmanacStarsRequest& request, AlmanacField& returnTo);
bool AcceptAlmanacDayDialog(Notice& notice, const AlmanacDialogFields& fields,
                            AlmanacDayRequest& request, AlmanacField& returnTo);

}  // namespace navora
