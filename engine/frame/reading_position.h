// reading_position.h: a saved reading position of one dictionary.
//
// The set functions save where a member stands and come back to it later
// (slots 24 and 23). The headword is saved too: the next entry's front
// coding depends on it.
#pragma once

#include <cstdint>
#include <string>

namespace lexvane::engine {

struct ReadingPosition {
    std::uint64_t articlePosition = 0;
    std::uint64_t headwordPosition = 0;
    std::int32_t current = -1;
    std::int32_t articleEntry = 0;
    bool synchronised = false;
    std::string headword;                       // stored bytes of the current headword
    std::uint64_t alternativeHeadwordPosition = 0;
    std::int32_t alternativeCurrent = -1;
    std::uint32_t alternativeArticleBase = 0;
    bool alternativeSynchronised = false;
    std::string alternativeHeadword;
};

} // namespace lexvane::engine
