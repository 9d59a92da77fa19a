// trivial_helper.h: the engine's default text services for user dictionaries.
//
// Used when a caller opens or creates a user dictionary without a helper, and
// for every operation a caller's helper leaves null. Case mapping and the
// letter test come from tables of our own, so that the order of titles and
// the words of the full-text index never change with the process's locale
// (docs/behaviour/user-dictionary-helper.md).
#pragma once

#include "lexvane_engine.h"

namespace lexvane::engine::userdic {

// The one static default helper.
const UDHelper& trivialHelper();

// The simple case mappings and the word-character test of the default helper.
char16_t simpleUpper(char16_t c);
char16_t simpleLower(char16_t c);
bool isWordCharacter(char16_t c);

} // namespace lexvane::engine::userdic
