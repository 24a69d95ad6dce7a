#include "engine/log/TextLogCipher.h"

#include <chrono>

namespace navora {

namespace {

// The classic linear congruential generator: small and reproducible from a
// seed. The keys only need to vary from line to line, not to be secret.
constexpr uint32_t kLcgMultiplier = 1103515245u;
constexpr uint32_t kLcgIncrement = 12345u;
constexpr int kLcgOutputShift = 16;
constexpr uint32_t kLcgOutputMask = 0x7FFFu;

constexpr unsigned char kLineFeed = '\n';

uint32_t NextRandom(uint32_t seed) {
  const uint32_t state = seed * kLcgMultiplier + kLcgIncrement;
  return (state >> kLcgOutputShift) & kLcgOutputMask;
}

uint32_t ClockSeed() {
  return static_cast<uint32_t>(std::chrono::steady_clock::now().time_since_epoch().count());
}

char KeyLetter(int index) { return static_cast<char>(kFirstTextLogKey + index); }

bool KeyAvoidsLineFeed(std::string_view clear, char key) {
  for (const char c : clear) {
    const unsigned char stored =
        static_cast<unsigned char>(static_cast<unsigned char>(c) + static_cast<unsigned char>(key));
    if (stored == kLineFeed) {
      return false;
    }
  }
  return true;
}

}  // namespace

void SeedTextLogKeys(TextLogKeys& keys, uint32_t seed) {
  keys.seed = seed;
  keys.seeded = true;
  keys.seedUsed = false;
}

char NextTextLogKey(TextLogKeys& keys) {
  if (!keys.seeded) {
    SeedTextLogKeys(keys, ClockSeed());
  }
  // The first line keys from the seed itself; every later line first moves
  // the seed on, so that each line draws a fresh value.
  if (keys.seedUsed) {
    keys.seed = NextRandom(keys.seed);
  }
  keys.seedUsed = true;
  return KeyLetter(static_cast<int>(NextRandom(keys.seed) % kTextLogKeyCount));
}

EngineStatus ChooseTextLogKey(std::string_view clear, char proposed, char& key) {
  const int start =
      ((proposed - kFirstTextLogKey) % kTextLogKeyCount + kTextLogKeyCount) % kTextLogKeyCount;
  for (int step = 0; step < kTextLogKeyCount; ++step) {
    const char candidate = KeyLetter((start + step) % kTextLogKeyCount);
    if (KeyAvoidsLineFeed(clear, candidate)) {
      key = candidate;
      return 0;
    }
  }
  return 1;
}

std::string ScrambleTextLogLine(std::string_view clear, char key) {
  const unsigned char shift = static_cast<unsigned char>(key);
  std::string stored;
  stored.reserve(clear.size() + 1);
  stored.push_back(static_cast<char>(static_cast<unsigned char>(~shift)));
  for (const char c : clear) {
    stored.push_back(static_cast<char>(static_cast<unsigned char>(c) + shift));
  }
  return stored;
}

std::string UnscrambleTextLogLine(std::string_view stored) {
  std::string clear;
  if (stored.empty()) {
    return clear;
  }
  const unsigned char shift = static_cast<unsigned char>(~static_cast<unsigned char>(stored[0]));
  clear.reserve(stored.size() - 1);
  for (const char c : stored.substr(1)) {
    clear.push_back(static_cast<char>(static_cast<unsigned char>(c) - shift));
  }
  return clear;
}

}  // namespace navora
