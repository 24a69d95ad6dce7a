#include "app/shell/SettingsStore.h"

#include <QGuiApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScreen>
#include <QSettings>
#include <array>
#include <cmath>

namespace navora {
namespace {

// What an absent integer key reads as.
constexpr int kMissing = 1024;
constexpr char kNoFace[] = "None";

// Window show states.
constexpr int kShowNormal = 1;
constexpr int kShowMinimized = 2;
constexpr int kShowMaximized = 3;

constexpr double kPointsPerInch = 72.0;
constexpr double kLogicalPixelsPerInch = 96.0;
constexpr int kTwipsPerPoint = 20;
constexpr int kPitchFixedModern = 0x31;    // fixed pitch, modern family
constexpr int kPitchVariableSwiss = 0x22;  // variable pitch, swiss family
constexpr int kCharFormatSize = 60;        // the size of the stored format record
constexpr int kCharFormatMaskAll =
    0x6800000F;  // bold, italic, underline, strike, size, face, colour
constexpr int kEffectBold = 0x1;
constexpr int kEffectItalic = 0x2;
constexpr int kEffectUnderline = 0x4;
constexpr int kEffectStrikeOut = 0x8;
constexpr int kFontWeightBold = 700;

QString Group(const char* section) {
  return QString::fromLatin1(section).replace(QLatin1Char('\\'), QLatin1Char('/'));
}

class Section {
 public:
  explicit Section(const char* section) : settings_(kSettingsOrganisation, kSettingsApplication) {
    settings_.beginGroup(Group(section));
  }
  void Put(const char* key, const QVariant& value) { settings_.setValue(key, value); }
  // Reads an integer; false when the key is absent or reads as the missing marker.
  bool Get(const char* key, int& value) {
    value = settings_.value(key, kMissing).toInt();
    return value != kMissing;
  }
  QString Text(const char* key) { return settings_.value(key, kNoFace).toString(); }
  QVariant Raw(const char* key) { return settings_.value(key); }

 private:
  QSettings settings_;
};

// The rectangle a placement must meet: the screen, or the MDI area of a child.
QRect Bounds(const QWidget& window) {
  if (const auto* child = qobject_cast<const QMdiSubWindow*>(&window); child && child->mdiArea()) {
    return QRect(QPoint(0, 0), child->mdiArea()->viewport()->size());
  }
  const QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
  return screen ? QRect(QPoint(0, 0), screen->size()) : QRect();
}

int PointSizeTenths(const QFont& font) {
  return static_cast<int>(std::lround(font.pointSizeF() * 10.0));
}

}  // namespace

void StorePlacement(const char* section, const QWidget& window) {
  Section store(section);
  const QRect normal = window.isWindow() ? window.normalGeometry() : window.geometry();
  const QRect rect = normal.isValid() ? normal : window.geometry();
  const int show = window.isMinimized()   ? kShowMinimized
                   : window.isMaximized() ? kShowMaximized
                                          : kShowNormal;
  store.Put("wp.showCmd", show);
  store.Put("wp.flags", 0);
  store.Put("wp.ptMinPosition.x", -1);
  store.Put("wp.ptMinPosition.y", -1);
  store.Put("wp.ptMaxPosition.x", -1);
  store.Put("wp.ptMaxPosition.y", -1);
  store.Put("wp.left", rect.left());
  store.Put("wp.top", rect.top());
  store.Put("wp.right", rect.left() + rect.width());
  store.Put("wp.bottom", rect.top() + rect.height());
}

bool LoadPlacement(const char* section, QWidget& window) {
  Section store(section);
  const QRect current = window.geometry();
  int left = current.left();
  int top = current.top();
  int right = current.left() + current.width();
  int bottom = current.top() + current.height();
  int show = kShowNormal;
  // A missing key keeps the window's own value.
  store.Get("wp.left", left);
  store.Get("wp.top", top);
  store.Get("wp.right", right);
  store.Get("wp.bottom", bottom);
  store.Get("wp.showCmd", show);
  const QRect stored(QPoint(left, top), QPoint(right - 1, bottom - 1));
  if (!stored.isValid() || !stored.intersects(Bounds(window))) return false;
  window.setGeometry(stored);
  // A window is never brought back minimized: it would seem not to open.
  if (show == kShowMaximized) window.setWindowState(window.windowState() | Qt::WindowMaximized);
  return true;
}

void StoreFont(const char* section, const QFont& font) {
  Section store(section);
  const double points = font.pointSizeF();
  store.Put("lfHeight",
            -static_cast<int>(std::lround(points * kLogicalPixelsPerInch / kPointsPerInch)));
  store.Put("lfWidth", 0);
  store.Put("lfEscapement", 0);
  store.Put("lfOrientation", 0);
  store.Put("lfWeight", static_cast<int>(font.weight()));
  store.Put("lfItalic", font.italic() ? 1 : 0);
  store.Put("lfUnderline", font.underline() ? 1 : 0);
  store.Put("lfStrikeOut", font.strikeOut() ? 1 : 0);
  store.Put("lfCharSet", 0);
  store.Put("lfOutPrecision", 3);
  store.Put("lfClipPrecision", 2);
  store.Put("lfQuality", 1);
  store.Put("lfPitchAndFamily", font.fixedPitch() ? kPitchFixedModern : kPitchVariableSwiss);
  store.Put("lfFaceName", font.family());
  store.Put("FontSize", PointSizeTenths(font));
}

std::optional<QFont> LoadFont(const char* section) {
  Section store(section);
  static constexpr std::array kIntegerKeys = {
      "lfHeight",        "lfWidth",     "lfEscapement",    "lfOrientation", "lfWeight",
      "lfItalic",        "lfUnderline", "lfStrikeOut",     "lfCharSet",     "lfOutPrecision",
      "lfClipPrecision", "lfQuality",   "lfPitchAndFamily"};
  std::array<int, kIntegerKeys.size()> values{};
  for (size_t i = 0; i < kIntegerKeys.size(); ++i) {
    if (!store.Get(kIntegerKeys[i], values[i])) return std::nullopt;
  }
  const QString face = store.Text("lfFaceName");
  int tenths = 0;
  if (face == QLatin1String(kNoFace) || !store.Get("FontSize", tenths) || tenths <= 0) {
    return std::nullopt;
  }
  QFont font(face);
  font.setPointSizeF(tenths / 10.0);
  font.setWeight(static_cast<QFont::Weight>(std::clamp(values[4], 100, 900)));
  font.setItalic(values[5] != 0);
  font.setUnderline(values[6] != 0);
  font.setStrikeOut(values[7] != 0);
  font.setFixedPitch((values[12] & 0x3) == 0x1);
  return font;
}

void StoreCharFormat(const char* section, const QTextCharFormat& format) {
  Section store(section);
  int effects = 0;
  if (format.fontWeight() >= kFontWeightBold) effects |= kEffectBold;
  if (format.fontItalic()) effects |= kEffectItalic;
  if (format.fontUnderline()) effects |= kEffectUnderline;
  if (format.fontStrikeOut()) effects |= kEffectStrikeOut;
  const QColor color = format.foreground().color();
  store.Put("cbSize", kCharFormatSize);
  store.Put("dwMask", kCharFormatMaskAll);
  store.Put("dwEffects", effects);
  store.Put("yHeight", static_cast<int>(std::lround(format.fontPointSize() * kTwipsPerPoint)));
  store.Put("yOffset", 0);
  store.Put("crTextColor", (color.blue() << 16) | (color.green() << 8) | color.red());
  store.Put("bCharSet", 0);
  store.Put("bPitchAndFamily", format.fontFixedPitch() ? kPitchFixedModern : kPitchVariableSwiss);
  const QStringList families = format.fontFamilies().toStringList();
  store.Put("szFaceName", families.isEmpty() ? QString() : families.front());
}

std::optional<QTextCharFormat> LoadCharFormat(const char* section) {
  Section store(section);
  static constexpr std::array kIntegerKeys = {"cbSize",   "dwMask",         "dwEffects",
                                              "yHeight",  "yOffset",        "crTextColor",
                                              "bCharSet", "bPitchAndFamily"};
  std::array<int, kIntegerKeys.size()> values{};
  for (size_t i = 0; i < kIntegerKeys.size(); ++i) {
    if (!store.Get(kIntegerKeys[i], values[i])) return std::nullopt;
  }
  const QString face = store.Text("szFaceName");
  if (face == QLatin1String(kNoFace) || values[3] <= 0) return std::nullopt;
  QTextCharFormat format;
  format.setFontFamilies({face});
  format.setFontPointSize(values[3] / static_cast<double>(kTwipsPerPoint));
  format.setFontWeight(values[2] & kEffectBold ? QFont::Bold : QFont::Normal);
  format.setFontItalic((values[2] & kEffectItalic) != 0);
  format.setFontUnderline((values[2] & kEffectUnderline) != 0);
  format.setFontStrikeOut((values[2] & kEffectStrikeOut) != 0);
  const int rgb = values[5];
  format.setForeground(QColor(rgb & 0xFF, (rgb >> 8) & 0xFF, (rgb >> 16) & 0xFF));
  format.setFontFixedPitch((values[7] & 0x3) == 0x1);
  return format;
}

void StorePath(const char* section, const QString& directory) {
  Section(section).Put("Path", directory);
}

std::optional<QString> LoadPath(const char* section) {
  const QString path = Section(section).Text("Path");
  if (path == QLatin1String(kNoFace) || path.isEmpty()) return std::nullopt;
  return path;
}

void StoreBytes(const char* section, const char* key, const QByteArray& value) {
  Section(section).Put(key, value);
}

QByteArray LoadBytes(const char* section, const char* key) {
  return Section(section).Raw(key).toByteArray();
}

void StoreInteger(const char* section, const char* key, int value) {
  Section(section).Put(key, value);
}

std::optional<int> LoadInteger(const char* section, const char* key) {
  int value = 0;
  if (!Section(section).Get(key, value)) return std::nullopt;
  return value;
}

}  // namespace navora
