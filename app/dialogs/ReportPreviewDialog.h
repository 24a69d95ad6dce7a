#pragma once

#include <QDialog>
#include <QFont>
#include <QPushButton>
#include <QTextEdit>
#include <string>
#include <vector>

namespace navora {

// Shows a position report before anything is logged: "Save to Log" accepts,
// "Don't Save" (and Escape) rejects. The report is read-only, in the fixed-
// pitch font of the worksheets so its columns line up as they will there.
class ReportPreviewDialog : public QDialog {
 public:
  // `lines`: Latin-1 report lines without line ends.
  ReportPreviewDialog(const std::vector<std::string>& lines, const QFont& reportFont,
                      QWidget* parent = nullptr);

  QTextEdit& Report() { return *report_; }
  QPushButton& SaveButton() { return *save_; }
  QPushButton& DontSaveButton() { return *dontSave_; }

 private:
  QTextEdit* report_;
  QPushButton* save_;
  QPushButton* dontSave_;
};

}  // namespace navora
