// dictionary_header.h: the "HEAD" resource of a compiled dictionary.
//
// Big-endian numbers, four-character codes in reading order; the fixed part
// is 320 bytes, and headers of 608 bytes or more carry further description
// texts. See docs/formats/compiled-dictionary.md.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace lexvane::engine {

struct DictionaryHeader {
    static constexpr std::size_t kFixedSize = 320;
    static constexpr std::size_t kLongSize = 608;
    static constexpr std::uint32_t kOldestVersion = 610;
    static constexpr std::uint32_t kNewestVersion = 618;

    std::uint32_t version = 0;
    std::int32_t entryCount = 0;
    std::int32_t sourceLanguage = 0;   // packed language code
    std::int32_t targetLanguage = 0;
    std::int32_t companionId = 0;      // packed id, 0 = none
    std::int32_t dictionaryId = 0;     // packed id
    std::uint8_t entryReferenceBits = 0;
    std::uint8_t articleLengthBits = 0;
    std::uint8_t styleCount = 0;
    std::uint32_t longArticleThreshold = 0; // run count from which an article carries a long length; 0 = never
    std::uint32_t longArticleLengthBits = 0;
    bool utf8Words = false;
    std::uint8_t alternativeCountBits = 0;
    std::int32_t alternativeEntryCount = 0;
    bool hasAlternativeList = false;
    bool hasFuzzyWordList = false;

    // The whole resource, for the description texts read on demand.
    std::vector<std::uint8_t> bytes;
};

// Parses a HEAD resource. Status 0; LV_UNSUPPORTED_FORMAT for a version
// outside 610 to 618, a header shorter than its fixed part, a bit width
// above 32, a negative count or fewer than the three reserved styles.
int parseDictionaryHeader(std::span<const std::uint8_t> bytes, DictionaryHeader& header);

} // namespace lexvane::engine
