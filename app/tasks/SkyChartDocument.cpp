#include "app/tasks/SkyChartDocument.h"

#include <algorithm>
#include <cstdio>

namespace navora {
namespace {

std::string Formatted(const char* format, const std::string& text) {
  std::string out(std::snprintf(nullptr, 0, format, text.c_str()), '\0');
  std::snprintf(out.data(), out.size() + 1, format, text.c_str());
  return out;
}

template <typename Record, size_t N>
int32_t CopyRecords(const Record* from, int count, std::array<Record, N>& to) {
  const int kept = from == nullptr ? 0 : std::clamp(count, 0, static_cast<int>(N));
  std::copy_n(from, kept, to.begin());
  return kept;
}

}  // namespace

std::string SkyChartNumbering::NextTitle() {
  char title[sizeof kSkyChartTitleFormat + 16];
  std::snprintf(title, sizeof title, kSkyChartTitleFormat, ++last_);
  return title;
}

SkyChartDocument InitialiseSkyChart(const SkyChartLuminary* luminaries, int luminaryCount,
                                    const SkyChartPlanet* planets, int planetCount,
                                    const SkyChartStar* stars, int starCount,
                                    const PositionRecord& observer, double planningTime) {
  SkyChartDocument document;
  SkyChartState& chart = document.chart;
  chart.luminaryCount = CopyRecords(luminaries, luminaryCount, chart.luminaries);
  chart.planetCount = CopyRecords(planets, planetCount, chart.planets);
  chart.starCount = CopyRecords(stars, starCount, chart.stars);
  chart.totalCount = chart.luminaryCount + chart.planetCount + chart.starCount;
  chart.reserved = 0;
  chart.observer = observer;
  chart.planningTime = planningTime;
  document.modified = true;
  return document;
}

std::string SaveChangesQuestion(const std::string& title) {
  return Formatted(kSaveChangesFormat, title);
}

int SaveSkyChart(Notice& notice, SkyChartDocument& document, const std::string& path) {
  const EngineStatus status = WriteSppFile(path, document.chart);
  if (status != kStatusOk) {
    notice.Show(Formatted(kChartUnwritableFormat, path), kNoticeOk);
    return status;
  }
  document.modified = false;
  return status;
}

int OpenSkyChart(Notice& notice, const std::string& path, SkyChartDocument& document) {
  SkyChartState read;
  const EngineStatus status = ReadSppFile(path, read);
  if (status == kSppCannotRead) {
    notice.Show(Formatted(kChartUnreadableFormat, path), kNoticeOk);
  } else if (status != kStatusOk) {
    notice.Show(kNotAChartFileText, kNoticeOk);
  }
  if (status != kStatusOk) return status;
  document = SkyChartDocument{read, false};
  return status;
}

}  // namespace navora
