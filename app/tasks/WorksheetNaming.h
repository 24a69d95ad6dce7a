#pragma once

// The naming rules of worksheets, free of any window: the title a new
// worksheet takes, the title shown while it is modified, and the name a
// worksheet is saved under.

#include <string>
#include <string_view>
#include <vector>

namespace navora {

// Appended to a worksheet's title while it has unsaved changes.
inline constexpr std::string_view kModifiedMark = "( modified )";
inline constexpr std::string_view kWorksheetExtension = "sdf";

// The title of a new worksheet given the titles of the open ones in their
// list order: "WorkSheet1.sdf", its number raised while a worksheet's title
// equals the candidate. The list is walked once, comparing the same worksheet
// again after each raise, so titles out of order can leave a number taken.
std::string NewWorksheetTitle(const std::vector<std::string>& openTitles);

// The title as shown: `title` followed directly by the modified mark while
// modified, never twice.
std::string ShownTitle(std::string_view title, bool modified);

// The title without any modified mark: the name proposed when saving.
std::string TitleWithoutMark(std::string_view title);

// The file name a worksheet is saved under: ".sdf" is appended unless the
// extension already is "sdf" (case-insensitive); a name ending in "." gets
// only "sdf".
std::string WithWorksheetExtension(std::string_view fileName);

}  // namespace navora
