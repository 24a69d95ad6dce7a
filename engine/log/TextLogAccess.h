#pragma once

#include "engine/log/TextLog.h"

namespace navora {

// The one door to a TextLog's state, for the files that implement its
// operations (the file itself and the pending text); not for callers.
struct TextLogAccess {
  using State = TextLog::State;
  static State& Of(TextLog& log) { return log.state_; }
  static const State& Of(const TextLog& log) { return log.state_; }
};

}  // namespace navora
