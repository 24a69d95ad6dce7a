#include "app/tasks/ObservationRecorderModel.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "app/tasks/AlmanacDialogModel.h"
#include "app/tasks/FieldChecks.h"
#include "app/tasks/NumericFieldRules.h"
#include "engine/common/Angles.h"
#include "engine/sightreduction/ReducedObservation.h"

namespace navora {
namespace {

constexpr char kBeforeFixQuestion[] =
    "Observation number %d occurs before the\nlast fix. Do you wish to edit it? Pressing\n'No' "
    "will delete this observation.";

// Digits, zero-padded to `width` after the sign, whatever the C locale.
std::string Padded(double magnitude, int decimals, size_t width, const char* sign) {
  char digits[32];
  const auto end =
      std::to_chars(digits, digits + sizeof digits, magnitude, std::chars_format::fixed, decimals)
          .ptr;
  std::string text(digits, end);
  if (text.size() < width) text.insert(0, width - text.size(), '0');
  return sign + text;
}

std::string UnsignedText(double value, int decimals, size_t width) {
  return Padded(std::fabs(value), decimals, width, value < 0.0 ? "-" : "");
}

// "%+0wf": the sign always shown.
std::string SignedText(double value, int decimals, size_t width) {
  const bool negative = std::signbit(value) && value != 0.0;
  return Padded(std::fabs(value), decimals, width > 0 ? width - 1 : 0, negative ? "-" : "+");
}

// The checks of the Observation Recorder: the shared ones and signed ranges.
class ObservationChecks : public FieldChecks<ObservationField> {
 public:
  using FieldChecks::FieldChecks;

  bool Integer(const std::string& text, int lo, int hi, ObservationField field, int& value) {
    if (ParseIntegerField(text, value) != FieldText::kValue) {
      return Refuse(kIntegerExpectedText, field);
    }
    return value >= lo && value <= hi ? true : Refuse(IntegerRangeText(lo, hi), field);
  }

  bool Signed(const std::string& text, double limit, ObservationField field, double& value) {
    if (ParseNumberField(text, value) != FieldText::kValue) {
      return Refuse(kNumberExpectedText, field);
    }
    return std::fabs(value) <= limit ? true : Refuse(NumberRangeText(-limit, limit), field);
  }
};

const char* ModePrefix(RecorderMode mode) {
  switch (mode) {
    case RecorderMode::kAdding:
      return "Adding: ";
    case RecorderMode::kViewing:
      return "Viewing: ";
    case RecorderMode::kEditing:
      return "Editing: ";
    case RecorderMode::kDeleting:
      return "Deleting: ";
  }
  return "";
}

}  // namespace

ObservationFields ShowObservation(const ObservationRecord& sight) {
  ObservationForm form;
  static_cast<void>(ObservationToForm(sight, form));  // an unknown body stays unselected
  ObservationFields fields;
  const int yearIndex = form.year - kFirstAlmanacYear;
  fields.yearIndex = yearIndex >= 0 && yearIndex < kAlmanacYearCount ? yearIndex : kNoSelection;
  fields.monthIndex = form.month - 1;
  fields.day = form.day;
  fields.hour = UnsignedText(form.hour, 0, 2);
  fields.minute = UnsignedText(form.minute, 0, 2);
  fields.second = UnsignedText(form.second, 0, 2);
  fields.ut1MinusUtc = SignedText(form.ut1MinusUtc, 1, 3);
  fields.bodyIndex = form.body;
  fields.hsDegrees = UnsignedText(form.hsDegrees, 0, 2);
  fields.hsMinutes = UnsignedText(form.hsMinutes, 1, 4);
  fields.limbIndex = form.limb;
  fields.qualityIndex = form.quality;
  fields.heightOfEye = UnsignedText(form.heightOfEye, 0, 3);
  fields.heightInMetres = form.heightInMetres;
  fields.indexCorrection = SignedText(form.indexCorrection, 1, 3);
  fields.temperature = SignedText(form.temperature, 0, 2);
  fields.pressure = UnsignedText(form.pressure, 0, 4);
  return fields;
}

bool AcceptObservationFields(Notice& notice, const ObservationFields& fields,
                             ObservationRecord& sight, ObservationField& returnTo) {
  ObservationChecks check(notice, returnTo);
  if (!check.Date(fields, ObservationField::kDay, ObservationField::kMonth,
                  ObservationField::kYear)) {
    return false;
  }
  ObservationForm form;
  int16_t hour = 0, minute = 0, second = 0;
  if (!check.TimeField(fields.hour, kLastHour, ObservationField::kHour, hour) ||
      !check.TimeField(fields.minute, kLastMinute, ObservationField::kMinute, minute) ||
      !check.TimeField(fields.second, kLastSecond, ObservationField::kSecond, second) ||
      !check.Signed(fields.ut1MinusUtc, kMaxAbsUt1MinusUtc, ObservationField::kUt1MinusUtc,
                    form.ut1MinusUtc)) {
    return false;
  }
  if (fields.bodyIndex < 0 || fields.bodyIndex >= kObservedBodyCount) {
    return check.Refuse(kSelectBodyText, ObservationField::kBody);
  }
  if (!check.Integer(fields.hsDegrees, 0, kMaxHsDegrees, ObservationField::kHsDegrees,
                     form.hsDegrees) ||
      !check.Number(fields.hsMinutes, kMaxHsMinutes, ObservationField::kHsMinutes,
                    form.hsMinutes)) {
    return false;
  }
  if (form.hsDegrees + form.hsMinutes / kArcminutesPerDegree > kMaxHsDegrees) {
    return check.Refuse(kHsTooLargeText, ObservationField::kHsDegrees);
  }
  const int maxHeight = fields.heightInMetres ? kMaxHeightOfEyeMetres : kMaxHeightOfEyeFeet;
  if (!check.Integer(fields.heightOfEye, 0, maxHeight, ObservationField::kHeightOfEye,
                     form.heightOfEye) ||
      !check.Signed(fields.indexCorrection, kMaxAbsIndexCorrection,
                    ObservationField::kIndexCorrection, form.indexCorrection) ||
      !check.Integer(fields.temperature, -kMaxAbsTemperature, kMaxAbsTemperature,
                     ObservationField::kTemperature, form.temperature) ||
      !check.Integer(fields.pressure, kMinPressure, kMaxPressure, ObservationField::kPressure,
                     form.pressure)) {
    return false;
  }
  // Empty time edits read as the log dialogs read them: an empty hour is 0h
  // and clears the minute and second, an empty minute clears the second.
  const bool noHour = hour == kEmptyDialogField;
  const bool noMinute = noHour || minute == kEmptyDialogField;
  form.year = kFirstAlmanacYear + fields.yearIndex;
  form.month = fields.monthIndex + 1;
  form.day = fields.day;
  form.hour = noHour ? 0 : hour;
  form.minute = noMinute ? 0 : minute;
  form.second = noMinute || second == kEmptyDialogField ? 0 : second;
  form.body = fields.bodyIndex;
  form.limb = fields.limbIndex;
  form.quality = fields.qualityIndex;
  form.heightInMetres = fields.heightInMetres;
  return FormToObservation(form, sight) == kStatusOk;
}

ObservationRecorderModel::ObservationRecorderModel(int alreadyRecorded,
                                                   const ObservationRecord& start)
    : mode_(RecorderMode::kAdding),
      alreadyRecorded_(alreadyRecorded),
      newStart_(start),
      newShown_(ShowObservation(start)),
      newFields_(newShown_) {}

ObservationRecorderModel::ObservationRecorderModel(RecorderMode mode, const LegsAndSights& loaded,
                                                   int sightIndex)
    : mode_(mode) {
  for (int16_t i = 0; i < loaded.sightCount; ++i) {
    Entry entry;
    entry.original = loaded.sights[static_cast<size_t>(i)];
    entry.offset = loaded.sightOffsets[static_cast<size_t>(i)];
    entry.shown = ShowObservation(entry.original);
    entry.fields = entry.shown;
    entry.accepted = entry.original;
    entries_.push_back(entry);
  }
  current_ = sightIndex >= 0 && sightIndex < SightCount() ? sightIndex : SightCount() - 1;
}

void ObservationRecorderModel::AskAboutSightsBeforeFix(Notice& notice, double lastFixTime) {
  const Entry* kept = current_ >= 0 && current_ < SightCount() ? &entries_[current_] : nullptr;
  EventLogOffset keptOffset = kept != nullptr ? kept->offset : kNoEventLogEntry;
  bool chosen = false;
  std::vector<Entry> remaining;
  for (size_t i = 0; i < entries_.size(); ++i) {
    const Entry& entry = entries_[i];
    if (!(entry.original.time < lastFixTime)) {
      remaining.push_back(entry);
      continue;
    }
    char text[sizeof kBeforeFixQuestion + 16];
    std::snprintf(text, sizeof text, kBeforeFixQuestion, static_cast<int>(i + 1));
    if (notice.Show(text, kNoticeYesNoQuestion) == NoticeAnswer::kYes) {
      if (!chosen) keptOffset = entry.offset;
      chosen = true;
      remaining.push_back(entry);
    } else {
      takenOff_.push_back(entry.offset);
    }
  }
  entries_ = std::move(remaining);
  current_ = SightCount() - 1;
  for (int i = 0; i < SightCount(); ++i) {
    if (entries_[i].offset == keptOffset) current_ = i;
  }
}

std::string ObservationRecorderModel::Title() const {
  char text[96];
  if (mode_ == RecorderMode::kAdding) {
    std::snprintf(text, sizeof text, "%sObservation No. %d of a possible %d", ModePrefix(mode_),
                  alreadyRecorded_ + current_ + 1, kMaxSights);
  } else if (entries_.empty()) {
    std::snprintf(text, sizeof text, "%s", ModePrefix(mode_));
  } else {
    std::snprintf(text, sizeof text, "%sObservation No. %d on Leg No. %d", ModePrefix(mode_),
                  current_ + 1, entries_[current_].original.legIndex + 1);
  }
  return text;
}

std::string ObservationRecorderModel::Status() const {
  if (AtNewPlace()) return kObservationEnterText;
  if (entries_.empty()) return "";
  const Entry& entry = entries_[current_];
  if (entry.deleted) return kObservationDeletedText;
  if (mode_ == RecorderMode::kAdding) return kObservationAddedText;
  if (mode_ == RecorderMode::kEditing && entry.Edited()) return kObservationEditedText;
  return "";
}

const ObservationFields& ObservationRecorderModel::Fields() const {
  if (AtNewPlace() || entries_.empty()) return newFields_;
  return entries_[current_].fields;
}

void ObservationRecorderModel::SetFields(const ObservationFields& fields) {
  if (!FieldsEnabled()) return;
  if (AtNewPlace()) {
    newFields_ = fields;
  } else {
    entries_[current_].fields = fields;
  }
}

bool ObservationRecorderModel::FieldsEnabled() const {
  if (mode_ == RecorderMode::kAdding) return true;
  return mode_ == RecorderMode::kEditing && !entries_.empty();
}

bool ObservationRecorderModel::HasNewPlace() const {
  return mode_ == RecorderMode::kAdding && alreadyRecorded_ + SightCount() < kMaxSights;
}

int ObservationRecorderModel::LastPlace() const {
  return HasNewPlace() ? SightCount() : SightCount() - 1;
}

bool ObservationRecorderModel::CanMove(RecorderMove move) const {
  const bool back = move == RecorderMove::kBegin || move == RecorderMove::kPrevious;
  return back ? current_ > 0 : current_ < LastPlace();
}

bool ObservationRecorderModel::AddNewObservation(Notice& notice, ObservationField& returnTo) {
  Entry entry;
  entry.accepted = newStart_;
  if (!AcceptObservationFields(notice, newFields_, entry.accepted, returnTo)) return false;
  entry.original = entry.accepted;
  entry.shown = newFields_;
  entry.fields = newFields_;
  entries_.push_back(entry);
  // The next observation starts from this one: same date, instrument and weather.
  newStart_ = entry.accepted;
  newShown_ = newFields_;
  return true;
}

bool ObservationRecorderModel::CheckCurrent(Notice& notice, ObservationField& returnTo) {
  if (AtNewPlace()) {
    // An observation not entered is not added; one entered is added first.
    return newFields_ == newShown_ || AddNewObservation(notice, returnTo);
  }
  if (!FieldsEnabled() || entries_.empty()) return true;
  Entry& entry = entries_[current_];
  // A sight as read, or one marked for deletion, stands as it is.
  if (entry.deleted || (mode_ == RecorderMode::kEditing && !entry.Edited())) return true;
  ObservationRecord checked = entry.original;
  if (!AcceptObservationFields(notice, entry.fields, checked, returnTo)) return false;
  entry.accepted = checked;
  return true;
}

bool ObservationRecorderModel::Move(Notice& notice, RecorderMove move, ObservationField& returnTo) {
  if (!CheckCurrent(notice, returnTo)) return false;
  switch (move) {
    case RecorderMove::kBegin:
      current_ = 0;
      break;
    case RecorderMove::kPrevious:
      current_ = std::max(current_ - 1, 0);
      break;
    case RecorderMove::kNext:
      current_ = std::min(current_ + 1, LastPlace());
      break;
    case RecorderMove::kEnd:
      current_ = LastPlace();
      break;
  }
  current_ = std::max(current_, 0);
  if (AtNewPlace()) newFields_ = newShown_;
  return true;
}

std::string ObservationRecorderModel::ActionText() const {
  if (mode_ != RecorderMode::kAdding) return "Reset";
  return AtNewPlace() ? "Add" : "Remove";
}

bool ObservationRecorderModel::ActionEnabled() const {
  switch (mode_) {
    case RecorderMode::kAdding:
      return !AtNewPlace() || !(newFields_ == newShown_);
    case RecorderMode::kEditing:
      return !entries_.empty() && entries_[current_].Edited();
    default:
      return false;
  }
}

bool ObservationRecorderModel::Action(Notice& notice, ObservationField& returnTo) {
  // Added where it was entered: the new observation becomes current.
  if (AtNewPlace()) return AddNewObservation(notice, returnTo);
  if (!ActionEnabled()) return true;
  if (mode_ == RecorderMode::kEditing) {
    Entry& entry = entries_[current_];
    entry.fields = entry.shown;
    entry.accepted = entry.original;
    return true;
  }
  entries_.erase(entries_.begin() + current_);
  current_ = std::min(current_, LastPlace());
  if (AtNewPlace()) newFields_ = newShown_;
  return true;
}

bool ObservationRecorderModel::CanToggleDelete() const {
  if (entries_.empty() || AtNewPlace()) return false;
  return mode_ == RecorderMode::kDeleting || mode_ == RecorderMode::kAdding;
}

std::string ObservationRecorderModel::DeleteButtonText() const {
  return !entries_.empty() && !AtNewPlace() && entries_[current_].deleted ? "UnDelete" : "Delete";
}

void ObservationRecorderModel::ToggleDelete() {
  if (CanToggleDelete()) entries_[current_].deleted = !entries_[current_].deleted;
}

bool ObservationRecorderModel::Done(Notice& notice, ObservationField& returnTo) {
  return CheckCurrent(notice, returnTo);
}

std::vector<ObservationRecord> ObservationRecorderModel::NewSights() const {
  std::vector<ObservationRecord> sights;
  if (mode_ != RecorderMode::kAdding) return sights;
  for (const Entry& entry : entries_) {
    if (!entry.deleted) sights.push_back(entry.accepted);
  }
  return sights;
}

SightEdits ObservationRecorderModel::Edits() const {
  SightEdits edits;
  if (mode_ == RecorderMode::kAdding) return edits;
  edits.deletions = takenOff_;
  for (const Entry& entry : entries_) {
    if (entry.deleted) {
      edits.deletions.push_back(entry.offset);
    } else if (mode_ == RecorderMode::kEditing && entry.Edited()) {
      edits.corrections.emplace_back(entry.offset, entry.accepted);
    }
  }
  return edits;
}

}  // namespace navora
