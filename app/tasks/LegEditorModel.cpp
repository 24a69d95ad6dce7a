#include "app/tasks/LegEditorModel.h"

#include <algorithm>
#include <cstdio>
#include <tuple>

namespace navora {
namespace {

const char* ModePrefix(LegEditorMode mode) {
  switch (mode) {
    case LegEditorMode::kViewing:
      return "Viewing: ";
    case LegEditorMode::kEditing:
      return "Editing: ";
    case LegEditorMode::kDeleting:
      return "Deleting: ";
  }
  return "";
}

std::string LegKind(uint16_t positionType, int legNumber) {
  switch (positionType) {
    case kPositionCelestialFix:
      return "Celestial Fix";
    case kPositionExternalFix:
      return "External Fix";
    case kPositionDr: {
      char text[32];
      std::snprintf(text, sizeof text, "Update DR (Leg No. %d)", legNumber);
      return text;
    }
    default:  // the voyage's initial fix is loaded as a user-defined position
      return "Initial Fix";
  }
}

auto Tie(const NewInitialFixFields& f) {
  return std::tie(f.day, f.monthIndex, f.yearIndex, f.hour, f.minute, f.second, f.latitudeDegrees,
                  f.latitudeMinutes, f.south, f.longitudeDegrees, f.longitudeMinutes, f.west,
                  f.course, f.speed);
}

}  // namespace

bool LegEditorModel::LegState::Edited() const { return Tie(fields) != Tie(shown); }

LegEditorModel::LegEditorModel(LegEditorMode mode, const LegsAndSights& loaded, int legIndex)
    : mode_(mode) {
  for (int16_t i = 0; i < loaded.legCount; ++i) {
    LegState leg;
    leg.original = loaded.legs[static_cast<size_t>(i)];
    leg.offset = loaded.legOffsets[static_cast<size_t>(i)];
    leg.shown = InitialNewInitialFixFields(leg.original);
    leg.fields = leg.shown;
    leg.corrected = leg.original;
    legs_.push_back(leg);
  }
  current_ = legIndex >= 0 && legIndex < LegCount() ? legIndex : LegCount() - 1;
}

std::string LegEditorModel::Title() const {
  return ModePrefix(mode_) + LegKind(Leg().original.positionType, current_ + 1);
}

std::string LegEditorModel::Status() const {
  if (Leg().deleted) return kLegDeletedText;
  return Leg().Edited() ? kLegEditedText : "";
}

void LegEditorModel::SetFields(const NewInitialFixFields& fields) {
  if (FieldsEnabled()) Leg().fields = fields;
}

bool LegEditorModel::CanMove(LegMove move) const {
  const bool back = move == LegMove::kBegin || move == LegMove::kPrevious;
  return back ? current_ > 0 : current_ < LegCount() - 1;
}

bool LegEditorModel::CanToggleDelete() const {
  return mode_ == LegEditorMode::kDeleting && Leg().original.positionType != kPositionUserDefined;
}

std::string LegEditorModel::DeleteButtonText() const {
  return Leg().deleted ? "UnDelete" : "Delete";
}

bool LegEditorModel::CheckCurrent(Notice& notice, FixField& returnTo) {
  // Only entries the navigator changed are checked: a leg as read stands.
  LegState& leg = Leg();
  if (!FieldsEnabled() || !leg.Edited()) return true;
  PositionRecord entered;
  if (!AcceptNewInitialFixDialog(notice, leg.fields, entered, returnTo)) return false;
  leg.corrected = entered;
  return true;
}

bool LegEditorModel::Move(Notice& notice, LegMove move, FixField& returnTo) {
  if (!CheckCurrent(notice, returnTo)) return false;
  switch (move) {
    case LegMove::kBegin:
      current_ = 0;
      break;
    case LegMove::kPrevious:
      current_ = std::max(current_ - 1, 0);
      break;
    case LegMove::kNext:
      current_ = std::min(current_ + 1, LegCount() - 1);
      break;
    case LegMove::kEnd:
      current_ = LegCount() - 1;
      break;
  }
  return true;
}

void LegEditorModel::Reset() {
  LegState& leg = Leg();
  leg.fields = leg.shown;
  leg.corrected = leg.original;
}

void LegEditorModel::ToggleDelete() {
  if (CanToggleDelete()) Leg().deleted = !Leg().deleted;
}

bool LegEditorModel::Done(Notice& notice, LegEdits& edits, FixField& returnTo) {
  if (!CheckCurrent(notice, returnTo)) return false;
  edits = {};
  for (const LegState& leg : legs_) {
    if (leg.deleted) {
      edits.deletions.push_back(leg.offset);
    } else if (FieldsEnabled() && leg.Edited()) {
      edits.corrections.emplace_back(leg.offset, leg.corrected);
    }
  }
  return true;
}

int ApplyLegEdits(PositionTaskLogs& logs, const LegEdits& edits,
                  const std::function<void(const std::vector<std::string>&)>& noteEntry) {
  std::vector<std::string> written;
  for (const auto& [offset, corrected] : edits.corrections) {
    const int status = CorrectPosition(logs, offset, corrected, written);
    if (!written.empty()) noteEntry(written);
    if (status != 0) return status;
  }
  // The latest first: the earlier legs, the last fix above all, still
  // anchor the later ones while those are read.
  for (auto offset = edits.deletions.rbegin(); offset != edits.deletions.rend(); ++offset) {
    const int status = DeletePosition(logs, *offset, written);
    if (!written.empty()) noteEntry(written);
    if (status != 0) return status;
  }
  return 0;
}

}  // namespace navora
