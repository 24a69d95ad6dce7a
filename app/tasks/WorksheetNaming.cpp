#include "app/tasks/WorksheetNaming.h"

#include <algorithm>
#include <cctype>

namespace navora {

std::string NewWorksheetTitle(const std::vector<std::string>& openTitles) {
  int counter = 1;
  auto candidate = [&counter] { return "WorkSheet" + std::to_string(counter) + ".sdf"; };
  std::string title = candidate();
  for (size_t i = 0; i < openTitles.size();) {
    if (TitleWithoutMark(openTitles[i]) == title) {
      ++counter;
      title = candidate();  // and the same worksheet is compared again
    } else {
      ++i;
    }
  }
  return title;
}

std::string ShownTitle(std::string_view title, bool modified) {
  std::string shown(title);
  if (modified && shown.find(kModifiedMark) == std::string::npos) shown.append(kModifiedMark);
  return shown;
}

std::string TitleWithoutMark(std::string_view title) {
  std::string bare(title);
  for (size_t at; (at = bare.find(kModifiedMark)) != std::string::npos;) {
    bare.erase(at, kModifiedMark.size());
  }
  return bare;
}

std::string WithWorksheetExtension(std::string_view fileName) {
  std::string name(fileName);
  const size_t slash = name.find_last_of('/');
  const size_t dot = name.find_last_of('.');
  const bool hasDot = dot != std::string::npos && (slash == std::string::npos || dot > slash);
  if (hasDot) {
    std::string extension = name.substr(dot + 1);
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (extension == kWorksheetExtension) return name;
  }
  if (name.empty() || name.back() != '.') name.push_back('.');
  name.append(kWorksheetExtension);
  return name;
}

}  // namespace navora
