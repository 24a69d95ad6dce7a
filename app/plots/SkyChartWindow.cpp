#include "app/plots/SkyChartWindow.h"

#include <QCloseEvent>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDatabase>
#include <QMdiSubWindow>
#include <QPainter>

#include "app/plots/PlotImage.h"
#include "app/tasks/WorksheetNaming.h"

namespace navora {
namespace {

constexpr char kDefaultFamily[] = "Courier New";
constexpr int kDefaultFontPoints = 9;
constexpr char kChartFileFilter[] = "Sight Reduction Plot( *.spp )";
constexpr char kChartExtension[] = "spp";

// The smallest chart a font can be read in, in its line heights: the circle
// with its labels beside the title block and body list.
constexpr double kLeastChartWidthLines = 52.0;
constexpr double kLeastChartHeightLines = 30.0;

QString Latin1(const char* text) { return QString::fromLatin1(text); }

std::string FileSystemName(const QString& path) {
  return QDir::toNativeSeparators(path).toStdString();
}

}  // namespace

SkyChartWindow::SkyChartWindow(SkyChartDocument document, Notice& notice, const QFont& font,
                               QWidget* parent)
    : QWidget(parent),
      document_(std::move(document)),
      notice_(notice),
      font_(font),
      palette_(ScreenPlotPalette()),
      menu_(new QMenu(Latin1("&Chart"), this)) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFocusPolicy(Qt::StrongFocus);
  setMinimumSize(320, 240);
  AddCommand(kRefresh, "&Refresh", "Refresh", QKeySequence(Qt::Key_F5), [this] { Refresh(); });
  AddCommand(kFont, "&Font...", "Change font of the selected text or graphic", {},
             [this] { ChooseFont(); });
  menu_->addSeparator();
  AddCommand(kClose, "&Close", "Close the sky chart", {}, [this] {
    if (auto* frame = qobject_cast<QMdiSubWindow*>(parentWidget())) {
      frame->close();
    } else {
      close();
    }
  });
}

SkyChartWindow::~SkyChartWindow() = default;

QFont SkyChartWindow::DefaultFont() {
  const QString family = Latin1(kDefaultFamily);
  QFont font = QFontDatabase::hasFamily(family)
                   ? QFont(family)
                   : QFontDatabase::systemFont(QFontDatabase::FixedFont);
  font.setPointSize(kDefaultFontPoints);
  font.setStyleHint(QFont::TypeWriter);
  return font;
}

QAction* SkyChartWindow::AddCommand(Command id, const char* text, const char* status,
                                    const QKeySequence& key, std::function<void()> run) {
  auto* action = new QAction(Latin1(text), this);
  action->setStatusTip(Latin1(status));
  if (!key.isEmpty()) {
    action->setShortcut(key);
    action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    addAction(action);  // the key works while the chart has the focus
  }
  connect(action, &QAction::triggered, this, std::move(run));
  menu_->addAction(action);
  actions_[id] = action;
  return action;
}

QAction* SkyChartWindow::Action(Command command) const {
  const auto found = actions_.find(command);
  return found == actions_.end() ? nullptr : found->second;
}

void SkyChartWindow::SetTitle(const QString& title) {
  title_ = title;
  ShowTitle();
}

void SkyChartWindow::SetPathName(const QString& path) {
  path_ = path;
  defaultDirectory_ = QFileInfo(path).absolutePath();
  SetTitle(QFileInfo(path).fileName());
}

void SkyChartWindow::ShowTitle() {
  const QString shown =
      QString::fromStdString(ShownTitle(title_.toStdString(), document_.modified));
  setWindowTitle(shown);
  if (auto* frame = qobject_cast<QMdiSubWindow*>(parentWidget())) frame->setWindowTitle(shown);
}

void SkyChartWindow::SetPlotPalette(const PlotPalette& palette) {
  palette_ = palette;
  Redraw();
}

bool SkyChartWindow::SetPlotFont(const QFont& font) {
  if (!TakePlotFont(font, *this, notice_, kLeastChartWidthLines, kLeastChartHeightLines, font_)) {
    return false;
  }
  Redraw();
  return true;
}

void SkyChartWindow::ChooseFont() {
  const std::optional<QFont> font = AskForPlotFont(*this, font_);
  if (font && SetPlotFont(*font)) emit FontChosen(font_);
}

void SkyChartWindow::Refresh() { Redraw(); }

SkyChartLayout SkyChartWindow::Layout() const {
  QPaintDevice* device = image_.isNull()
                             ? static_cast<QPaintDevice*>(const_cast<SkyChartWindow*>(this))
                             : const_cast<QImage*>(&image_);
  return LayOutSkyChart(rect(), font_, device);
}

void SkyChartWindow::PaintOn(QPainter& painter, const QRect& area,
                             const PlotPalette& palette) const {
  PaintSkyChart(painter, area, document_.chart, palette, font_);
}

// The chart is small to draw: every change redraws all of it.
void SkyChartWindow::Redraw() {
  if (FitPlotImage(image_, *this) == PlotImageFit::kFailed) return;
  QPainter painter(&image_);
  PaintOn(painter, rect(), palette_);
  update();
}

void SkyChartWindow::paintEvent(QPaintEvent* event) {
  if (image_.isNull()) Redraw();
  QPainter painter(this);
  const qreal ratio = image_.devicePixelRatio();
  for (const QRect& area : event->region()) {
    painter.drawImage(area, image_,
                      QRectF(QPointF(area.topLeft()) * ratio, QSizeF(area.size()) * ratio));
  }
}

void SkyChartWindow::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  Redraw();
}

bool SkyChartWindow::Save(bool saveAs) {
  if (!saveAs && !path_.isEmpty()) return SaveAs(path_);
  const QString proposed = QDir(defaultDirectory_).filePath(title_);
  QString chosen = QFileDialog::getSaveFileName(this, tr("Save As"), proposed,
                                                Latin1(kChartFileFilter) + " (*.spp)");
  if (chosen.isEmpty()) return false;
  if (QFileInfo(chosen).suffix().isEmpty()) chosen += QStringLiteral(".") + kChartExtension;
  return SaveAs(chosen);
}

bool SkyChartWindow::SaveAs(const QString& path) {
  if (SaveSkyChart(notice_, document_, FileSystemName(path)) != 0) return false;
  SetPathName(path);
  emit Saved(path);
  return true;
}

void SkyChartWindow::closeEvent(QCloseEvent* event) {
  if (document_.modified) {
    const NoticeAnswer answer = notice_.Show(SaveChangesQuestion(title_.toLatin1().toStdString()),
                                             kNoticeYesNoCancelQuestion);
    if (answer == NoticeAnswer::kCancel || (answer == NoticeAnswer::kYes && !Save(false))) {
      event->ignore();
      return;
    }
  }
  emit Closing();
  event->accept();
}

}  // namespace navora
