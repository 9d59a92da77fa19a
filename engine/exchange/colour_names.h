// colour_names.h: the colour keywords of the exchange formats.
//
// The 147 keywords of CSS 3, in alphabetical order with their RGB values
// (0x00RRGGBB). Reading finds a keyword without regard to case; writing
// names a colour by the first keyword in alphabetical order that has its
// value, so that 0x00FFFF is always written "aqua".
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace lexvane::engine::exchange {

struct ColourName {
    const char* name;
    std::uint32_t rgb;
};

// The value of a keyword, compared without regard to case.
std::optional<std::uint32_t> colourByName(std::u16string_view name);

// The first keyword with that RGB value, or null when none has it.
const char* nameOfColour(std::uint32_t rgb);

} // namespace lexvane::engine::exchange
