// fuzzy_feed.h: offering a dictionary's headwords or word list to a fuzzy
// search state.
//
// A headword may hold two forms separated by a TAB: each form is compared on
// its own and the whole headword is what a match keeps, once, at the
// smaller distance of its forms. A feed stops at the
// state's stop flag (with 0) or at a status of its source.
#pragma once

#include "search/fuzzy_state.h"
#include "search/word_list_decoder.h"

#include <cstdint>
#include <functional>
#include <string_view>

namespace lexvane::engine {

// Offers the forms of `headword`, keeping the whole headword with `key`.
// See docs/behaviour/fuzzy-search.md.
int offerHeadword(FuzzyState& state, std::u16string_view headword, std::int32_t key);

// Reads headword `index` into `headword` (valid until the next call);
// 0 or a status that ends the feed.
using HeadwordReader = std::function<int(std::int32_t index, std::u16string_view& headword)>;

// Offers headwords 0 .. count - 1 in order.
int feedHeadwords(FuzzyState& state, std::int32_t count, const HeadwordReader& read, std::int32_t key);

// Offers every word of a compressed word list, each keeping itself.
// `seen`, when given, receives every decoded word before it is offered.
int feedWordList(FuzzyState& state, const WordListDecoder::ChunkSource& source, WordListDecoder::UnitSize unitSize,
                 std::span<const char16_t> codePage, std::int32_t key,
                 const std::function<void(std::u16string_view word)>& seen = {});

// Offers one word of a word list as feedWordList does: 0 to go on, a
// status to stop with, or kStopFeed at the state's stop flag.
inline constexpr int kStopFeed = -1;
inline int offerListWord(FuzzyState& state, std::u16string_view word, std::int32_t key)
{
    if (state.stopRequested())
        return kStopFeed;
    return state.offer(word, word, key);
}

} // namespace lexvane::engine
