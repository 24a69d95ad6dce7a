#pragma once

#include <cstdint>

#include "app/bridge/Notice.h"

namespace navora {

// Virtual-key codes of the keys that never interrupt a task: N (the answer
// to the abort question typed ahead), Alt and Enter.
inline constexpr uint32_t kKeyN = 'N';
inline constexpr uint32_t kKeyAlt = 0x12;
inline constexpr uint32_t kKeyEnter = 0x0D;

// What a key pressed while a task runs means: N, Alt and Enter are ignored;
// any other key asks the user whether to abort. True when the task is to
// abort. The caller discards the other pending keys when the task goes on.
bool KeyAbortsTask(Notice& notice, uint32_t keyCode);

}  // namespace navora
