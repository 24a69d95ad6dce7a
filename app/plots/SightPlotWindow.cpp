#include "app/plots/SightPlotWindow.h"

#include <QCloseEvent>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

#include "app/dialogs/StripFormDialog.h"
#include "app/plots/PlotImage.h"
#include "app/plots/SightPlotPainter.h"
#include "app/tasks/SightPlotTasks.h"
#include "app/tasks/StripForm.h"

namespace navora {
namespace {

constexpr char kPlotFileFilter[] = "Sight Reduction Plot( *.srp )";
constexpr char kPlotExtension[] = "srp";

// The smallest plot a font can be read in, in its line heights (the chart
// with its labels beside the fix box, table and legend).
constexpr double kLeastPlotWidthLines = 48.0;
constexpr double kLeastPlotHeightLines = 34.0;

constexpr int kDefaultFontPoints = 9;
// One wheel notch zooms by the square root of In's step.
constexpr double kWheelNotch = 120.0;
constexpr double kNotchesPerZoomStep = 2.0;

QString Latin1(const char* text) { return QString::fromLatin1(text); }

void Tell(Notice& notice, const QString& text) {
  notice.Show(text.toLatin1().toStdString(), kNoticeOk);
}

QChar LopLetter(int index) { return QChar('A' + index); }

}  // namespace

SightPlotWindow::SightPlotWindow(SightPlotDocument document, Notice& notice, PlaceContext* places,
                                 const QFont& font, QWidget* parent)
    : QWidget(parent),
      document_(std::move(document)),
      view_(OpenPlotView(document_.state)),
      notice_(notice),
      places_(places),
      font_(font),
      palette_(ScreenPlotPalette()),
      menu_(new QMenu(Latin1("&Plot"), this)) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFocusPolicy(Qt::StrongFocus);
  setMinimumSize(320, 240);
  BuildMenu();
  UpdateEnabled();
}

SightPlotWindow::~SightPlotWindow() = default;

QString SightPlotWindow::NewLivePlotTitle(const std::vector<QString>& openTitles) {
  for (int number = 1;; ++number) {
    const QString candidate = Latin1(kLivePlotTitle).arg(number);
    if (std::find(openTitles.begin(), openTitles.end(), candidate) == openTitles.end()) {
      return candidate;
    }
  }
}

QFont SightPlotWindow::DefaultFont() {
  QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
  font.setPointSize(kDefaultFontPoints);
  return font;
}

void SightPlotWindow::SetTitle(const QString& title) {
  title_ = title;
  ShowTitle();
}

void SightPlotWindow::SetPathName(const QString& path) {
  path_ = path;
  defaultDirectory_ = QFileInfo(path).absolutePath();
  SetTitle(QFileInfo(path).fileName());
}

void SightPlotWindow::ShowTitle() {
  setWindowTitle(title_);
  if (auto* frame = qobject_cast<QMdiSubWindow*>(parentWidget())) frame->setWindowTitle(title_);
}

QAction* SightPlotWindow::Action(Command command) const {
  const auto found = actions_.find(command);
  return found == actions_.end() ? nullptr : found->second;
}

QAction* SightPlotWindow::AddCommand(QMenu& menu, Command id, const char* text, const char* status,
                                     const QKeySequence& key, std::function<void()> run) {
  auto* action = new QAction(Latin1(text), this);
  action->setStatusTip(Latin1(status));
  if (!key.isEmpty()) {
    action->setShortcut(key);
    action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    addAction(action);  // the key works while the plot has the focus
  }
  connect(action, &QAction::triggered, this, std::move(run));
  menu.addAction(action);
  actions_[id] = action;
  return action;
}

void SightPlotWindow::BuildMenu() {
  QMenu& menu = *menu_;
  auto view = [this](PlotViewCommand command) {
    return [this, command] { RunViewCommand(command); };
  };
  AddCommand(menu, kNorth, "&North", "Move the View North", QKeySequence(Qt::Key_Up),
             view(PlotViewCommand::kNorth));
  AddCommand(menu, kSouth, "&South", "Move the View South", QKeySequence(Qt::Key_Down),
             view(PlotViewCommand::kSouth));
  AddCommand(menu, kEast, "&East", "Move the view East", QKeySequence(Qt::Key_Right),
             view(PlotViewCommand::kEast));
  AddCommand(menu, kWest, "&West", "Move the view farther to the West", QKeySequence(Qt::Key_Left),
             view(PlotViewCommand::kWest));
  AddCommand(menu, kToFixLocation, "&To Fix Location",
             "Moves the View to the Estimated (or Actual) Fix location", QKeySequence(Qt::Key_Home),
             view(PlotViewCommand::kToFix));
  menu.addSeparator();
  AddCommand(menu, kZoomIn, "&In", "Zoom in to see more detail", QKeySequence(Qt::Key_Plus),
             view(PlotViewCommand::kZoomIn));
  AddCommand(menu, kZoomOut, "&Out", "Zoom out to see the big picture", QKeySequence(Qt::Key_Minus),
             view(PlotViewCommand::kZoomOut));
  menu.addSeparator();
  if (IsLive()) {
    QAction* calculate = AddCommand(menu, kCalculateFix, "&Calculate Fix",
                                    "Obtain the Celestial Fix", {}, [this] { CalculateFix(); });
    calculate->setShortcuts({QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter)});
    calculate->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    addAction(calculate);
  }
  stripFormMenu_ = menu.addMenu(Latin1("Strip &Form"));
  stripFormMenu_->menuAction()->setStatusTip(
      Latin1("View the strip form for a particular observation"));
  if (IsLive()) {
    addRemoveMenu_ = menu.addMenu(Latin1("&Add/Remove..."));
    addRemoveMenu_->menuAction()->setStatusTip(Latin1("Add (or remove) the selected observation"));
  }
  RebuildLetterMenus();
  menu.addSeparator();
  AddCommand(menu, kRefresh, "&Refresh", "Refresh", QKeySequence(Qt::Key_F5),
             [this] { Refresh(); });
  AddCommand(menu, kFont, "&Font...", "Change font of the selected text or graphic", {},
             [this] { ChooseFont(); });
  menu.addSeparator();
  auto closeFrame = [this] {
    if (auto* frame = qobject_cast<QMdiSubWindow*>(parentWidget())) {
      frame->close();
    } else {
      close();
    }
  };
  if (IsLive()) {
    AddCommand(menu, kSaveAndExit, "&Close", "Save the plot to a file, and then exit", {},
               closeFrame);
  } else {
    AddCommand(menu, kCloseArchived, "&Close", "Close the plot", {}, closeFrame);
  }
}

// One item per sight, its letter the key; the items' texts show the state
// a sight's toggle would change.
void SightPlotWindow::RebuildLetterMenus() {
  const SightPlotState& state = document_.state;
  stripFormMenu_->clear();
  if (addRemoveMenu_ != nullptr) addRemoveMenu_->clear();
  for (int i = 0; i < state.nSights; ++i) {
    const QString body = Latin1(state.reduced[i].bodyName);
    QAction* strip =
        stripFormMenu_->addAction(QStringLiteral("&%1  %2\t%1").arg(LopLetter(i)).arg(body), this,
                                  [this, i] { ShowStripForm(i); });
    strip->setStatusTip(Latin1("View the strip form for a particular observation"));
    if (addRemoveMenu_ == nullptr) continue;
    QAction* toggle =
        addRemoveMenu_->addAction(QStringLiteral("&%1  %2\tAlt+%1").arg(LopLetter(i)).arg(body),
                                  this, [this, i] { ToggleSight(i); });
    toggle->setCheckable(true);
    toggle->setChecked(state.sights[i].included != 0);
    toggle->setStatusTip(Latin1("Add (or remove) the selected observation"));
  }
}

void SightPlotWindow::UpdateEnabled() {
  const std::pair<Command, PlotViewCommand> limited[] = {{kNorth, PlotViewCommand::kNorth},
                                                         {kSouth, PlotViewCommand::kSouth},
                                                         {kZoomIn, PlotViewCommand::kZoomIn},
                                                         {kZoomOut, PlotViewCommand::kZoomOut}};
  for (const auto& [id, command] : limited) {
    Action(id)->setEnabled(CanApplyPlotViewCommand(view_, command));
  }
}

void SightPlotWindow::SetPlotPalette(const PlotPalette& palette) {
  palette_ = palette;
  RedrawAll();
}

bool SightPlotWindow::SetPlotFont(const QFont& font) {
  if (!TakePlotFont(font, *this, notice_, kLeastPlotWidthLines, kLeastPlotHeightLines, font_)) {
    return false;
  }
  RedrawAll();
  return true;
}

void SightPlotWindow::ChooseFont() {
  const std::optional<QFont> font = AskForPlotFont(*this, font_);
  if (font && SetPlotFont(*font)) emit FontChosen(font_);
}

bool SightPlotWindow::RunViewCommand(PlotViewCommand command) {
  if (!ApplyPlotViewCommand(view_, command)) return false;
  UpdateEnabled();
  // The status line and the fix box stay; the chart and the spans move.
  Redraw(BelowStatusLine());
  return true;
}

bool SightPlotWindow::CalculateFix() {
  if (!IsLive() || places_ == nullptr) return false;
  if (navora::CalculateFix(notice_, *places_, document_) != 0) return false;
  ReturnViewToSolution(view_, document_.state);
  UpdateEnabled();
  RebuildLetterMenus();
  RedrawAll();
  emit FixCalculated();
  return true;
}

bool SightPlotWindow::ToggleSight(int index) {
  if (!navora::ToggleSight(document_, index)) return false;
  document_.modified = true;
  RebuildLetterMenus();
  RedrawAll();
  return true;
}

void SightPlotWindow::ShowStripForm(int index) {
  StripForm form;
  if (!BuildStripForm(document_.state, index, form)) return;
  StripFormDialog dialog(form, this);
  dialog.exec();
}

void SightPlotWindow::Refresh() { RedrawAll(); }

void SightPlotWindow::PaintOn(QPainter& painter, const QRect& area,
                              const PlotPalette& palette) const {
  PaintSightPlot(painter, area, document_, view_, palette, font_);
}

QRegion SightPlotWindow::BelowStatusLine() const {
  const SightPlotLayout layout = Layout();
  const int top = static_cast<int>(std::floor(layout.status.bottom()));
  return QRegion(QRect(0, top, width(), height() - top));
}

SightPlotLayout SightPlotWindow::Layout() const {
  // The image is the device the plot is drawn on; before it exists, the
  // widget's own metrics are the same.
  QPaintDevice* device = image_.isNull()
                             ? static_cast<QPaintDevice*>(const_cast<SightPlotWindow*>(this))
                             : const_cast<QImage*>(&image_);
  return LayOutSightPlot(rect(), document_, font_, device);
}

void SightPlotWindow::Redraw(const QRegion& region) {
  const PlotImageFit fit = FitPlotImage(image_, *this);
  if (fit == PlotImageFit::kFailed) return;
  if (fit == PlotImageFit::kNew) {
    // A new image holds nothing yet: all of it is drawn.
    QPainter painter(&image_);
    PaintOn(painter, rect(), palette_);
    update();
    return;
  }
  QPainter painter(&image_);
  painter.setClipRegion(region);
  PaintOn(painter, rect(), palette_);
  update(region);
}

bool SightPlotWindow::PositionAt(const QPointF& pixel, double& latitude, double& longitude) const {
  const SightPlotLayout layout = Layout();
  if (!layout.chart.contains(pixel)) return false;
  const GeoPosition position = ChartProjection(layout, view_).ToPosition({pixel.x(), pixel.y()});
  latitude = position.latitude;
  longitude = position.longitude;
  return true;
}

int SightPlotWindow::SightOfKey(int key) const {
  if (key < Qt::Key_A || key > Qt::Key_Z) return -1;
  const int index = key - Qt::Key_A;
  return index < document_.state.nSights ? index : -1;
}

bool SightPlotWindow::event(QEvent* event) {
  // A sight's letter, alone or with Alt, is the plot's before any menu
  // mnemonic or shortcut of the same key.
  if (event->type() == QEvent::ShortcutOverride) {
    auto* key = static_cast<QKeyEvent*>(event);
    const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
    if (SightOfKey(key->key()) >= 0 &&
        (modifiers == Qt::NoModifier || (modifiers == Qt::AltModifier && IsLive()))) {
      event->accept();
      return true;
    }
  }
  return QWidget::event(event);
}

void SightPlotWindow::keyPressEvent(QKeyEvent* event) {
  const int sight = SightOfKey(event->key());
  const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
  if (sight >= 0 && modifiers == Qt::NoModifier) {
    ShowStripForm(sight);
  } else if (sight >= 0 && modifiers == Qt::AltModifier) {
    ToggleSight(sight);
  } else if (event->key() == Qt::Key_Equal) {
    RunViewCommand(PlotViewCommand::kZoomIn);  // "+" unshifted
  } else {
    QWidget::keyPressEvent(event);
  }
}

void SightPlotWindow::paintEvent(QPaintEvent* event) {
  if (image_.isNull()) RedrawAll();
  QPainter painter(this);
  for (const QRect& area : event->region()) {
    const qreal ratio = image_.devicePixelRatio();
    painter.drawImage(area, image_,
                      QRectF(QPointF(area.topLeft()) * ratio, QSizeF(area.size()) * ratio));
  }
}

void SightPlotWindow::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  RedrawAll();
}

void SightPlotWindow::wheelEvent(QWheelEvent* event) {
  double latitude = 0.0;
  double longitude = 0.0;
  const int delta = event->angleDelta().y();
  if (delta == 0 || !PositionAt(event->position(), latitude, longitude)) {
    event->ignore();
    return;
  }
  const double factor = std::pow(kPlotZoomStep, delta / kWheelNotch / kNotchesPerZoomStep);
  if (ZoomPlotViewAbout(view_, factor, latitude, longitude)) {
    UpdateEnabled();
    Redraw(BelowStatusLine());
  }
  event->accept();
}

void SightPlotWindow::mousePressEvent(QMouseEvent* event) {
  double latitude = 0.0;
  double longitude = 0.0;
  if (event->button() == Qt::LeftButton && PositionAt(event->position(), latitude, longitude)) {
    dragFrom_ = event->position();
    setCursor(Qt::ClosedHandCursor);
  }
  QWidget::mousePressEvent(event);
}

void SightPlotWindow::mouseMoveEvent(QMouseEvent* event) {
  if (!dragFrom_) return;
  const SightPlotLayout layout = Layout();
  const PlotProjection projection = ChartProjection(layout, view_);
  const QPointF moved = event->position() - *dragFrom_;
  // The chart follows the pointer: dragged right, the view looks farther west.
  if (PanPlotView(view_, moved.y() / projection.PixelsPerDegreeLatitude(),
                  -moved.x() / projection.PixelsPerDegreeLongitude())) {
    UpdateEnabled();
    Redraw(BelowStatusLine());
  }
  dragFrom_ = event->position();
}

void SightPlotWindow::mouseReleaseEvent(QMouseEvent* event) {
  if (dragFrom_) {
    dragFrom_.reset();
    unsetCursor();
  }
  QWidget::mouseReleaseEvent(event);
}

bool SightPlotWindow::Save(bool saveAs) {
  if (!IsLive()) return false;
  if (!saveAs && !path_.isEmpty()) return SaveAs(path_);
  const QString proposed = QDir(defaultDirectory_).filePath(title_);
  QString chosen = QFileDialog::getSaveFileName(this, tr("Save As"), proposed,
                                                Latin1(kPlotFileFilter) + " (*.srp)");
  if (chosen.isEmpty()) return false;
  if (QFileInfo(chosen).suffix().isEmpty()) chosen += QStringLiteral(".") + kPlotExtension;
  return SaveAs(chosen);
}

bool SightPlotWindow::SaveAs(const QString& path) {
  if (!IsLive()) return false;
  if (SaveSightPlot(document_, QDir::toNativeSeparators(path).toStdString()) != 0) {
    Tell(notice_, tr("The plot could not be saved as\n%1.").arg(QDir::toNativeSeparators(path)));
    return false;
  }
  SetPathName(path);
  emit Saved(path);
  return true;
}

void SightPlotWindow::closeEvent(QCloseEvent* event) {
  if (IsLive() && closeHandler_ && !closeHandler_(*this)) {
    event->ignore();
    return;
  }
  emit Closing();
  event->accept();
}

}  // namespace navora
