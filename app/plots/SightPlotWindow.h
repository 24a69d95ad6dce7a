#pragma once

#include <QAction>
#include <QFont>
#include <QImage>
#include <QMenu>
#include <QPoint>
#include <QString>
#include <QWidget>
#include <functional>
#include <map>
#include <optional>
#include <vector>

#include "app/bridge/Notice.h"
#include "app/plots/PlotPalette.h"
#include "app/plots/SightPlotPainter.h"
#include "app/tasks/SightPlotDocument.h"
#include "app/tasks/SightPlotViewModel.h"
#include "engine/places/PlaceContext.h"

namespace navora {

// The sight reduction plot's window, live or archived: the plot drawn into
// an off-screen image that the widget copies, its commands in a "&Plot"
// menu the main window shows while the plot is active, and its keys:
//   arrows        North, South, East, West   (menus &North ... &West)
//   Home          To Fix Location
//   + and -       In and Out
//   Enter         Calculate Fix (live)
//   a sight's LOP letter         its Strip Form
//   Alt + the letter             Add/Remove the sight (live)
//   F5            Refresh
// The wheel zooms about the pointer and a drag moves the chart, within the
// view's limits. The window knows nothing of settings or logs: the shell
// gives it its font, and answers its Close (Save and Exit) and its signals.
class SightPlotWindow : public QWidget {
  Q_OBJECT

 public:
  // The command ids of the plot's menu; the letter commands are per sight.
  enum Command : int {
    kNorth = 32786,
    kSouth = 32787,
    kEast = 32788,
    kWest = 32789,
    kToFixLocation = 32790,
    kZoomIn = 32791,
    kZoomOut = 32792,
    kCalculateFix = 32793,
    kSaveAndExit = 32795,
    kCloseArchived = 32851,
    kRefresh = 32852,
    kFont = 32844,
  };

  // `places` computes Calculate Fix; null for an archived plot.
  SightPlotWindow(SightPlotDocument document, Notice& notice, PlaceContext* places,
                  const QFont& font, QWidget* parent = nullptr);
  ~SightPlotWindow() override;

  static constexpr char kLivePlotTitle[] = "Sight Reduction Plot%1.srp";
  // The title of a new live plot: "Sight Reduction Plot1.srp", the number
  // raised past those of the open plots.
  static QString NewLivePlotTitle(const std::vector<QString>& openTitles);
  // The font of a plot when none is stored.
  static QFont DefaultFont();

  bool IsLive() const { return document_.kind == SightPlotKind::kLive; }
  const SightPlotDocument& Document() const { return document_; }
  const SightPlotView& View() const { return view_; }
  QString StatusText() const { return QString::fromLatin1(PlotStatusText(document_)); }

  // The title: a new live plot's name, else the file's name.
  QString Title() const { return title_; }
  void SetTitle(const QString& title);
  QString PathName() const { return path_; }
  void SetPathName(const QString& path);
  // Where Save As starts.
  void SetDefaultDirectory(const QString& directory) { defaultDirectory_ = directory; }

  QMenu& Menu() { return *menu_; }
  QAction* Action(Command command) const;
  QMenu& StripFormMenu() { return *stripFormMenu_; }
  QMenu* AddRemoveMenu() { return addRemoveMenu_; }  // null for an archived plot

  // The colours of the screen drawing; the screen palette until set.
  void SetPlotPalette(const PlotPalette& palette);
  const QFont& PlotFont() const { return font_; }
  // Applies a chosen font; false, the user told why, when it cannot serve.
  bool SetPlotFont(const QFont& font);

  // The commands, as their menu items and keys run them. Each does nothing
  // and returns false when refused (a view limit, or an archived plot).
  bool RunViewCommand(PlotViewCommand command);
  bool CalculateFix();
  bool ToggleSight(int index);
  void ShowStripForm(int index);
  void Refresh();
  void ChooseFont();

  // The drawing as shown, and the same drawing for any painter (the
  // printer) in `area` with `palette`.
  const QImage& Image() const { return image_; }
  // Where the parts of the plot lie in the window now.
  SightPlotLayout Layout() const;
  void PaintOn(QPainter& painter, const QRect& area, const PlotPalette& palette) const;

  // Save writes a plot saved before in place, else asks for a name as Save
  // As does. False when nothing was written (cancelled, refused, failed).
  bool Save(bool saveAs);
  bool SaveAs(const QString& path);

  // Save and Exit of the live plot, run on every close (the menu's Close,
  // the window's X, the program closing): true lets the window close. An
  // archived plot, or a live one without a handler, just closes.
  using CloseHandler = std::function<bool(SightPlotWindow&)>;
  void SetCloseHandler(CloseHandler handler) { closeHandler_ = std::move(handler); }

 signals:
  void Saved(const QString& path);
  void FontChosen(const QFont& font);
  void FixCalculated();
  // The window is about to go: its frame still stands, for its placement.
  void Closing();

 protected:
  bool event(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  QAction* AddCommand(QMenu& menu, Command id, const char* text, const char* status,
                      const QKeySequence& key, std::function<void()> run);
  void BuildMenu();
  void RebuildLetterMenus();
  void UpdateEnabled();
  // The sight whose LOP letter the key is, or -1.
  int SightOfKey(int key) const;
  // Draws `region` of the off-screen image anew and has the widget show it.
  void Redraw(const QRegion& region);
  void RedrawAll() { Redraw(QRegion(rect())); }
  QRegion BelowStatusLine() const;
  void ShowTitle();
  // The chart's projection of the current layout, for the mouse.
  bool PositionAt(const QPointF& pixel, double& latitude, double& longitude) const;

  SightPlotDocument document_;
  SightPlotView view_;
  Notice& notice_;
  PlaceContext* places_;
  QFont font_;
  PlotPalette palette_;
  QImage image_;
  QString title_;
  QString path_;
  QString defaultDirectory_;
  QMenu* menu_;
  QMenu* stripFormMenu_ = nullptr;
  QMenu* addRemoveMenu_ = nullptr;
  std::map<Command, QAction*> actions_;
  CloseHandler closeHandler_;
  std::optional<QPointF> dragFrom_;
};

}  // namespace navora
