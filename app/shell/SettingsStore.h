#pragma once

#include <QFont>
#include <QString>
#include <QTextCharFormat>
#include <QWidget>
#include <optional>

namespace navora {

// The per-user settings of the desktop program: window placements, fonts,
// character formats and last directories, in named sections of the QSettings
// store of organisation kSettingsOrganisation and application
// kSettingsApplication ("\" in a section name becomes a group separator).
// Keys keep the names the settings have always had, so that a value absent
// or written by nobody reads as "nothing stored":
// - a font or character format with any integer key missing (read as 1024),
//   or a face name "None", is no stored font or format;
// - a directory "None" is no stored directory;
// - a placement whose normal rectangle lies wholly off the screen is ignored.
inline constexpr char kSettingsOrganisation[] = "Orlent";
inline constexpr char kSettingsApplication[] = "Navora";

// Section names.
inline constexpr char kMainFrameSection[] = "MainFrameSettings";
inline constexpr char kLogPlacementSection[] = "LogSettings\\WindowPlacement";
inline constexpr char kLogFontSection[] = "LogSettings\\FontInfo";
inline constexpr char kLogCharFormatSection[] = "LogSettings\\CharFormatInfo";
inline constexpr char kWorksheetPlacementSection[] = "WorkSheetSettings\\WindowPlacement";
inline constexpr char kWorksheetFontSection[] = "WorkSheetSettings\\FontInfo";
inline constexpr char kWorksheetCharFormatSection[] = "WorkSheetSettings\\CharFormatInfo";
inline constexpr char kWorksheetPathSection[] = "WorkSheetSettings\\FilePath";
inline constexpr char kSrPlotPlacementSection[] = "SRPlotSettings\\WindowPlacement";
inline constexpr char kSrPlotFontSection[] = "SRPlotSettings\\FontInfo";
inline constexpr char kSrPlotPathSection[] = "SRPlotSettings\\FilePath";
inline constexpr char kSpPlotPlacementSection[] = "SPPlotSettings\\WindowPlacement";
inline constexpr char kSpPlotFontSection[] = "SPPlotSettings\\FontInfo";
inline constexpr char kSpPlotPathSection[] = "SPPlotSettings\\FilePath";
inline constexpr char kTrackPlacementSection[] = "Current Track\\WindowPlacement";
inline constexpr char kTrackBarStateSection[] = "Current Track\\Bar State";

// The placement of a top-level window, or of an MDI child inside its area
// (the screen rectangle then being the area's). `window` is the frame: the
// main window or the QMdiSubWindow. Load returns false, leaving the window
// as it is, when nothing usable is stored.
void StorePlacement(const char* section, const QWidget& window);
bool LoadPlacement(const char* section, QWidget& window);

// A font with its size in tenths of a point ("FontSize").
void StoreFont(const char* section, const QFont& font);
std::optional<QFont> LoadFont(const char* section);

void StoreCharFormat(const char* section, const QTextCharFormat& format);
std::optional<QTextCharFormat> LoadCharFormat(const char* section);

// A directory ("Path").
void StorePath(const char* section, const QString& directory);
std::optional<QString> LoadPath(const char* section);

// Any other value of a section (the track pane's bar state).
void StoreBytes(const char* section, const char* key, const QByteArray& value);
QByteArray LoadBytes(const char* section, const char* key);

// An integer value of a section (a choice such as the night palette);
// nothing when the key is absent.
void StoreInteger(const char* section, const char* key, int value);
std::optional<int> LoadInteger(const char* section, const char* key);

}  // namespace navora
