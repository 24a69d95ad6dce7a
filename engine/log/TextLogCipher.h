#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "engine/common/EngineStatus.h"

namespace navora {

// The light scrambling of the text log's lines. Each stored line is its
// key's bitwise complement followed by every clear byte plus the key (modulo
// 256); keys are the letters 'A'..'Z', drawn per line from a linear
// congruential generator (multiplier 1103515245, increment 12345, bits 16..30
// of the state). Lengths in bytes. Not a secret: it only keeps the file from
// being read or edited by accident.
inline constexpr char kFirstTextLogKey = 'A';
inline constexpr int kTextLogKeyCount = 26;

// The state of one key sequence, kept by its text log.
struct TextLogKeys {
  uint32_t seed = 0;
  bool seeded = false;    // false until seeded, by the caller or from the clock
  bool seedUsed = false;  // the first key comes from the seed itself
};

// Restarts the sequence from a seed.
void SeedTextLogKeys(TextLogKeys& keys, uint32_t seed);

// The next pseudo-random key of the sequence; an unseeded sequence seeds
// itself from the clock first.
char NextTextLogKey(TextLogKeys& keys);

// A key for the clear line, starting from the proposed one and trying the
// following letters in turn, such that no stored byte is a line feed (which
// would split the stored line). 1 when no letter serves.
[[nodiscard]] EngineStatus ChooseTextLogKey(std::string_view clear, char proposed, char& key);

// The stored form of a clear line under a key, without the line feed.
std::string ScrambleTextLogLine(std::string_view clear, char key);

// The clear line of a stored line (line feed removed); an empty stored line
// gives an empty clear line.
std::string UnscrambleTextLogLine(std::string_view stored);

}  // namespace navora
