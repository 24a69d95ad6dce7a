#pragma once

#include <QString>
#include <QTextBrowser>
#include <QWidget>

namespace navora {

// The navigator's manual, read inside the program: a browser window over the
// HTML pages installed with it, so that help works at sea without a network
// or a web browser.
class HelpWindow : public QWidget {
  Q_OBJECT

 public:
  // `manualIndex` is the path of the manual's index.html.
  explicit HelpWindow(const QString& manualIndex, QWidget* parent = nullptr);

  QTextBrowser& Browser() { return *browser_; }

 private:
  QTextBrowser* browser_;
};

// The manual's index.html, looked for as the data files are: in "manual/"
// beside the program, then in "../share/navora/manual/". Empty when neither
// holds it.
QString FindManualIndex();

}  // namespace navora
