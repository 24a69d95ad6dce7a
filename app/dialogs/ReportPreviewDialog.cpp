#include "app/dialogs/ReportPreviewDialog.h"

#include <QDialogButtonBox>
#include <QFontMetrics>
#include <QVBoxLayout>

namespace navora {
namespace {

// Wide enough for the four-column fix comparison without wrapping.
constexpr int kReportColumns = 100;
constexpr int kReportRows = 26;

}  // namespace

ReportPreviewDialog::ReportPreviewDialog(const std::vector<std::string>& lines,
                                         const QFont& reportFont, QWidget* parent)
    : QDialog(parent), report_(new QTextEdit(this)) {
  setWindowTitle(QStringLiteral("Report Preview"));
  auto* layout = new QVBoxLayout(this);
  QStringList text;
  for (const std::string& line : lines) text << QString::fromLatin1(line);
  report_->setReadOnly(true);
  report_->setLineWrapMode(QTextEdit::NoWrap);
  report_->setFont(reportFont);
  report_->setPlainText(text.join(QLatin1Char('\n')));
  const QFontMetrics metrics(reportFont);
  report_->setMinimumSize(metrics.horizontalAdvance(QString(kReportColumns, QLatin1Char('0'))),
                          metrics.lineSpacing() * kReportRows);
  layout->addWidget(report_);

  auto* buttons = new QDialogButtonBox(this);
  save_ = buttons->addButton(QStringLiteral("Save to Log"), QDialogButtonBox::AcceptRole);
  dontSave_ = buttons->addButton(QStringLiteral("Don't Save"), QDialogButtonBox::RejectRole);
  save_->setDefault(true);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
  save_->setFocus(Qt::OtherFocusReason);
}

}  // namespace navora
