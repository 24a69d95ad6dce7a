#pragma once

// The keyboard side of the interrupt check that a long task runs between its
// steps. The program has one thread, so the window is kept painting by
// processing the pending events here; no command or edit may run in the
// middle of a task, so every keyboard and mouse event is swallowed meanwhile.

#include <QWidget>
#include <cstdint>
#include <optional>

namespace navora {

// The virtual-key code the interrupt rule (app/tasks/InterruptCheck.h) knows
// a key by: letters and digits as their upper-case character, Alt, Enter
// (Return or keypad Enter) and Escape as their platform codes, and every other
// key as kOtherKeyCode, which none of the ignored keys has.
inline constexpr uint32_t kOtherKeyCode = 0xFF;
uint32_t VirtualKeyCode(int qtKey);

// Processes the pending events once with user input swallowed, and returns
// the first key pressed in `window` (or any widget inside it) meanwhile, as
// its virtual-key code; none when no key was pressed there. Later keys are
// discarded with the rest of the input.
std::optional<uint32_t> TakePendingKey(QWidget& window);

}  // namespace navora
