// compiled_data.cpp: what a compiled dictionary tells besides its entries:
// description items (header and "LANG"), special entries ("INFO") and
// binary items ("META" with its index and data resources).
//
// "LANG" and "META" are loaded when asked for, so that opening stays cheap.
// See docs/formats/compiled-dictionary.md.
#include "compiled/compiled_dictionary.h"
#include "common/hexadecimal.h"

#include "common/byte_order.h"
#include "lexvane_engine.h"
#include "output/article_output.h"
#include "output/language_names.h"

#include <cstring>
#include <limits>

namespace lexvane::engine {

namespace {

constexpr std::size_t kLanguageItemUnits = 64;
constexpr std::size_t kSpecialSegmentLimit = 8187;

struct TextField {
    std::size_t offset;
    std::size_t size;
};

// Header texts by item; size 0 = not in this header.
TextField headerField(int item, bool longHeader)
{
    switch (item) {
    case 2:
        return {172, 64};
    case 3:
        return {236, 32};
    case 4:
        return {276, 32};
    case 9:
        return {44, 64};
    case 10:
        return {108, 64};
    default:
        break;
    }
    if (!longHeader)
        return {0, 0};
    switch (item) {
    case 0:
        return {320, 64};
    case 5:
        return {384, 64};
    case 7:
        return {448, 32};
    case 8:
        return {480, 32};
    case 6:
        return {512, 32};
    default:
        return {0, 0};
    }
}

// A header text widened code unit by byte.
std::u16string headerText(const std::vector<std::uint8_t>& header, TextField field)
{
    std::u16string text;
    for (std::size_t i = field.offset; i < field.offset + field.size && i < header.size() && header[i]; ++i)
        text.push_back(header[i]);
    return text;
}

std::u16string nameOf(std::int32_t code)
{
    const char* name = englishLanguageName(code);
    std::u16string text;
    for (; name && *name; ++name)
        text.push_back(static_cast<char16_t>(*name));
    return text;
}

} // namespace

int CompiledDictionary::descriptionItem(int item, std::int32_t language, std::u16string& text, std::int32_t& extra)
{
    text.clear();
    extra = 0;
    if (item < 0 || item > 10 || item == 1)
        return LV_UNKNOWN_ITEM;

    for (std::uint16_t id = 0; m_container.contains("LANG", id); ++id) {
        ResourceBlock block;
        const int status = m_container.load(block, "LANG", id);
        if (status != LV_OK)
            return status;
        if (block.size() < 4 || bytes::packFourCharacters(block.data()) != language)
            continue;
        const std::size_t start = 4 + 2 * kLanguageItemUnits * static_cast<std::size_t>(item);
        // A matching resource too short for the item leaves the header's text.
        if (start + 2 * kLanguageItemUnits > block.size())
            break;
        for (std::size_t k = 0; k < kLanguageItemUnits; ++k) {
            const char16_t unit = bytes::readLittleEndian16(block.data() + start + 2 * k);
            if (unit == 0)
                break;
            text.push_back(unit);
        }
        extra = language;
        return LV_OK;
    }

    const bool longHeader = m_header.bytes.size() >= DictionaryHeader::kLongSize;
    const TextField field = headerField(item, longHeader);
    if (field.size != 0) {
        text = headerText(m_header.bytes, field);
        if (item == 0 && m_header.bytes.size() > 544)
            text += headerText(m_header.bytes, {544, 64});
        return LV_OK;
    }
    const std::u16string source = nameOf(m_header.sourceLanguage);
    const std::u16string target = nameOf(m_header.targetLanguage);
    switch (item) {
    case 0:
        text = headerText(m_header.bytes, headerField(2, false));
        break;
    case 5:
        text = source + u"-" + target;
        break;
    case 6:
        text = source.substr(0, 2) + u"-" + target.substr(0, 2);
        break;
    case 7:
        text = source;
        break;
    case 8:
        text = target;
        break;
    default:
        break;
    }
    return LV_OK;
}

int CompiledDictionary::makeSpecialEntryCurrent(std::int32_t k)
{
    if (k < 0 || static_cast<std::size_t>(k) >= m_specialEntries.size())
        return LV_NO_SPECIAL_ENTRY;
    const ResourceBlock& entry = m_specialEntries[static_cast<std::size_t>(k)];
    const std::size_t size = entry.size();
    if (size == 0 || entry.data()[0] == 0)
        return LV_NO_SPECIAL_ENTRY;
    std::string title;
    for (std::size_t i = 0; i < size && entry.data()[i] != 0 && entry.data()[i] != '\n'; ++i)
        title.push_back(static_cast<char>(entry.data()[i]));
    // The title stands in for the current headword; the next read of an
    // entry starts again from a quick-access point.
    desynchronise();
    m_word16 = wordToUtf16(title);
    return LV_OK;
}

int CompiledDictionary::renderSpecialEntry(std::int32_t k)
{
    if (k < 0 || static_cast<std::size_t>(k) >= m_specialEntries.size())
        return LV_NO_SPECIAL_ENTRY;
    const ResourceBlock& entry = m_specialEntries[static_cast<std::size_t>(k)];
    if (entry.size() == 0 || entry.data()[0] == 0)
        return LV_NO_SPECIAL_ENTRY;
    std::size_t end = 0;
    while (end < entry.size() && entry.data()[end] != 0)
        ++end;
    const std::string text(reinterpret_cast<const char*>(entry.data()), end);
    const std::size_t newline = text.find('\n');
    const std::string body = newline == std::string::npos ? std::string() : text.substr(newline + 1);

    static const OutputBinding kNoOutput;
    const OutputBinding& output = m_output ? *m_output : kNoOutput;
    if (articleOutputForwarder(output, {}, nullptr, kArticleStart) == LV_STOPPED)
        return LV_STOPPED;
    auto isDigit = [](char c) { return c >= '0' && c <= '9'; };
    std::size_t style = 0;
    std::size_t p = 0;
    while (p < body.size()) {
        std::string segment;
        if (body[p] == '/') {
            if (p + 1 < body.size() && body[p + 1] == '/') {
                segment.push_back('/');
                p += 2;
            } else if (p + 2 < body.size() && isDigit(body[p + 1]) && isDigit(body[p + 2])) {
                style = static_cast<std::size_t>((body[p + 1] - '0') * 10 + (body[p + 2] - '0'));
                p += 3;
            } else if (p + 1 < body.size() && isDigit(body[p + 1])) {
                p += 2; // one digit: dropped with its slash, the style stays
            } else {
                p += 1; // a slash before another character is dropped
            }
        }
        while (p < body.size() && segment.size() < kSpecialSegmentLimit) {
            if (body[p] == '/') {
                if (p + 1 < body.size() && body[p + 1] == '/') {
                    segment.push_back('/');
                    p += 2;
                    continue;
                }
                break;
            }
            segment.push_back(body[p++]);
        }
        if (segment.empty())
            continue;
        if (style >= m_models.size()) {
            articleOutputForwarder(output, {}, nullptr, kArticleEnd);
            return LV_NOT_PRESENT;
        }
        const StyleRecord record = styleRecord(style);
        if (articleOutputForwarder(output, runToUtf16(style, segment), &record, static_cast<int>(style)) ==
            LV_STOPPED)
            return LV_STOPPED;
    }
    articleOutputForwarder(output, {}, nullptr, kArticleEnd);
    return LV_OK;
}

int CompiledDictionary::binaryItem(std::u16string_view reference, std::uint8_t* bytes, std::size_t capacity,
                                   std::uint32_t& size)
{
    size = 0;
    // An element that is not an opening tag names no item.
    if (reference.empty() || reference[0] != u'<' || (reference.size() > 1 && reference[1] == u'/'))
        return LV_NOT_PRESENT;
    std::size_t i = 1;
    while (i < reference.size() && i <= 16 && reference[i] != u' ')
        ++i;
    const std::size_t id = reference.find(u"ID=", i);
    if (id == std::u16string_view::npos)
        return LV_NOT_PRESENT;
    std::size_t j = id + 3;
    if (j < reference.size() && reference[j] == u'"')
        ++j;
    if (reference.size() - j < 8)
        return LV_BAD_REFERENCE;
    std::uint32_t number = 0;
    for (std::size_t k = 4; k < 8; ++k) {
        const int digit = hexadecimalDigit(reference[j + k]);
        if (digit < 0)
            return LV_BAD_REFERENCE;
        number = number * 16 + static_cast<std::uint32_t>(digit);
    }
    if (reference.substr(j, 4) != u"IMG-")
        return LV_NOT_PRESENT;

    // The first "META" entry of the key, across the ids.
    char indexType[4] = {};
    char dataType[4] = {};
    std::uint32_t count = 0;
    bool found = false;
    for (std::uint16_t metaId = 0; !found && m_container.contains("META", metaId); ++metaId) {
        ResourceBlock meta;
        const int status = m_container.load(meta, "META", metaId);
        if (status != LV_OK)
            return status;
        for (std::size_t at = 0; at + 16 <= meta.size(); at += 16) {
            if (std::memcmp(meta.data() + at, "IMG-", 4) != 0)
                continue;
            std::memcpy(indexType, meta.data() + at + 4, 4);
            std::memcpy(dataType, meta.data() + at + 8, 4);
            count = bytes::readBigEndian32(meta.data() + at + 12);
            found = true;
            break;
        }
    }
    if (!found || number == 0 || number > count)
        return LV_NOT_PRESENT;

    const ResourceType index(indexType[0], indexType[1], indexType[2], indexType[3]);
    const ResourceType data(dataType[0], dataType[1], dataType[2], dataType[3]);
    std::uint32_t skip = number - 1;
    std::uint16_t dataId = 0;
    std::uint32_t offset = 0;
    bool located = false;
    for (std::uint16_t indexId = 0; !located && m_container.contains(index, indexId); ++indexId) {
        ResourceBlock block;
        const int status = m_container.load(block, index, indexId);
        if (status != LV_OK)
            return status;
        const std::uint32_t entries = block.size() / 8;
        if (skip >= entries) {
            skip -= entries;
            continue;
        }
        const std::uint8_t* entry = block.data() + 8 * skip;
        dataId = bytes::readLittleEndian16(entry);
        offset = bytes::readLittleEndian16(entry + 2);
        size = bytes::readLittleEndian32(entry + 4);
        located = true;
    }
    if (!located)
        return LV_NOT_PRESENT;

    // The size is the index's word: it is answered only when the data
    // resources hold that many bytes from the item's start (and it fits the
    // caller's 32-bit length), so that no caller allocates what a damaged
    // index claims. The walk copies when the buffer is large enough.
    const bool copy = bytes && capacity >= size;
    bool whole = size <= static_cast<std::uint32_t>(std::numeric_limits<std::int32_t>::max());
    std::uint32_t walked = 0;
    while (whole && walked < size) {
        ResourceBlock block;
        if (!m_container.contains(data, dataId) || m_container.load(block, data, dataId) != LV_OK ||
            offset > block.size()) {
            whole = false;
            break;
        }
        const std::uint32_t take = std::min(size - walked, block.size() - offset);
        if (copy)
            std::memcpy(bytes + walked, block.data() + offset, take);
        walked += take;
        offset = 0;
        if (dataId == 0xFFFF && walked < size)
            whole = false;
        ++dataId;
    }
    if (!whole) {
        size = 0;
        return LV_NOT_PRESENT;
    }
    return LV_OK;
}

} // namespace lexvane::engine
