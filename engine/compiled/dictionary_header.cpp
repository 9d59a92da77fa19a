// dictionary_header.cpp: reading the "HEAD" resource.
#include "compiled/dictionary_header.h"

#include "common/byte_order.h"
#include "lexvane_engine.h"


namespace lexvane::engine {

int parseDictionaryHeader(std::span<const std::uint8_t> bytes, DictionaryHeader& header)
{
    header = DictionaryHeader{};
    if (bytes.size() < 4)
        return LV_UNSUPPORTED_FORMAT;
    header.version = bytes::readBigEndian32(bytes.data());
    if (header.version < DictionaryHeader::kOldestVersion || header.version > DictionaryHeader::kNewestVersion)
        return LV_UNSUPPORTED_FORMAT;
    if (bytes.size() < DictionaryHeader::kFixedSize)
        return LV_UNSUPPORTED_FORMAT;

    const std::uint8_t* p = bytes.data();
    header.entryCount = static_cast<std::int32_t>(bytes::readBigEndian32(p + 4));
    header.sourceLanguage = bytes::packFourCharacters(p + 8);
    header.targetLanguage = bytes::packFourCharacters(p + 12);
    header.companionId = bytes::packFourCharacters(p + 16);
    header.dictionaryId = bytes::packFourCharacters(p + 28);
    header.entryReferenceBits = p[40];
    header.articleLengthBits = p[41];
    header.styleCount = p[43];
    header.longArticleThreshold = bytes::readBigEndian32(p + 268);
    header.longArticleLengthBits = bytes::readBigEndian32(p + 272);
    header.utf8Words = p[310] != 0;
    header.alternativeCountBits = p[311];
    // Written in the byte order of the machine that reads it: little-endian.
    header.alternativeEntryCount = static_cast<std::int32_t>(bytes::readLittleEndian32(p + 312));
    header.hasAlternativeList = p[316] != 0;
    header.hasFuzzyWordList = p[319] != 0;

    // Widths are read with 32-bit reads; the three reserved styles code the
    // headword, its shared count and the style sequence.
    if (header.entryCount < 0 || header.alternativeEntryCount < 0 || header.entryReferenceBits > 32 ||
        header.articleLengthBits > 32 || header.longArticleLengthBits > 32 || header.alternativeCountBits > 32 ||
        header.styleCount < 3)
        return LV_UNSUPPORTED_FORMAT;

    header.bytes.assign(bytes.begin(), bytes.end());
    return LV_OK;
}

} // namespace lexvane::engine
