// fuzzy_feed.cpp: the feeding loops over headwords and word lists.
#include "search/fuzzy_feed.h"

namespace lexvane::engine {

int offerHeadword(FuzzyState& state, std::u16string_view headword, std::int32_t key)
{
    const std::size_t tab = headword.find(u'\t');
    if (tab == std::u16string_view::npos)
        return state.offer(headword, headword, key);
    return state.offerForms(headword.substr(0, tab), headword.substr(tab + 1), headword, key);
}

int feedHeadwords(FuzzyState& state, std::int32_t count, const HeadwordReader& read, std::int32_t key)
{
    for (std::int32_t index = 0; index < count && !state.stopRequested(); ++index) {
        std::u16string_view headword;
        if (const int status = read(index, headword))
            return status;
        if (const int status = offerHeadword(state, headword, key))
            return status;
    }
    return LV_OK;
}

int feedWordList(FuzzyState& state, const WordListDecoder::ChunkSource& source, WordListDecoder::UnitSize unitSize,
                 std::span<const char16_t> codePage, std::int32_t key,
                 const std::function<void(std::u16string_view word)>& seen)
{
    // A stop request is answered by a status that no decoding step gives.
    static_assert(kStopFeed < 0);
    const int status = WordListDecoder::decode(source, unitSize, codePage, [&](std::u16string_view word) {
        if (seen)
            seen(word);
        return offerListWord(state, word, key);
    });
    return status == kStopFeed ? LV_OK : status;
}

} // namespace lexvane::engine
