#include "app/shell/SettingsStore.h"

#include <QGuiApplication>
#include <QScreen>
#include <QSettings>
#include <QWidget>
#include <functional>
#include <gtest/gtest.h>

#include "support/ScratchSession.h"

namespace navora {
namespace {

// Edits one key of a section behind the store's back, as an older program
// version or a hand edit would have left it.
void SetRaw(const char* section, const char* key, const QVariant& value) {
  QSettings settings(kSettingsOrganisation, kSettingsApplication);
  settings.beginGroup(QString::fromLatin1(section).replace('\\', '/'));
  if (value.isValid()) {
    settings.setValue(key, value);
  } else {
    settings.remove(key);
  }
}

QFont StoredFont() {
  QFont font(QStringLiteral("DejaVu Sans Mono"));
  font.setPointSizeF(10.5);
  font.setBold(true);
  font.setItalic(true);
  return font;
}

QTextCharFormat StoredFormat() {
  QTextCharFormat format;
  format.setFontFamilies({QStringLiteral("DejaVu Serif")});
  format.setFontPointSize(12.0);
  format.setFontUnderline(true);
  format.setForeground(QColor(10, 20, 200));
  return format;
}

TEST(SettingsStore, FontsAndFormatsRoundTripUnlessAKeyIsMissingOrTheFaceIsNone) {
  struct Case {
    const char* name;
    std::function<void()> spoil;  // applied after storing; null keeps the stored value
    bool loads;
  };
  const Case cases[] = {
      {"as stored", nullptr, true},
      {"face None", [] { SetRaw(kLogFontSection, "lfFaceName", "None"); }, false},
      {"an integer key missing", [] { SetRaw(kLogFontSection, "lfQuality", {}); }, false},
      {"an integer key at the missing marker", [] { SetRaw(kLogFontSection, "lfWeight", 1024); },
       false},
      {"size missing", [] { SetRaw(kLogFontSection, "FontSize", {}); }, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    testing::ScratchSession session;
    StoreFont(kLogFontSection, StoredFont());
    if (c.spoil) c.spoil();
    const std::optional<QFont> font = LoadFont(kLogFontSection);
    ASSERT_EQ(font.has_value(), c.loads);
    if (!font) continue;
    EXPECT_EQ(font->family(), StoredFont().family());
    EXPECT_DOUBLE_EQ(font->pointSizeF(), 10.5);
    EXPECT_TRUE(font->bold());
    EXPECT_TRUE(font->italic());
    EXPECT_FALSE(font->underline());
  }

  testing::ScratchSession session;
  EXPECT_FALSE(LoadFont(kWorksheetFontSection)) << "nothing stored";
  StoreCharFormat(kWorksheetCharFormatSection, StoredFormat());
  const std::optional<QTextCharFormat> format = LoadCharFormat(kWorksheetCharFormatSection);
  ASSERT_TRUE(format);
  EXPECT_EQ(format->fontFamilies().toStringList(), QStringList{QStringLiteral("DejaVu Serif")});
  EXPECT_DOUBLE_EQ(format->fontPointSize(), 12.0);
  EXPECT_TRUE(format->fontUnderline());
  EXPECT_FALSE(format->fontItalic());
  EXPECT_EQ(format->foreground().color(), QColor(10, 20, 200));
  SetRaw(kWorksheetCharFormatSection, "szFaceName", "None");
  EXPECT_FALSE(LoadCharFormat(kWorksheetCharFormatSection));
  SetRaw(kWorksheetCharFormatSection, "szFaceName", "DejaVu Serif");
  SetRaw(kWorksheetCharFormatSection, "yOffset", {});
  EXPECT_FALSE(LoadCharFormat(kWorksheetCharFormatSection));
}

TEST(SettingsStore, PathNoneMeansNoDirectory) {
  testing::ScratchSession session;
  EXPECT_FALSE(LoadPath(kWorksheetPathSection));
  StorePath(kWorksheetPathSection, QStringLiteral("/data/voyages/2024"));
  EXPECT_EQ(LoadPath(kWorksheetPathSection), QStringLiteral("/data/voyages/2024"));
  StorePath(kWorksheetPathSection, QStringLiteral("None"));
  EXPECT_FALSE(LoadPath(kWorksheetPathSection));
}

TEST(SettingsStore, APlacementOffEveryScreenIsIgnoredAndAVisibleOneApplied) {
  const QRect screen = QGuiApplication::primaryScreen()->geometry();
  struct Case {
    const char* name;
    QRect stored;
    bool applied;
  };
  const Case cases[] = {
      {"inside", QRect(40, 30, 300, 200), true},
      {"overlapping the right edge", QRect(screen.width() - 50, 10, 300, 200), true},
      {"right of the screen", QRect(screen.width() + 10, 10, 300, 200), false},
      {"above the screen", QRect(10, -400, 300, 200), false},
      {"left of the screen", QRect(-900, 50, 300, 200), false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    testing::ScratchSession session;
    QWidget stored;
    stored.setGeometry(c.stored);
    StorePlacement(kMainFrameSection, stored);

    QWidget restored;
    const QRect before(100, 100, 400, 300);
    restored.setGeometry(before);
    EXPECT_EQ(LoadPlacement(kMainFrameSection, restored), c.applied);
    EXPECT_EQ(restored.geometry(), c.applied ? c.stored : before);
  }
}

}  // namespace
}  // namespace navora
