#pragma once

#include <QDialog>
#include <QPlainTextEdit>
#include <string>

namespace navora {

// "Enter a Comment": free text for the voyage's text log, typed in a
// fixed-pitch box; lines are broken as the log writes them.
class CommentDialog : public QDialog {
 public:
  explicit CommentDialog(QWidget* parent = nullptr);

  // The text as the log takes it: Latin-1, lines ending in a line feed.
  std::string Comment() const;
  QPlainTextEdit& Editor() { return *editor_; }

 private:
  QPlainTextEdit* editor_;
};

}  // namespace navora
