#include "app/shell/NightPalette.h"

#include <QApplication>
#include <QEvent>
#include <QImage>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPainter>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QStyleOptionTitleBar>
#include <QTextEdit>
#include <QToolTip>
#include <utility>
#include <vector>

#include "app/shell/SettingsStore.h"

namespace navora {
namespace {

// Red light of low strength disturbs dark adaptation least; green and blue
// are kept near zero throughout.
constexpr QColor kInk(200, 48, 36);          // text
constexpr QColor kBrightInk(232, 72, 52);    // emphasis, selected text
constexpr QColor kDimInk(120, 30, 24);       // disabled text, placeholders
constexpr QColor kBase(12, 2, 2);            // behind text
constexpr QColor kAlternateBase(22, 5, 4);
constexpr QColor kWindow(26, 7, 6);          // window and dialog grounds
constexpr QColor kButton(40, 11, 9);
constexpr QColor kHighlight(96, 16, 12);     // selections
constexpr QColor kDocumentArea(6, 1, 1);     // behind the document windows

constexpr char kSwitchName[] = "NightPaletteSwitch";
constexpr char kInkName[] = "NightInk";
constexpr char kDayBackground[] = "navoraDayBackground";

// Platform themes may give these classes palettes of their own, which
// setting the application palette discards: they are kept for the day.
constexpr const char* kThemedClasses[] = {
    "QToolButton", "QAbstractButton", "QCheckBox",        "QRadioButton", "QHeaderView",
    "QAbstractItemView", "QMessageBoxLabel", "QTabBar",  "QLabel",       "QGroupBox",
    "QMenu",       "QMenuBar",        "QTextEdit",        "QTextControl", "QLineEdit",
};

// A text view's colours at night: one extra selection over the whole
// document paints every character in the night ink on the night base, so
// that colours stored in a worksheet (black text, say) neither vanish nor
// glare, while the document itself keeps them. The view's own selection is
// painted after it and still shows. The caret is drawn by inverting what is
// under it, which on a black ground is a white bar: an editable view shows
// a block caret in the ink instead.
class NightInk : public QObject {
 public:
  explicit NightInk(QTextEdit& view)
      : QObject(&view), view_(view), dayCursorWidth_(view.cursorWidth()) {
    setObjectName(kInkName);
    connect(view.document(), &QTextDocument::contentsChanged, this, &NightInk::Cover);
    connect(&view, &QTextEdit::cursorPositionChanged, this, &NightInk::Cover);
    view.setCursorWidth(0);
    Cover();
  }

  static void Attach(QTextEdit& view) {
    if (view.findChild<QObject*>(kInkName, Qt::FindDirectChildrenOnly) == nullptr) {
      new NightInk(view);
    }
  }

  static void Detach(QTextEdit& view) {
    if (auto* ink = static_cast<NightInk*>(
            view.findChild<QObject*>(kInkName, Qt::FindDirectChildrenOnly))) {
      view.setCursorWidth(ink->dayCursorWidth_);
      delete ink;
      view.setExtraSelections({});
    }
  }

 private:
  void Cover() {
    QTextEdit::ExtraSelection whole;
    whole.cursor = QTextCursor(view_.document());
    whole.cursor.select(QTextCursor::Document);
    whole.format.setForeground(kInk);
    whole.format.setBackground(kBase);
    QList<QTextEdit::ExtraSelection> selections{whole};
    if (!view_.isReadOnly()) {
      QTextEdit::ExtraSelection caret;
      caret.cursor = view_.textCursor();
      caret.cursor.clearSelection();
      caret.cursor.movePosition(QTextCursor::NextCharacter, QTextCursor::KeepAnchor);
      caret.format.setForeground(kBase);
      caret.format.setBackground(kDimInk);
      selections.append(caret);
    }
    view_.setExtraSelections(selections);
  }

  QTextEdit& view_;
  int dayCursorWidth_;
};

// The document windows' title bars: the style draws their titles in fixed
// white or black whatever the palette, so at night they are drawn here in
// the ink on the night ground, the active one on the selection red.
class NightTitleStyle : public QProxyStyle {
 public:
  NightTitleStyle() : QProxyStyle(QStyleFactory::create(QApplication::style()->name())) {}

  void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                          QPainter* painter, const QWidget* widget) const override {
    const auto* bar = qstyleoption_cast<const QStyleOptionTitleBar*>(option);
    if (control != CC_TitleBar || bar == nullptr) {
      QProxyStyle::drawComplexControl(control, option, painter, widget);
      return;
    }
    QStyleOptionTitleBar night = *bar;
    const bool active = bar->titleBarState & State_Active;
    night.palette = NightPalette();
    night.palette.setCurrentColorGroup(active ? QPalette::Active : QPalette::Inactive);
    night.palette.setColor(QPalette::Window, active ? kHighlight : kButton);
    night.palette.setColor(QPalette::Highlight, active ? kHighlight : kButton);
    night.text.clear();
    // Drawn as inactive: the style's active buttons are white; the ground
    // still tells the active window.
    night.titleBarState &= ~State_Active;
    night.state &= ~State_Active;
    QProxyStyle::drawComplexControl(control, &night, painter, widget);
    const QRect label = subControlRect(CC_TitleBar, bar, SC_TitleBarLabel, widget);
    painter->save();
    painter->setPen(active ? kBrightInk : kInk);
    painter->drawText(label, Qt::AlignCenter,
                      painter->fontMetrics().elidedText(bar->text, Qt::ElideRight, label.width()));
    painter->restore();
  }
};

void DarkenArea(QMdiArea& area) {
  if (!area.property(kDayBackground).isValid()) {
    area.setProperty(kDayBackground, QVariant::fromValue(area.background()));
  }
  area.setBackground(kDocumentArea);
}

void LightenArea(QMdiArea& area) {
  const QVariant day = area.property(kDayBackground);
  if (!day.isValid()) return;
  area.setBackground(day.value<QBrush>());
  area.setProperty(kDayBackground, QVariant());
}

// The night state itself, alive while night is on: it holds the day's
// palettes to restore, and dresses each text view and document area that
// appears meanwhile (caught as it is polished, before it first shows).
class NightSwitch : public QObject {
 public:
  NightSwitch() : QObject(qApp), day_(QApplication::palette()), dayToolTip_(QToolTip::palette()) {
    setObjectName(kSwitchName);
    for (const char* name : kThemedClasses) {
      const QPalette own = QApplication::palette(name);
      if (own != day_) dayClasses_.emplace_back(name, own);
    }
    const QPalette night = NightPalette();
    QApplication::setPalette(night);
    QToolTip::setPalette(night);
    for (QWidget* widget : QApplication::allWidgets()) Dress(*widget);
    qApp->installEventFilter(this);
  }

  ~NightSwitch() override {
    qApp->removeEventFilter(this);
    for (QWidget* widget : QApplication::allWidgets()) {
      if (auto* view = qobject_cast<QTextEdit*>(widget)) NightInk::Detach(*view);
      if (auto* area = qobject_cast<QMdiArea*>(widget)) LightenArea(*area);
      if (auto* frame = qobject_cast<QMdiSubWindow*>(widget)) frame->setStyle(nullptr);
    }
    QApplication::setPalette(day_);
    for (const auto& [name, palette] : dayClasses_) QApplication::setPalette(palette, name);
    QToolTip::setPalette(dayToolTip_);
  }

  static NightSwitch* Find() {
    if (qApp == nullptr) return nullptr;
    return static_cast<NightSwitch*>(
        qApp->findChild<QObject*>(kSwitchName, Qt::FindDirectChildrenOnly));
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Polish && watched->isWidgetType()) {
      Dress(*static_cast<QWidget*>(watched));
    }
    return false;
  }

 private:
  void Dress(QWidget& widget) {
    if (auto* view = qobject_cast<QTextEdit*>(&widget)) NightInk::Attach(*view);
    if (auto* area = qobject_cast<QMdiArea*>(&widget)) DarkenArea(*area);
    if (auto* frame = qobject_cast<QMdiSubWindow*>(&widget); frame && frame->style() != &titles_) {
      frame->setStyle(&titles_);
    }
  }

  NightTitleStyle titles_;

  QPalette day_;
  QPalette dayToolTip_;
  std::vector<std::pair<const char*, QPalette>> dayClasses_;
};

}  // namespace

QPalette NightPalette() {
  QPalette palette;
  auto set = [&palette](QPalette::ColorRole role, const QColor& active, const QColor& disabled) {
    palette.setColor(QPalette::Active, role, active);
    palette.setColor(QPalette::Inactive, role, active);
    palette.setColor(QPalette::Disabled, role, disabled);
  };
  set(QPalette::Window, kWindow, kWindow);
  set(QPalette::WindowText, kInk, kDimInk);
  set(QPalette::Base, kBase, kWindow);
  set(QPalette::AlternateBase, kAlternateBase, kAlternateBase);
  set(QPalette::Text, kInk, kDimInk);
  set(QPalette::PlaceholderText, kDimInk, kDimInk);
  set(QPalette::Button, kButton, kWindow);
  set(QPalette::ButtonText, kInk, kDimInk);
  set(QPalette::BrightText, kBrightInk, kDimInk);
  set(QPalette::Light, QColor(64, 18, 14), QColor(64, 18, 14));
  set(QPalette::Midlight, QColor(50, 14, 11), QColor(50, 14, 11));
  set(QPalette::Mid, QColor(34, 9, 8), QColor(34, 9, 8));
  set(QPalette::Dark, QColor(16, 4, 3), QColor(16, 4, 3));
  set(QPalette::Shadow, QColor(0, 0, 0), QColor(0, 0, 0));
  set(QPalette::Highlight, kHighlight, kButton);
  set(QPalette::HighlightedText, kBrightInk, kDimInk);
  set(QPalette::ToolTipBase, kButton, kButton);
  set(QPalette::ToolTipText, kInk, kDimInk);
  set(QPalette::Link, kBrightInk, kDimInk);
  set(QPalette::LinkVisited, QColor(170, 44, 34), kDimInk);
  return palette;
}

bool NightPaletteOn() { return NightSwitch::Find() != nullptr; }

void SetNightPalette(bool night) {
  NightSwitch* current = NightSwitch::Find();
  if (night && current == nullptr) new NightSwitch;
  if (!night) delete current;
}

PlotPalette PlotPaletteFor(bool night) {
  return night ? NightPlotPalette() : ScreenPlotPalette();
}

QPixmap NightTinted(const QPixmap& pixmap) {
  QImage image = pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
  for (int y = 0; y < image.height(); ++y) {
    auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < image.width(); ++x) {
      const double strength = qGray(row[x]) / 255.0;
      row[x] = qRgba(static_cast<int>(kDimInk.red() + strength * (kBrightInk.red() - kDimInk.red())),
                     static_cast<int>(strength * kBrightInk.green()),
                     static_cast<int>(strength * kBrightInk.blue()), qAlpha(row[x]));
    }
  }
  QPixmap tinted = QPixmap::fromImage(image);
  tinted.setDevicePixelRatio(pixmap.devicePixelRatio());
  return tinted;
}

bool LoadNightPaletteChoice() {
  return LoadInteger(kNightPaletteSection, kNightPaletteKey).value_or(0) != 0;
}

void StoreNightPaletteChoice(bool night) {
  StoreInteger(kNightPaletteSection, kNightPaletteKey, night ? 1 : 0);
}

}  // namespace navora
