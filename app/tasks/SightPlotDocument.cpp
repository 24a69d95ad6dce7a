#include "app/tasks/SightPlotDocument.h"

#include <cmath>

namespace navora {
namespace {

bool IsFar(const ReducedObservation& reduced) {
  return std::fabs(reduced.ho - reduced.hc) > kFarSightDegrees;
}

}  // namespace

void PruneFarSights(SightPlotState& state) {
  for (int32_t i = 0; i < state.nSights; ++i) {
    if (IsFar(state.reduced[i])) {
      state.sights[i].included = 0;
      state.reduced[i].included = 0;
    }
  }
}

void RecomputeSightFlags(SightPlotState& state) {
  for (int32_t i = 0; i < state.nSights; ++i) {
    const bool excluded = state.sights[i].included == 0;
    state.excluded[i] = excluded ? 1 : 0;
    state.rejected[i] = excluded || IsFar(state.reduced[i]) ? 1 : 0;
  }
}

bool ToggleSight(SightPlotDocument& document, int index) {
  SightPlotState& state = document.state;
  if (document.kind != SightPlotKind::kLive || index < 0 || index >= state.nSights) return false;
  const uint16_t included = state.sights[index].included == 0 ? 1 : 0;
  state.sights[index].included = included;
  state.reduced[index].included = included;
  document.edited = true;
  document.modified = true;
  return true;
}

const char* PlotStatusText(const SightPlotDocument& document) {
  if (document.edited) return kPlotEditedText;
  return document.state.fixCalculated != 0 ? kPlotSolvedText : kPlotAwaitingFixText;
}

int SaveSightPlot(SightPlotDocument& document, const std::string& path) {
  const EngineStatus status = WriteSrpFile(path, document.state);
  if (status == kStatusOk) document.modified = false;
  return status;
}

int OpenSightPlot(Notice& notice, const std::string& path, SightPlotDocument& document) {
  SightPlotState read;
  if (const EngineStatus status = ReadSrpFile(path, read)) {
    notice.Show(kNotAPlotFileText, kNoticeOk);
    return status;
  }
  document = SightPlotDocument{read, SightPlotKind::kArchived};
  return 0;
}

}  // namespace navora
