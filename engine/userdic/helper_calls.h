// helper_calls.h: the engine's calls into a caller's UDHelper.
//
// Wraps the caller's helper so that every call has a target: a null helper,
// or a null operation in one, is served by the default helper. The wrapped
// helper is borrowed; the caller keeps it alive while the database is open.
#pragma once

#include "lexvane_engine.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace lexvane::engine::userdic {

class HelperCalls {
public:
    explicit HelperCalls(const UDHelper* helper = nullptr) { reset(helper); }
    void reset(const UDHelper* helper);

    int compare(const char16_t* a, const char16_t* b) const;
    int compareN(const char16_t* a, const char16_t* b, std::int32_t n) const;
    void upper(char16_t* s) const;
    void upper(std::u16string& s) const { upper(s.data()); }
    // The next word at or after `source` into `target` (at most max-1
    // characters); null when none is left.
    const char16_t* nextWord(const char16_t* source, char16_t* target, std::int32_t max) const;

    // The upper-cased first character of a title (0 for an empty title),
    // the form the `firstchar` column keeps.
    std::int32_t firstCharacterKey(std::u16string_view title) const;

private:
    const UDHelper* m_helper = nullptr;
};

} // namespace lexvane::engine::userdic
