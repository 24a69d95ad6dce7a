// The main window's documents: worksheets, File Open and its routing, the
// recently-used list, and the file commands on the active document.

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPointer>
#include <QSettings>
#include <QTextEdit>
#include <algorithm>
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "app/plots/PlotPalette.h"
#include "app/plots/SightPlotWindow.h"
#include "app/plots/SkyChartWindow.h"
#include "app/shell/DocumentPrinting.h"
#include "app/shell/MainWindow.h"
#include "app/shell/NightPalette.h"
#include "app/shell/SettingsStore.h"
#include "app/shell/WorksheetWindow.h"
#include "app/tasks/WorksheetNaming.h"

namespace navora {
namespace {

// The File Open filters; a file's document type is the position of the
// filter it was chosen with, from 1.
constexpr std::array kOpenFilters = {"NAVORA Worksheet( *.sdf )", "Archived Logs( *.saf )",
                                     "Archived DOS Logs( *.log *.bak )",
                                     "Sight Reduction Plot( *.srp )", "Sight Plan Plot( *.spp )"};
constexpr int kWorksheetFilter = 1;
constexpr int kArchivedLogFilter = 2;
constexpr int kDosLogFilter = 3;
constexpr int kSightReductionPlotFilter = 4;
constexpr int kSkyChartFilter = 5;

constexpr char kReloadText[] =
    "This file is already open in a window, and\nhas been modified. Do you want to reload\n"
    "the original (and lose the changes)?";
constexpr char kFontFailedText[] = "Could not create new font!";

constexpr char kRecentSection[] = "Recent File List";

QString Text(const char* text) { return QString::fromLatin1(text); }

void Tell(Notice& notice, const QString& text, NoticeStyle style = kNoticeOk) {
  notice.Show(text.toLatin1().toStdString(), style);
}

QStringList OpenFilters() {
  QStringList filters;
  for (const char* filter : kOpenFilters) filters.append(Text(filter));
  return filters;
}

// The recently-used list, newest first: path and File Open filter.
struct RecentFile {
  QString path;
  int filter = kWorksheetFilter;
};

std::vector<RecentFile> LoadRecentFiles() {
  QSettings settings(kSettingsOrganisation, kSettingsApplication);
  settings.beginGroup(Text(kRecentSection));
  std::vector<RecentFile> files;
  for (int i = 1; i <= MainWindow::kRecentFileCount; ++i) {
    const QString path = settings.value(QStringLiteral("File%1").arg(i)).toString();
    const int filter = settings.value(QStringLiteral("Filter%1").arg(i), kWorksheetFilter).toInt();
    if (!path.isEmpty()) files.push_back({path, std::clamp(filter, 1, int{kOpenFilters.size()})});
  }
  return files;
}

void RememberRecentFile(const QString& path, int filter) {
  std::vector<RecentFile> files = LoadRecentFiles();
  const QString absolute = QFileInfo(path).absoluteFilePath();
  std::erase_if(files, [&absolute](const RecentFile& file) { return file.path == absolute; });
  files.insert(files.begin(), {absolute, filter});
  if (files.size() > MainWindow::kRecentFileCount) files.resize(MainWindow::kRecentFileCount);
  QSettings settings(kSettingsOrganisation, kSettingsApplication);
  settings.remove(Text(kRecentSection));
  settings.beginGroup(Text(kRecentSection));
  for (size_t i = 0; i < files.size(); ++i) {
    settings.setValue(QStringLiteral("File%1").arg(i + 1), files[i].path);
    settings.setValue(QStringLiteral("Filter%1").arg(i + 1), files[i].filter);
  }
}

// The filter a file would be opened with, from its extension.
int FilterForSuffix(const QString& path) {
  const QString suffix = QFileInfo(path).suffix().toLower();
  if (suffix == QLatin1String("saf")) return kArchivedLogFilter;
  if (suffix == QLatin1String("log") || suffix == QLatin1String("bak")) return kDosLogFilter;
  if (suffix == QLatin1String("srp")) return kSightReductionPlotFilter;
  if (suffix == QLatin1String("spp")) return kSkyChartFilter;
  return kWorksheetFilter;
}

QMdiSubWindow* FrameOf(QWidget* widget) {
  return qobject_cast<QMdiSubWindow*>(widget->parentWidget());
}

// The text of a document window: a worksheet's editor, or the text view of
// a log window.
QTextEdit* TextEditOf(QMdiSubWindow* frame) {
  if (frame == nullptr || frame->widget() == nullptr) return nullptr;
  if (auto* worksheet = qobject_cast<WorksheetWindow*>(frame->widget()))
    return &worksheet->Editor();
  if (auto* edit = qobject_cast<QTextEdit*>(frame->widget())) return edit;
  return frame->widget()->findChild<QTextEdit*>();
}

SightPlotWindow* PlotOf(QMdiSubWindow* frame) {
  return frame != nullptr ? qobject_cast<SightPlotWindow*>(frame->widget()) : nullptr;
}

SkyChartWindow* ChartOf(QMdiSubWindow* frame) {
  return frame != nullptr ? qobject_cast<SkyChartWindow*>(frame->widget()) : nullptr;
}

// A plot fills its page across: the chart beside its panel is wider than tall.
constexpr QPageLayout::Orientation kPlotOrientation = QPageLayout::Landscape;

// A drawn window (a plot or a sky chart) as printed: on white paper, in the
// printer's colours.
struct DrawnPage {
  QString title;
  QString path;  // empty until saved
  PagePainting paint;
};

template <typename Window>
DrawnPage PageOf(const Window& window) {
  return {window.Title(), window.PathName(), [&window](QPainter& painter, const QRect& page) {
            window.PaintOn(painter, page, PrinterPlotPalette());
          }};
}

std::optional<DrawnPage> DrawnPageOf(QMdiSubWindow* frame) {
  if (const SightPlotWindow* plot = PlotOf(frame)) return PageOf(*plot);
  if (const SkyChartWindow* chart = ChartOf(frame)) return PageOf(*chart);
  return std::nullopt;
}

// The window's menu stands before the Window menu while the window is
// active, as the worksheet's commands stand in the Edit and Delete menus.
// The bar is guarded: it goes before the area's last activations when the
// main window is destroyed.
void ShowMenuWhileActive(QMdiArea& area, QMenuBar* menuBar, QMdiSubWindow* frame, QMenu& menu) {
  QPointer<QMenuBar> bar(menuBar);
  QObject::connect(&area, &QMdiArea::subWindowActivated, frame->widget(),
                   [bar, &menu, frame](QMdiSubWindow* active) {
                     if (bar == nullptr) return;
                     bar->removeAction(menu.menuAction());
                     if (active != frame) return;
                     QAction* before = nullptr;
                     for (QAction* action : bar->actions()) {
                       if (action->text() == QLatin1String("&Window")) before = action;
                     }
                     bar->insertAction(before, menu.menuAction());
                   });
}

// A plot or chart window's size until its placement is stored.
constexpr QSize kPlotSize(900, 620);

constexpr char kNoPrinterText[] = "Could not create printer DC";

}  // namespace

WorksheetWindow* MainWindow::NewWorksheet() {
  std::vector<std::string> titles;
  for (const WorksheetWindow* open : WorksheetWindow::OpenWorksheets(*mdiArea_)) {
    titles.push_back(open->Title().toStdString());
  }
  auto* worksheet = new WorksheetWindow;
  worksheet->SetNotice(&notice_);
  QMdiSubWindow* frame = mdiArea_->addSubWindow(worksheet);
  LoadPlacement(kWorksheetPlacementSection, *frame);
  worksheet->SetTitle(QString::fromStdString(NewWorksheetTitle(titles)));
  worksheet->ReadDefaultDirectory(QString::fromStdString(state_.voyageDirectory));
  worksheet->SetModified(false);
  connect(worksheet, &WorksheetWindow::Saved, this, &MainWindow::AddRecentFile);
  frame->show();
  currentWorksheet_ = worksheet;
  return worksheet;
}

WorksheetWindow* MainWindow::ChooseWorksheet() {
  if (QMdiSubWindow* active = mdiArea_->activeSubWindow()) {
    if (auto* worksheet = qobject_cast<WorksheetWindow*>(active->widget())) {
      currentWorksheet_ = worksheet;
      return worksheet;
    }
  }
  const QList<WorksheetWindow*> worksheets = WorksheetWindow::OpenWorksheets(*mdiArea_);
  if (worksheets.isEmpty()) return NewWorksheet();
  WorksheetWindow* last = worksheets.back();
  mdiArea_->setActiveSubWindow(FrameOf(last));
  currentWorksheet_ = last;
  return last;
}

void MainWindow::OpenFile() {
  const QStringList filters = OpenFilters();
  QFileDialog dialog(this, tr("Open"), QString::fromStdString(state_.voyageDirectory));
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setNameFilters(filters);
  dialog.setDefaultSuffix(QStringLiteral("sdf"));
  dialog.selectNameFilter(filters.value(lastOpenFilter_ - 1, filters.front()));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
  lastOpenFilter_ =
      std::max(kWorksheetFilter, int(filters.indexOf(dialog.selectedNameFilter())) + 1);
  OpenPath(dialog.selectedFiles().front(), lastOpenFilter_);
}

bool MainWindow::OpenPath(const QString& path, int filterIndex) {
  bool opened = false;
  switch (filterIndex) {
    case kWorksheetFilter: {
      const QFileInfo file(path);
      for (WorksheetWindow* open : WorksheetWindow::OpenWorksheets(*mdiArea_)) {
        if (open->PathName().isEmpty() || QFileInfo(open->PathName()) != file) continue;
        if (!open->IsModified()) {
          mdiArea_->setActiveSubWindow(FrameOf(open));
          return true;
        }
        if (notice_.Show(kReloadText, kNoticeYesNoQuestion) != NoticeAnswer::kYes) return false;
        open->SetModified(false);  // the changes are given up, unasked
        FrameOf(open)->close();
        break;
      }
      WorksheetWindow* previous = currentWorksheet_;
      WorksheetWindow* worksheet = NewWorksheet();
      opened = worksheet->Load(path);
      if (!opened) {
        FrameOf(worksheet)->close();
        currentWorksheet_ = previous;
      }
      break;
    }
    case kArchivedLogFilter:
    case kDosLogFilter:
      opened = OpenArchivedLog(path);
      break;
    case kSightReductionPlotFilter: {
      SightPlotDocument document;
      if (OpenSightPlot(notice_, QDir::toNativeSeparators(path).toStdString(), document) != 0) {
        return false;
      }
      auto* plot = new SightPlotWindow(
          std::move(document), notice_, nullptr,
          LoadFont(kSrPlotFontSection).value_or(SightPlotWindow::DefaultFont()));
      plot->SetPathName(path);
      ShowPlot(plot);
      opened = true;
      break;
    }
    case kSkyChartFilter: {
      SkyChartDocument document;
      if (OpenSkyChart(notice_, QDir::toNativeSeparators(path).toStdString(), document) != 0) {
        return false;
      }
      auto* chart = new SkyChartWindow(
          std::move(document), notice_,
          LoadFont(kSpPlotFontSection).value_or(SkyChartWindow::DefaultFont()));
      chart->SetPathName(path);
      ShowChart(chart);
      opened = true;
      break;
    }
    default:
      return false;
  }
  if (opened) {
    RememberRecentFile(path, filterIndex);
    UpdateRecentFiles();
  }
  return opened;
}

void MainWindow::ShowPlot(SightPlotWindow* plot) {
  QMdiSubWindow* frame = mdiArea_->addSubWindow(plot);
  frame->resize(kPlotSize);
  LoadPlacement(kSrPlotPlacementSection, *frame);
  plot->SetTitle(plot->Title());  // onto the frame
  if (plot->PathName().isEmpty()) {
    plot->SetDefaultDirectory(
        LoadPath(kSrPlotPathSection).value_or(QString::fromStdString(state_.voyageDirectory)));
  }
  plot->SetPlotPalette(PlotPaletteFor(NightPaletteOn()));
  connect(this, &MainWindow::NightPaletteChanged, plot,
          [plot](bool night) { plot->SetPlotPalette(PlotPaletteFor(night)); });
  connect(plot, &SightPlotWindow::Saved, this, [this](const QString& path) {
    StorePath(kSrPlotPathSection, QFileInfo(path).absolutePath());
    AddRecentFile(path);
  });
  connect(plot, &SightPlotWindow::FontChosen, this,
          [](const QFont& font) { StoreFont(kSrPlotFontSection, font); });
  connect(plot, &SightPlotWindow::Closing, this,
          [frame] { StorePlacement(kSrPlotPlacementSection, *frame); });
  ShowMenuWhileActive(*mdiArea_, menuBar(), frame, plot->Menu());
  frame->show();
  mdiArea_->setActiveSubWindow(frame);
  plot->setFocus();
}

SkyChartWindow* MainWindow::ShowSkyChart(SkyChartState chart) {
  auto* window =
      new SkyChartWindow(SkyChartDocument{std::move(chart), true}, notice_,
                         LoadFont(kSpPlotFontSection).value_or(SkyChartWindow::DefaultFont()));
  window->SetTitle(QString::fromStdString(chartNumbering_.NextTitle()));
  window->SetDefaultDirectory(
      LoadPath(kSpPlotPathSection).value_or(QString::fromStdString(state_.voyageDirectory)));
  ShowChart(window);
  return window;
}

void MainWindow::ShowChart(SkyChartWindow* chart) {
  QMdiSubWindow* frame = mdiArea_->addSubWindow(chart);
  frame->resize(kPlotSize);
  LoadPlacement(kSpPlotPlacementSection, *frame);
  chart->SetTitle(chart->Title());  // onto the frame
  chart->SetPlotPalette(PlotPaletteFor(NightPaletteOn()));
  connect(this, &MainWindow::NightPaletteChanged, chart,
          [chart](bool night) { chart->SetPlotPalette(PlotPaletteFor(night)); });
  connect(chart, &SkyChartWindow::Saved, this, [this](const QString& path) {
    StorePath(kSpPlotPathSection, QFileInfo(path).absolutePath());
    AddRecentFile(path);
  });
  connect(chart, &SkyChartWindow::FontChosen, this,
          [](const QFont& font) { StoreFont(kSpPlotFontSection, font); });
  connect(chart, &SkyChartWindow::Closing, this,
          [frame] { StorePlacement(kSpPlotPlacementSection, *frame); });
  ShowMenuWhileActive(*mdiArea_, menuBar(), frame, chart->Menu());
  frame->show();
  mdiArea_->setActiveSubWindow(frame);
  chart->setFocus();
}

void MainWindow::SaveActive(bool saveAs) {
  QMdiSubWindow* frame = mdiArea_->activeSubWindow();
  if (SightPlotWindow* plot = PlotOf(frame)) {
    plot->Save(saveAs);
    return;
  }
  if (SkyChartWindow* chart = ChartOf(frame)) {
    chart->Save(saveAs);
    return;
  }
  if (auto* worksheet = frame ? qobject_cast<WorksheetWindow*>(frame->widget()) : nullptr) {
    worksheet->Save(saveAs);
  }
}

void MainWindow::PrintActive() {
  if (const std::optional<DrawnPage> page = DrawnPageOf(mdiArea_->activeSubWindow())) {
    if (!PrintPainting(this, page->title, kPlotOrientation, page->paint)) {
      notice_.Show(kNoPrinterText, kNoticeOk);
    }
    return;
  }
  if (QTextEdit* edit = TextEditOf(mdiArea_->activeSubWindow()))
    PrintDocument(this, *edit->document());
}

void MainWindow::PrintPreviewActive() {
  if (const std::optional<DrawnPage> page = DrawnPageOf(mdiArea_->activeSubWindow())) {
    PreviewPainting(this, page->title, kPlotOrientation, page->paint);
    return;
  }
  if (QTextEdit* edit = TextEditOf(mdiArea_->activeSubWindow())) {
    PreviewDocument(this, *edit->document());
  }
}

void MainWindow::ExportPdfActive() {
  QMdiSubWindow* frame = mdiArea_->activeSubWindow();
  QTextEdit* edit = TextEditOf(frame);
  const std::optional<DrawnPage> page = DrawnPageOf(frame);
  if (edit == nullptr && !page) return;
  auto* worksheet = qobject_cast<WorksheetWindow*>(frame->widget());
  QString directory =
      worksheet ? worksheet->DefaultDirectory() : QString::fromStdString(state_.voyageDirectory);
  if (page && !page->path.isEmpty()) directory = QFileInfo(page->path).absolutePath();
  const QString title =
      QString::fromStdString(TitleWithoutMark(frame->windowTitle().toStdString()));
  const QString proposed = QDir(directory).filePath(QFileInfo(title).completeBaseName() + ".pdf");
  QString path =
      QFileDialog::getSaveFileName(this, tr("Export PDF"), proposed, tr("PDF files (*.pdf)"));
  if (path.isEmpty()) return;
  if (QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".pdf");
  const bool written = page ? ExportPdf(page->title, kPlotOrientation, page->paint, path)
                           : ExportPdf(*edit->document(), path);
  if (!written) {
    Tell(notice_,
         tr("The PDF file\n%1\ncould not be written.").arg(QDir::toNativeSeparators(path)));
  }
}

void MainWindow::ChangeFontActive() {
  QMdiSubWindow* frame = mdiArea_->activeSubWindow();
  if (SightPlotWindow* plot = PlotOf(frame)) {
    plot->ChooseFont();
    return;
  }
  if (SkyChartWindow* chart = ChartOf(frame)) {
    chart->ChooseFont();
    return;
  }
  QTextEdit* edit = TextEditOf(frame);
  if (edit == nullptr) return;
  bool chosen = false;
  const QFont font = QFontDialog::getFont(&chosen, edit->currentFont(), this, tr("Font"));
  if (!chosen) return;
  if (font.family().isEmpty() || font.pointSizeF() <= 0) {
    notice_.Show(kFontFailedText, kNoticeOk);
    return;
  }
  QTextCharFormat format;
  format.setFont(font);
  edit->mergeCurrentCharFormat(format);
  edit->setFont(font);
  const bool isWorksheet = qobject_cast<WorksheetWindow*>(frame->widget()) != nullptr;
  StoreFont(isWorksheet ? kWorksheetFontSection : kLogFontSection, font);
}

void MainWindow::UpdateRecentFiles() {
  const std::vector<RecentFile> files = LoadRecentFiles();
  for (qsizetype i = 0; i < recentFileActions_.size(); ++i) {
    QAction* action = recentFileActions_[i];
    const bool shown = static_cast<size_t>(i) < files.size();
    action->setVisible(shown);
    if (!shown) continue;
    const RecentFile& file = files[static_cast<size_t>(i)];
    QString name = QFileInfo(file.path).fileName();
    name.replace(QLatin1Char('&'), QStringLiteral("&&"));
    action->setText(QStringLiteral("&%1 %2").arg(i + 1).arg(name));
    action->setToolTip(QDir::toNativeSeparators(file.path));
    action->setData(QStringList{file.path, QString::number(file.filter)});
  }
}

void MainWindow::AddRecentFile(const QString& path) {
  RememberRecentFile(path, FilterForSuffix(path));
  UpdateRecentFiles();
}

}  // namespace navora
