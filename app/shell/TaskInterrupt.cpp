#include "app/shell/TaskInterrupt.h"

#include <QApplication>
#include <QKeyEvent>
#include <vector>

#include "app/tasks/InterruptCheck.h"

namespace navora {
namespace {

constexpr uint32_t kKeyEscape = 0x1B;

bool IsUserInput(QEvent::Type type) {
  switch (type) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::NonClientAreaMouseButtonPress:
    case QEvent::NonClientAreaMouseButtonRelease:
    case QEvent::NonClientAreaMouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
    case QEvent::InputMethod:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TabletPress:
    case QEvent::TabletRelease:
    case QEvent::Drop:
    case QEvent::Close:  // a window's close button: closing a window would end the task under it
      return true;
    default:
      return false;
  }
}

// Swallows user input application-wide for as long as it lives, keeping the
// keys pressed in one window.
class InputSwallower : public QObject {
 public:
  explicit InputSwallower(QWidget& window);
  ~InputSwallower() override;

  // Qt key codes pressed in the window, in order.
  const std::vector<int>& Keys() const { return keys_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget& window_;
  std::vector<int> keys_;
};

InputSwallower::InputSwallower(QWidget& window) : window_(window) {
  QApplication::instance()->installEventFilter(this);
}

InputSwallower::~InputSwallower() { QApplication::instance()->removeEventFilter(this); }

bool InputSwallower::eventFilter(QObject* watched, QEvent* event) {
  if (!IsUserInput(event->type())) return false;
  if (event->type() == QEvent::KeyPress) {
    // A key from the system reaches the top-level QWindow first, on its way
    // to the focus widget; a posted one goes to its widget directly.
    const QWidget* widget = watched->isWindowType() ? QApplication::focusWidget()
                                                    : qobject_cast<const QWidget*>(watched);
    if (widget != nullptr && (widget == &window_ || window_.isAncestorOf(widget))) {
      keys_.push_back(static_cast<const QKeyEvent*>(event)->key());
    }
  }
  return true;
}

}  // namespace

uint32_t VirtualKeyCode(int qtKey) {
  if ((qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) || (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)) {
    return static_cast<uint32_t>(qtKey);  // Qt's codes of these are their ASCII upper case
  }
  switch (qtKey) {
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
      return kKeyAlt;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return kKeyEnter;
    case Qt::Key_Escape:
      return kKeyEscape;
    default:
      return kOtherKeyCode;
  }
}

std::optional<uint32_t> TakePendingKey(QWidget& window) {
  InputSwallower swallower(window);
  QApplication::processEvents();
  if (swallower.Keys().empty()) return std::nullopt;
  return VirtualKeyCode(swallower.Keys().front());
}

}  // namespace navora
