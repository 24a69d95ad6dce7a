#include "app/shell/WorksheetWindow.h"

#include <QCloseEvent>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDatabase>
#include <QMdiSubWindow>
#include <QTextCursor>
#include <QVBoxLayout>
#include <cerrno>
#include <cstring>
#include <string>

#include "app/bridge/LogBridge.h"
#include "app/shell/QtNotice.h"
#include "app/shell/RichTextDocument.h"
#include "app/shell/SettingsStore.h"
#include "app/shell/TaskInterrupt.h"
#include "app/tasks/InterruptCheck.h"
#include "app/tasks/WorksheetNaming.h"
#include "app/worksheet/SdfFile.h"

namespace navora {
namespace {

constexpr char kDefaultFamily[] = "Courier New";
constexpr int kDefaultPointSize = 9;
constexpr char kFileFilter[] = "NAVORA Worksheet( *.sdf )";
constexpr char kAlreadyOpenText[] =
    "A file with this name is already open in\nanother window. You must either choose\n"
    "another name, or save in another directory.";
constexpr char kLockedText[] =
    "A file with this name is locked by\nanother program. You must either choose\n"
    "another name, or save in another directory.";
constexpr char kNotAWorksheetText[] =
    "Either this is not a NAVORA worksheet\nfile or this file is corrupt.";

std::string FileSystemName(const QString& path) { return QFile::encodeName(path).toStdString(); }

// Notices carry Latin-1 text; a file name beyond it shows '?' there.
void Tell(Notice& notice, const QString& text, NoticeStyle style = kNoticeOk) {
  notice.Show(text.toLatin1().toStdString(), style);
}

// The system refuses the file itself, as a lock would: report it as one.
bool IsRefusal(int error) {
  return error == EACCES || error == EPERM || error == EROFS || error == ETXTBSY || error == EBUSY;
}

QString Reason(int error, const char* fallback) {
  return QString::fromLocal8Bit(error != 0 ? std::strerror(error) : fallback);
}

}  // namespace

WorksheetWindow::WorksheetWindow(QWidget* parent) : QWidget(parent), editor_(new QTextEdit(this)) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(editor_);
  // Report rows are fixed-width tables: wrapping them would break their columns.
  editor_->setLineWrapMode(QTextEdit::NoWrap);
  editor_->setFont(LoadFont(kWorksheetFontSection).value_or(DefaultFont()));
  if (const auto format = LoadCharFormat(kWorksheetCharFormatSection)) {
    editor_->setCurrentCharFormat(*format);
  }
  setFocusProxy(editor_);
  connect(editor_->document(), &QTextDocument::modificationChanged, this,
          &WorksheetWindow::ShowTitle);
}

WorksheetWindow::~WorksheetWindow() = default;

QFont WorksheetWindow::DefaultFont() {
  const QString family = QString::fromLatin1(kDefaultFamily);
  QFont font = QFontDatabase::hasFamily(family)
                   ? QFont(family)
                   : QFontDatabase::systemFont(QFontDatabase::FixedFont);
  font.setPointSize(kDefaultPointSize);
  font.setStyleHint(QFont::TypeWriter);
  font.setFixedPitch(true);
  return font;
}

void WorksheetWindow::AppendReport(std::string_view text) {
  QString converted = QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
  converted.remove(QLatin1Char('\r'));
  QTextDocument* document = editor_->document();
  document->setModified(false);
  QTextCursor cursor(document);
  cursor.movePosition(QTextCursor::End);
  cursor.insertText(converted);
  editor_->setTextCursor(cursor);
  editor_->ensureCursorVisible();
  document->setModified(true);
}

QString WorksheetWindow::Title() const {
  return QString::fromStdString(ShownTitle(name_.toStdString(), IsModified()));
}

void WorksheetWindow::SetTitle(const QString& name) {
  name_ = QString::fromStdString(TitleWithoutMark(name.toStdString()));
  ShowTitle();
}

bool WorksheetWindow::IsModified() const { return editor_->document()->isModified(); }

void WorksheetWindow::SetModified(bool modified) {
  editor_->document()->setModified(modified);
  ShowTitle();
}

void WorksheetWindow::ShowTitle() {
  const QString title = Title();
  setWindowTitle(title);
  editor_->document()->setMetaInformation(QTextDocument::DocumentTitle, name_);
}

void WorksheetWindow::ReadDefaultDirectory(const QString& programDirectory) {
  defaultDirectory_ = LoadPath(kWorksheetPathSection).value_or(programDirectory);
}

Notice& WorksheetWindow::Messages() {
  if (notice_ != nullptr) return *notice_;
  if (!ownNotice_) ownNotice_ = std::make_unique<QtNotice>(this);
  return *ownNotice_;
}

bool WorksheetWindow::Save(bool saveAs) {
  if (!saveAs && savedOnce_) return WriteFile(path_);
  const QString proposed = QDir(defaultDirectory_).filePath(name_);
  const QString chosen =
      QFileDialog::getSaveFileName(this, tr("Save As"), proposed, QString::fromLatin1(kFileFilter));
  if (chosen.isEmpty()) return false;
  // The dialog confirmed replacing the name as typed; a name the extension
  // rule lengthens is confirmed here.
  const QString target = QString::fromStdString(WithWorksheetExtension(chosen.toStdString()));
  if (target != chosen && QFileInfo::exists(target)) {
    const QString question =
        tr("%1 already exists.\nDo you want to replace it?").arg(QDir::toNativeSeparators(target));
    if (Messages().Show(question.toLatin1().toStdString(), kNoticeYesNoQuestion) !=
        NoticeAnswer::kYes) {
      return false;
    }
  }
  return SaveAs(chosen);
}

bool WorksheetWindow::SaveAs(const QString& chosenPath) {
  const QFileInfo target(QString::fromStdString(WithWorksheetExtension(chosenPath.toStdString())));
  defaultDirectory_ = target.absolutePath();
  StorePath(kWorksheetPathSection, defaultDirectory_);
  return WriteFile(target.absoluteFilePath());
}

bool WorksheetWindow::WriteFile(const QString& path) {
  if (OpenElsewhere(path)) {
    Tell(Messages(), QString::fromLatin1(kAlreadyOpenText));
    return false;
  }
  // Saving renames a new file over the old one, which the system allows even
  // where the old file may not be written: honour its protection first.
  const QFileInfo existing(path);
  int error = 0;
  SdfStatus status = SdfStatus::kCannotWrite;
  if (existing.exists() && !existing.isWritable()) {
    error = EACCES;
  } else {
    errno = 0;
    status = WriteSdfFile(FileSystemName(path), FromTextDocument(*editor_->document()));
    error = errno;
  }
  if (status != SdfStatus::kOk) {
    if (status == SdfStatus::kCannotWrite && IsRefusal(error)) {
      Tell(Messages(), QString::fromLatin1(kLockedText));
    } else {
      Tell(Messages(), tr("The worksheet could not be saved as\n%1:\n%2.")
                           .arg(QDir::toNativeSeparators(path),
                                Reason(status == SdfStatus::kCannotWrite ? error : 0,
                                       DescribeSdfStatus(status))));
    }
    return false;
  }
  path_ = path;
  savedOnce_ = true;
  SetTitle(existing.fileName());
  SetModified(false);
  emit Saved(path_);
  return true;
}

bool WorksheetWindow::Load(const QString& path) {
  const QString absolute = QFileInfo(path).absoluteFilePath();
  RichText text;
  errno = 0;
  const SdfReadResult result = ReadSdfFile(FileSystemName(absolute), text);
  const int error = errno;
  switch (result.status) {
    case SdfStatus::kOk:
      break;
    case SdfStatus::kPlainTextOnly:
      Tell(
          Messages(),
          tr("The formatting of\n%1\ncannot be read (%2);\nthe worksheet was opened as plain text.")
              .arg(QDir::toNativeSeparators(absolute),
                   QString::fromLatin1(DescribeRtfStatus(result.rtfStatus))),
          kNoticeOkInformation);
      break;
    case SdfStatus::kNotAWorksheet:
      badFile_ = true;
      Tell(Messages(), QString::fromLatin1(kNotAWorksheetText));
      return false;
    default:
      badFile_ = true;
      Tell(Messages(), tr("The worksheet\n%1\ncould not be opened:\n%2.")
                           .arg(QDir::toNativeSeparators(absolute),
                                Reason(result.status == SdfStatus::kCannotRead ? error : 0,
                                       DescribeSdfStatus(result.status))));
      return false;
  }
  ToTextDocument(text, *editor_->document());
  editor_->document()->clearUndoRedoStacks();
  editor_->moveCursor(QTextCursor::Start);
  path_ = absolute;
  savedOnce_ = true;
  SetTitle(QFileInfo(absolute).fileName());
  SetModified(false);
  return true;
}

bool WorksheetWindow::OpenElsewhere(const QString& path) const {
  const auto* frame = qobject_cast<const QMdiSubWindow*>(parentWidget());
  if (frame == nullptr || frame->mdiArea() == nullptr) return false;
  const QFileInfo file(path);
  for (const WorksheetWindow* other : OpenWorksheets(*frame->mdiArea())) {
    if (other != this && !other->path_.isEmpty() &&
        (other->path_ == file.absoluteFilePath() || QFileInfo(other->path_) == file)) {
      return true;
    }
  }
  return false;
}

QList<WorksheetWindow*> WorksheetWindow::OpenWorksheets(const QMdiArea& area) {
  QList<WorksheetWindow*> worksheets;
  for (QMdiSubWindow* frame : area.subWindowList(QMdiArea::CreationOrder)) {
    if (auto* worksheet = qobject_cast<WorksheetWindow*>(frame->widget())) {
      worksheets.append(worksheet);
    }
  }
  return worksheets;
}

bool WorksheetWindow::InterruptRequested(Notice& notice) {
  const std::optional<uint32_t> key = TakePendingKey(*this);
  return key.has_value() && KeyAbortsTask(notice, *key);
}

void WorksheetWindow::closeEvent(QCloseEvent* event) {
  if (IsModified()) {
    const std::string question = tr("Save changes to %1?").arg(Title()).toLatin1().toStdString();
    const NoticeAnswer answer = Messages().Show(question, kNoticeYesNoCancelQuestion);
    if (answer == NoticeAnswer::kCancel || (answer == NoticeAnswer::kYes && !Save(false))) {
      event->ignore();
      return;
    }
  }
  if (!badFile_) {
    const QWidget* frame = qobject_cast<const QMdiSubWindow*>(parentWidget());
    StorePlacement(kWorksheetPlacementSection, frame != nullptr ? *frame : *this);
  }
  event->accept();
}

void WorksheetWindow::LineSink::AppendLine(std::string_view line) {
  std::string text(line);
  text.append("\r\n");
  window_.AppendReport(text);
}

}  // namespace navora
