#include "engine/log/ArchivedTextLog.h"

#include <filesystem>
#include <fstream>
#include <string_view>
#include <system_error>
#include <utility>

#include "engine/log/TextLog.h"
#include "engine/log/TextLogCipher.h"

namespace navora {

namespace {

constexpr char kSeparatorMark = '$';
constexpr char kSeparatorDash = '-';

// One stored line (without its line feed) in clear, cut to the reader's limit.
std::string ClearLine(std::string_view stored) {
  std::string line = UnscrambleTextLogLine(stored.substr(0, kTextLogReadLimit));
  if (!line.empty() && line.front() == kSeparatorMark) {
    line.assign(kTextLogSeparatorWidth, kSeparatorDash);
  }
  return line;
}

}  // namespace

EngineStatus ReadArchivedTextLog(const std::string& path, std::vector<std::string>& lines) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) {
    return kArchivedLogUnreadable;
  }
  const std::uintmax_t size = std::filesystem::file_size(path, error);
  if (error) {
    return kArchivedLogUnreadable;
  }
  if (size > static_cast<std::uintmax_t>(kArchivedTextLogMaxBytes)) {
    return kArchivedLogTooLarge;
  }
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    return kArchivedLogUnreadable;
  }
  std::string bytes(static_cast<size_t>(size), '\0');
  in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  // The file may have shrunk since it was measured; only what was read counts.
  if (in.bad()) {
    return kArchivedLogUnreadable;
  }
  bytes.resize(static_cast<size_t>(in.gcount()));

  std::vector<std::string> clear;
  std::string_view rest(bytes);
  while (!rest.empty()) {
    const size_t lineFeed = rest.find('\n');
    const std::string_view stored = rest.substr(0, lineFeed);
    clear.push_back(ClearLine(stored));
    rest.remove_prefix(lineFeed == std::string_view::npos ? rest.size() : lineFeed + 1);
  }
  lines = std::move(clear);
  return kStatusOk;
}

}  // namespace navora
