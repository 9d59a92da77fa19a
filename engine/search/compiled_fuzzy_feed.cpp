// compiled_fuzzy_feed.cpp: feeding a fuzzy search from a compiled dictionary.
#include "search/compiled_fuzzy_feed.h"

#include "compiled/compiled_dictionary.h"
#include "frame/dictionary_ops.h"
#include "search/fuzzy_feed.h"

#include <array>

namespace lexvane::engine {

namespace {

int feedFromWordList(CompiledDictionary& dictionary, FuzzyState& state)
{
    // After one whole decoding the words are replayed from memory: the same
    // words in the same order, so the same offers and the same answer.
    WordCache& cache = dictionary.fuzzyWordCache();
    const std::int32_t key = dictionary.header().dictionaryId;
    if (cache.complete()) {
        const int status = cache.forEachWord([&](std::u16string_view word) { return offerListWord(state, word, key); });
        return status == kStopFeed ? LV_OK : status;
    }

    const bool wide = dictionary.header().utf8Words;
    std::array<char16_t, 256> codePage{};
    for (std::size_t byte = 0; byte < codePage.size(); ++byte)
        codePage[byte] = dictionary.codePage(0).unit(static_cast<std::uint8_t>(byte));
    // One chunk at a time: the decoder asks for the next only when it has
    // used this one up.
    ResourceBlock chunk;
    auto source = [&](std::uint16_t id, std::span<const std::uint8_t>& bytes) {
        if (const int status = dictionary.container().load(chunk, "WLST", id))
            return status;
        bytes = std::span(chunk.data(), chunk.size());
        return int{LV_OK};
    };
    cache.startFilling();
    const int status = feedWordList(
        state, source, wide ? WordListDecoder::UnitSize::Utf16 : WordListDecoder::UnitSize::Bytes,
        wide ? std::span<const char16_t>() : std::span<const char16_t>(codePage), key,
        [&](std::u16string_view word) { cache.append(word); });
    // A stop or a failure may have left words undecoded.
    if (status == LV_OK && !state.stopRequested())
        cache.markComplete();
    return status;
}

int feedFromHeadwords(CompiledDictionary& dictionary, FuzzyState& state)
{
    WordCache& cache = dictionary.headwordCache();
    const std::int32_t key = dictionary.header().dictionaryId;
    if (cache.complete()) {
        std::int32_t last = -1;
        const int status = cache.forEachWord([&](std::u16string_view headword, unsigned marks) {
            if (state.stopRequested())
                return kStopFeed;
            ++last;
            // Most headwords are one form: no need to look for a TAB.
            if (!(marks & WordCache::kHoldsTab))
                return state.offer(headword, headword, key);
            return offerHeadword(state, headword, key);
        });
        // The decoding feed leaves the dictionary at the last entry it read;
        // so does the replay. That entry was read whole before, so a failure
        // here only means that the next read starts afresh.
        if (last >= 0)
            dictionary.readMainEntry(last, kReadHeadword);
        return status == kStopFeed ? LV_OK : status;
    }

    // The main list, whichever list DicDoFilter made current.
    auto read = [&](std::int32_t index, std::u16string_view& headword) {
        if (const int status = dictionary.readMainEntry(index, kReadHeadword))
            return status;
        headword = dictionary.mainWord16();
        cache.append(headword);
        return int{LV_OK};
    };
    cache.startFilling();
    const int status = feedHeadwords(state, dictionary.header().entryCount, read, key);
    // A stop or a failure may have left entries unread.
    if (status == LV_OK && !state.stopRequested())
        cache.markComplete();
    return status;
}

} // namespace

int feedCompiledFuzzy(DictionaryRecord& record, FuzzyState* state)
{
    CompiledDictionary* dictionary = compiledDictionaryOf(record);
    if (!state || !dictionary)
        return LV_BAD_ARGUMENT;
    if (dictionary->header().hasFuzzyWordList)
        return feedFromWordList(*dictionary, *state);
    return feedFromHeadwords(*dictionary, *state);
}

} // namespace lexvane::engine
