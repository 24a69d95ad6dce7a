#include "app/shell/HelpWindow.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

#include "app/shell/ProgramArt.h"

namespace navora {
namespace {

constexpr QSize kHelpSize(760, 640);

QToolButton* Button(const QString& text, QWidget* parent) {
  auto* button = new QToolButton(parent);
  button->setText(text);
  button->setAutoRaise(true);
  return button;
}

}  // namespace

HelpWindow::HelpWindow(const QString& manualIndex, QWidget* parent)
    : QWidget(parent, Qt::Window), browser_(new QTextBrowser(this)) {
  setWindowTitle(QStringLiteral("NAVORA Help"));
  setWindowIcon(ProgramIcon());
  resize(kHelpSize);

  // Links out of the manual go to the desktop's handler; its own pages stay here.
  browser_->setOpenExternalLinks(true);
  browser_->setSource(QUrl::fromLocalFile(manualIndex));

  QToolButton* contents = Button(QStringLiteral("Contents"), this);
  QToolButton* back = Button(QStringLiteral("Back"), this);
  QToolButton* forward = Button(QStringLiteral("Forward"), this);
  back->setEnabled(false);
  forward->setEnabled(false);
  connect(contents, &QToolButton::clicked, browser_, &QTextBrowser::home);
  connect(back, &QToolButton::clicked, browser_, &QTextBrowser::backward);
  connect(forward, &QToolButton::clicked, browser_, &QTextBrowser::forward);
  connect(browser_, &QTextBrowser::backwardAvailable, back, &QWidget::setEnabled);
  connect(browser_, &QTextBrowser::forwardAvailable, forward, &QWidget::setEnabled);
  auto showTitle = [this] {
    const QString title = browser_->documentTitle();
    setWindowTitle(title.isEmpty() ? QStringLiteral("NAVORA Help")
                                   : QStringLiteral("NAVORA Help - ") + title);
  };
  connect(browser_, &QTextBrowser::sourceChanged, this, showTitle);
  showTitle();

  auto* bar = new QHBoxLayout;
  bar->addWidget(contents);
  bar->addWidget(back);
  bar->addWidget(forward);
  bar->addStretch(1);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 4);
  layout->addLayout(bar);
  layout->addWidget(browser_, 1);
}

QString FindManualIndex() {
  const QDir program(QCoreApplication::applicationDirPath());
  for (const QString& relative :
       {QStringLiteral("manual/index.html"), QStringLiteral("../share/navora/manual/index.html")}) {
    const QFileInfo index(program.filePath(relative));
    if (index.isFile()) return index.canonicalFilePath();
  }
  return {};
}

}  // namespace navora
