#pragma once

#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>

namespace navora {

// The start-up picture: a frameless window kept above the main window for
// kShownMs, or until it is clicked. It deletes itself when it closes and
// emits Finished once, after which start-up goes on.
class SplashWindow : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kShownMs = 5000;
  static constexpr int kCheckMs = 500;  // how often it is brought back to the top

  explicit SplashWindow(QWidget* parent = nullptr);

 signals:
  void Finished();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void Check();

  QTimer timer_;
  QElapsedTimer shownFor_;
  bool finished_ = false;
};

}  // namespace navora
