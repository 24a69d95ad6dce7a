#pragma once

#include <string>
#include <string_view>

namespace navora {

// Engine texts are Latin-1 (the degree sign is the single byte 0xB0); this turns
// them into UTF-8 wherever they are shown or saved as Unicode. Total and
// exact: every byte maps to one code point.
std::string Latin1ToUtf8(std::string_view text);

}  // namespace navora
