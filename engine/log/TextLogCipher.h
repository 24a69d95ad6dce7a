#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "engine/common/EngineStatus.h"

namespace navora {

// Each stored line is its key's bitwise complement followed by every clear
// byte plus the key (modulo 256); keys are the letters 'A'..'Z'.
inline constexpr char kFirstTextLogKey = 'A';
inline constexpr int kTextLogKeyCount = 26;

// Seeds the key sequence; until called, the first key seeds itself from the
// clock. Tests call it for repeatable keys.
void SeedTextLogKeys(uint32_t seed);

// The next pseudo-random key of the run.
char NextTextLogKey();

// A key for the clear line, starting from the proposed one and trying the
// following letters in turn, such that no stored byte is a line feed (which
// would split the stored line). 1 when no letter serves.
EngineStatus ChooseTextLogKey(std::string_view clear, char proposed, char& key);

// The stored form of a clear line under a key, without the line feed.
std::string ScrambleTextLogLine(std::string_view clear, char key);

// The clear line of a stored line (line feed removed); an empty stored line
// gives an empty clear line.
std::string UnscrambleTextLogLine(std::string_view stored);

}  // namespace navora
