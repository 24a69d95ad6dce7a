#pragma once

#include <QAction>
#include <QFont>
#include <QImage>
#include <QMenu>
#include <QString>
#include <QWidget>
#include <map>

#include "app/bridge/Notice.h"
#include "app/plots/PlotPalette.h"
#include "app/plots/SkyChartPainter.h"
#include "app/tasks/SkyChartDocument.h"

namespace navora {

// The sky chart's window: the chart drawn into an off-screen image that the
// widget copies, its commands in a "&Chart" menu the main window shows while
// the chart is active (Refresh, F5; Font...; Close). Save, Save As, Print,
// Print Preview and Export PDF are the main window's File commands on the
// active chart. The window knows nothing of settings: the shell gives it its
// font and directory and answers its signals.
class SkyChartWindow : public QWidget {
  Q_OBJECT

 public:
  enum Command : int {
    kRefresh = 32852,
    kFont = 32844,
    kClose = 32851,
  };

  SkyChartWindow(SkyChartDocument document, Notice& notice, const QFont& font,
                 QWidget* parent = nullptr);
  ~SkyChartWindow() override;

  // "Courier New" 9 pt, or the system's fixed-pitch font without it.
  static QFont DefaultFont();

  const SkyChartDocument& Document() const { return document_; }
  bool IsModified() const { return document_.modified; }

  // The title: a new chart's "Sky Chart%d.spp", else the file's name; shown
  // with "( modified )" while modified.
  QString Title() const { return title_; }
  void SetTitle(const QString& title);
  QString PathName() const { return path_; }
  void SetPathName(const QString& path);
  // Where Save As starts.
  void SetDefaultDirectory(const QString& directory) { defaultDirectory_ = directory; }

  QMenu& Menu() { return *menu_; }
  QAction* Action(Command command) const;

  void SetPlotPalette(const PlotPalette& palette);
  const QFont& PlotFont() const { return font_; }
  // Applies a chosen font; false, the user told why, when the chart cannot use it.
  bool SetPlotFont(const QFont& font);
  void ChooseFont();
  void Refresh();

  const QImage& Image() const { return image_; }
  SkyChartLayout Layout() const;
  void PaintOn(QPainter& painter, const QRect& area, const PlotPalette& palette) const;

  // Save writes a chart saved before in place, else asks for a name as Save
  // As does. False when nothing was written (cancelled or failed).
  bool Save(bool saveAs);
  bool SaveAs(const QString& path);

 signals:
  void Saved(const QString& path);
  void FontChosen(const QFont& font);
  // The window is about to go: its frame still stands, for its placement.
  void Closing();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  QAction* AddCommand(Command id, const char* text, const char* status, const QKeySequence& key,
                      std::function<void()> run);
  void Redraw();
  void ShowTitle();

  SkyChartDocument document_;
  Notice& notice_;
  QFont font_;
  PlotPalette palette_;
  QImage image_;
  QString title_;
  QString path_;
  QString defaultDirectory_;
  QMenu* menu_;
  std::map<Command, QAction*> actions_;
};

}  // namespace navora
