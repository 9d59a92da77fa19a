// dictionary_id.h: the four-character dictionary id and its hexadecimal form.
//
// A dictionary file carries its id as the four hexadecimal digits in front
// of its extension ("dict0A1B.prc"). Inside the engine an id is packed into
// an int32 with the first character in the lowest byte.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace lexvane::engine {

// The value DicOpen and MrgAdd take for "use the id of the file name".
inline constexpr std::int32_t kIdFromFileName = -1;

// The four characters of a packed id, in reading order.
std::string idCharacters(std::int32_t packedId);

// Packs four characters (exactly four) into the engine's id form.
std::int32_t packId(std::string_view fourCharacters);

// Reads four characters as a hexadecimal number; -1 unless all four are
// hexadecimal digits.
int parseHexadecimalId(std::string_view fourCharacters);

// Writes a number as four hexadecimal digits ("%04X" or "%04x").
std::string formatHexadecimalId(int number, bool upperCase);

// The id of a dictionary file name: the four characters in front of its
// four-character extension. False when the name is too short to carry one.
bool idFromFileName(std::string_view path, std::int32_t& packedId);

} // namespace lexvane::engine
