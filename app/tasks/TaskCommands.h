#pragma once

#include <cstdint>
#include <span>

namespace navora {

// The commands of the Task menu and of the voyage-log entries of the Edit,
// Delete and View menus: their ids (kept as the command numbers the log and
// the manual use), menu texts and status-bar texts. The desktop program
// builds its menus from this table; "&" marks a mnemonic.
using CommandId = int32_t;

inline constexpr CommandId kCommandSunMoonAries = 110;
inline constexpr CommandId kCommandPlanets = 111;
inline constexpr CommandId kCommandStars = 112;
inline constexpr CommandId kCommandAllBodies = 113;
inline constexpr CommandId kCommandUpdateDr = 120;
inline constexpr CommandId kCommandExternalFix = 121;
inline constexpr CommandId kCommandWaypoint = 122;
inline constexpr CommandId kCommandRiseSetFixed = 125;
inline constexpr CommandId kCommandRiseSetUnderway = 126;
inline constexpr CommandId kCommandSkyChart = 130;
inline constexpr CommandId kCommandSelectedStars = 131;
inline constexpr CommandId kCommandCompassPlanning = 133;
inline constexpr CommandId kCommandCompassDetermination = 134;
inline constexpr CommandId kCommandRecordObservations = 136;
inline constexpr CommandId kCommandComputeFix = 137;
inline constexpr CommandId kCommandCurrentLog = 140;
inline constexpr CommandId kCommandCurrentTrack = 141;
inline constexpr CommandId kCommandNewInitialFix = 164;
inline constexpr CommandId kCommandEnterComment = 184;
inline constexpr CommandId kCommandModifyFix = 32775;
inline constexpr CommandId kCommandModifyObservation = 32776;
inline constexpr CommandId kCommandDeleteFix = 32840;
inline constexpr CommandId kCommandDeleteObservation = 32841;
inline constexpr CommandId kCommandViewPositions = 32842;
inline constexpr CommandId kCommandViewObservations = 32843;
inline constexpr CommandId kCommandTreeView = 32778;
inline constexpr CommandId kCommandTreeDelete = 32780;
inline constexpr CommandId kCommandTreeEdit = 32781;
inline constexpr CommandId kCommandTreeAdd = 32782;

// The submenus of the Task menu, in menu order; kNone for the commands that
// stand on the Task menu itself.
enum class TaskGroup {
  kAlmanac,
  kPositionUpdate,
  kRiseSet,
  kSightPlanning,
  kCompassError,
  kSightReduction,
  kNone,
};

struct TaskCommand {
  CommandId id;
  TaskGroup group;
  const char* menuText;
  const char* statusText;
};

// The Task menu in order.
inline constexpr TaskCommand kTaskCommands[] = {
    {kCommandSunMoonAries, TaskGroup::kAlmanac, "Sun/Moon/Aries...",
     "Compute almanac data for the Sun, Moon, and Aries"},
    {kCommandPlanets, TaskGroup::kAlmanac, "Planets...", "Compute almanac data for the planets"},
    {kCommandStars, TaskGroup::kAlmanac, "Stars...", "Compute almanac data for the stars"},
    {kCommandAllBodies, TaskGroup::kAlmanac, "All...", "Compute almanac data for all bodies"},
    {kCommandUpdateDr, TaskGroup::kPositionUpdate, "Update DR...",
     "Update DR position and change course or speed"},
    {kCommandExternalFix, TaskGroup::kPositionUpdate, "External Fix...", "Enter an external fix"},
    {kCommandWaypoint, TaskGroup::kPositionUpdate, "Waypoint...",
     "Compute course and speed for desired waypoint"},
    {kCommandRiseSetFixed, TaskGroup::kRiseSet, "Fixed Site...",
     "Compute rise/set/transit for a fixed site"},
    {kCommandRiseSetUnderway, TaskGroup::kRiseSet, "Underway...",
     "Compute rise/set/transit while underway"},
    {kCommandSkyChart, TaskGroup::kSightPlanning, "Sky Chart...",
     "Compute sky chart for sight planning"},
    {kCommandSelectedStars, TaskGroup::kSightPlanning, "Selected Stars...",
     "Compute selected stars for sight planning"},
    {kCommandCompassPlanning, TaskGroup::kCompassError, "Planning...",
     "Compute planning data for gyro/compass error"},
    {kCommandCompassDetermination, TaskGroup::kCompassError, "Determination...",
     "Compute gyro/compass error"},
    {kCommandRecordObservations, TaskGroup::kSightReduction, "Record Observations...",
     "Record observations for a fix"},
    {kCommandComputeFix, TaskGroup::kSightReduction, "Compute Fix...",
     "Compute fix, using recorded observations"},
    {kCommandNewInitialFix, TaskGroup::kNone, "New Initial Fix...",
     "Enter a new fix and reset other data"},
    {kCommandEnterComment, TaskGroup::kNone, "&Enter a Comment...", "Add a comment to the log"},
};

// The submenu titles of the Task menu, indexed by TaskGroup.
inline constexpr const char* kTaskGroupTitles[] = {
    "Almanac",        "Position Update",    "Rise/Set/Transit",
    "Sight Planning", "Gyro/Compass Error", "Sight Reduction",
};

// The voyage-log entries of the Edit, Delete and View menus.
enum class LogMenu { kEdit, kDelete, kView };

struct LogCommand {
  CommandId id;
  LogMenu menu;
  const char* menuText;
  const char* statusText;
};

inline constexpr LogCommand kLogCommands[] = {
    {kCommandModifyFix, LogMenu::kEdit, "&Fix or DR...", "Modify the most recent external fix"},
    {kCommandModifyObservation, LogMenu::kEdit, "&Observation...", "Modify an observation"},
    {kCommandDeleteFix, LogMenu::kDelete, "&Fix or DR...",
     "Delete the most recent fix or DR with course/speed change"},
    {kCommandDeleteObservation, LogMenu::kDelete, "&Observation...", "Delete an observation"},
    {kCommandViewPositions, LogMenu::kView, "&Fixes and DRs...",
     "View the most recent fix and DRs with course/speed changes"},
    {kCommandViewObservations, LogMenu::kView, "&Observations...",
     "View the observations that are currently available"},
};

// The status text of every command of the track tree's context menu.
inline constexpr char kTreeCommandStatusText[] = "view the selected tree item";

}  // namespace navora
