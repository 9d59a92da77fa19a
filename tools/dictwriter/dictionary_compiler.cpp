// dictionary_compiler.cpp: two passes over the source: symbol statistics for
// every style's prefix code, then the streams, the quick-access points and
// the tables.
#include "dictionary_compiler.h"
#include "word_list_writer.h"
#include "byte_output.h"

#include "compiled/text_conversion.h"

#include <algorithm>
#include <cctype>
#include <memory>

namespace lexvane::tools {

namespace {

std::u16string utf8ToUtf16(const std::string& text)
{
    std::u16string out;
    engine::appendUtf8AsUtf16(text, out);
    return out;
}

constexpr std::size_t kReservedStyles = 3;
constexpr std::size_t kMaximumShared = 254; // the shared count is stored plus one in a byte
const std::string kEnd(1, '\0');
const std::string kLengthFlag(1, '\x01');

void putCode(std::vector<std::uint8_t>& out, const std::string& code)
{
    for (std::size_t i = 0; i < 4; ++i)
        out.push_back(i < code.size() ? static_cast<std::uint8_t>(code[i]) : 0);
}

std::uint8_t bitsFor(std::uint64_t count)
{
    std::uint8_t bits = 1;
    while (bits < 32 && (std::uint64_t{1} << bits) < count)
        ++bits;
    return bits;
}

std::size_t sharedPrefix(const std::string& a, const std::string& b)
{
    std::size_t n = 0;
    while (n < a.size() && n < b.size() && n < kMaximumShared && a[n] == b[n])
        ++n;
    return n;
}

// Front-coded headwords of one list: a shared-count symbol and the rest.
struct FrontCoder {
    PrefixCode shared;
    PrefixCode characters;

    static std::string sharedSymbol(std::size_t count) { return std::string(1, static_cast<char>(count + 1)) + kEnd; }

    void count(const std::string& word, std::size_t kept, bool flagged)
    {
        shared.count(sharedSymbol(kept));
        for (std::size_t i = kept; i < word.size(); ++i)
            characters.count(std::string(1, word[i]));
        if (flagged)
            characters.count(kLengthFlag);
        characters.count(kEnd);
    }
    void encode(const std::string& word, std::size_t kept, bool flagged, BitWriter& out) const
    {
        shared.encode(sharedSymbol(kept), out);
        for (std::size_t i = kept; i < word.size(); ++i)
            characters.encode(std::string(1, word[i]), out);
        if (flagged)
            characters.encode(kLengthFlag, out);
        characters.encode(kEnd, out);
    }
};

bool addStream(PrcWriter& out, const char* type, const BitWriter& stream, std::string& error)
{
    const auto blocks = stream.blocks();
    for (std::size_t id = 0; id < blocks.size(); ++id) {
        if (id > 0xFFFF || !out.add(type, static_cast<std::uint16_t>(id), blocks[id])) {
            error = std::string("stream ") + type + " too long";
            return false;
        }
    }
    return true;
}

bool addResource(PrcWriter& out, const char* type, std::uint16_t id, std::vector<std::uint8_t> body,
                 std::string& error)
{
    if (!out.add(type, id, std::move(body))) {
        error = std::string("resource ") + type + " " + std::to_string(id) + " too large";
        return false;
    }
    return true;
}

} // namespace

bool compileDictionary(const DictionarySource& source, const CompileOptions& options, PrcWriter& out,
                       std::string& error)
{
    const std::size_t styleCount = kReservedStyles + source.styles.size();
    if (styleCount > 255) {
        error = "too many styles";
        return false;
    }
    if (options.quickAccessInterval < 1) {
        error = "quick-access interval below 1";
        return false;
    }
    const bool twoStreams = source.version >= 615;
    const std::int32_t entryCount = static_cast<std::int32_t>(source.entries.size());
    const std::uint8_t referenceBits =
        options.entryReferenceBits
            ? options.entryReferenceBits
            : bitsFor(static_cast<std::uint64_t>(std::max(entryCount, options.companionEntryCount)));

    std::vector<StyleDefinition> styles(kReservedStyles);
    styles.insert(styles.end(), source.styles.begin(), source.styles.end());
    std::vector<PrefixCode> codes(styleCount);
    auto isPrefix = [&](std::size_t style) { return styles[style].method != 0 && styles[style].method != 1; };

    for (const SourceEntry& entry : source.entries)
        for (const SourceRun& run : entry.article)
            if (run.style < kReservedStyles || run.style >= styleCount) {
                error = "run style " + std::to_string(run.style) + " out of range";
                return false;
            }

    // Pass 1: statistics.
    FrontCoder headwordCoder;
    std::string previous;
    for (std::int32_t i = 0; i < entryCount; ++i) {
        const SourceEntry& entry = source.entries[static_cast<std::size_t>(i)];
        const std::size_t kept = i % options.quickAccessInterval == 0 ? 0 : sharedPrefix(previous, entry.headword);
        headwordCoder.count(entry.headword, kept, options.articleLengthBits > 0);
        for (const SourceRun& run : entry.article) {
            codes[2].count(std::string(1, static_cast<char>(run.style)));
            if (isPrefix(run.style)) {
                for (char c : run.text)
                    codes[run.style].count(std::string(1, c));
                codes[run.style].count(kEnd);
            }
        }
        codes[2].count(kEnd);
        previous = entry.headword;
    }
    headwordCoder.shared.count(FrontCoder::sharedSymbol(0));
    headwordCoder.characters.count(kEnd);
    headwordCoder.shared.build();
    headwordCoder.characters.build();
    codes[2].count(kEnd);
    for (std::size_t style = 2; style < styleCount; ++style) {
        if (isPrefix(style)) {
            codes[style].count(kEnd);
            codes[style].build();
        }
    }

    // Pass 2: the streams.
    BitWriter articles;
    BitWriter headwords;
    BitWriter& words = twoStreams ? headwords : articles;
    std::vector<std::uint8_t> quickAccess;
    std::uint32_t pointCount = 0;
    previous.clear();
    for (std::int32_t i = 0; i < entryCount; ++i) {
        const SourceEntry& entry = source.entries[static_cast<std::size_t>(i)];
        const bool point = i % options.quickAccessInterval == 0;
        if (point) {
            ++pointCount;
            putBigEndian32(quickAccess, static_cast<std::uint32_t>(i));
            putBigEndian32(quickAccess, static_cast<std::uint32_t>(articles.size()));
            if (twoStreams || source.utf8Words)
                putBigEndian32(quickAccess, static_cast<std::uint32_t>(twoStreams ? headwords.size() : 0));
            if (source.utf8Words) {
                const std::u16string wide = utf8ToUtf16(entry.headword);
                for (std::size_t k = 0; k < 8; ++k)
                    putBigEndian16(quickAccess, k < wide.size() ? wide[k] : 0);
            } else {
                for (std::size_t k = 0; k < 8; ++k)
                    quickAccess.push_back(k < entry.headword.size() ? static_cast<std::uint8_t>(entry.headword[k]) : 0);
            }
        }

        BitWriter sequence;
        BitWriter runs;
        for (const SourceRun& run : entry.article) {
            codes[2].encode(std::string(1, static_cast<char>(run.style)), sequence);
            const StyleDefinition& style = styles[run.style];
            if (isPrefix(run.style)) {
                for (char c : run.text)
                    codes[run.style].encode(std::string(1, c), runs);
                codes[run.style].encode(kEnd, runs);
            } else if (style.method == 0 && (style.generatedKind == 1 || style.generatedKind == 2)) {
                runs.write(run.reference, referenceBits);
            }
        }
        codes[2].encode(kEnd, sequence);
        BitWriter body;
        body.append(sequence);
        if (options.longArticleThreshold != 0 && entry.article.size() >= options.longArticleThreshold)
            body.write(static_cast<std::uint32_t>(runs.size()), static_cast<int>(options.longArticleLengthBits));
        body.append(runs);

        const bool flagged = options.articleLengthBits > 0 &&
                             (options.articleLengthBits >= 32 || body.size() < (std::uint64_t{1} << options.articleLengthBits));
        const std::size_t kept = point ? 0 : sharedPrefix(previous, entry.headword);
        headwordCoder.encode(entry.headword, kept, flagged, words);
        if (flagged)
            articles.write(static_cast<std::uint32_t>(body.size()), options.articleLengthBits);
        articles.append(body);
        previous = entry.headword;
    }

    // Header.
    std::vector<std::uint8_t> head;
    putBigEndian32(head, source.version);
    putBigEndian32(head, static_cast<std::uint32_t>(entryCount));
    putCode(head, source.sourceLanguage);
    putCode(head, source.targetLanguage);
    putCode(head, source.companionId);
    head.resize(28, 0);
    putCode(head, source.id);
    head.resize(40, 0);
    head.push_back(referenceBits);
    head.push_back(options.articleLengthBits);
    head.push_back(0);
    head.push_back(static_cast<std::uint8_t>(styleCount));
    putField(head, source.item9, 64);
    putField(head, source.item10, 64);
    putField(head, source.title, 64);
    putField(head, source.item3, 32);
    putBigEndian32(head, options.longArticleThreshold);
    putBigEndian32(head, options.longArticleLengthBits);
    putField(head, source.item4, 32);
    head.resize(310, 0);
    head.push_back(source.utf8Words ? 1 : 0);
    head.push_back(options.alternativeCountBits);
    putLittleEndian32(head, static_cast<std::uint32_t>(source.alternative.size()));
    head.push_back(source.alternative.empty() ? 0 : 1);
    head.resize(320, 0);
    head[319] = options.fuzzyWordList ? 1 : 0;
    if (source.longHeader) {
        // Item 0 fills its 64 bytes at 320 (without a terminator when it is
        // longer) and goes on at 544.
        for (std::size_t i = 0; i < 64; ++i)
            head.push_back(i < source.item0.size() ? static_cast<std::uint8_t>(source.item0[i]) : 0);
        putField(head, source.item5, 64);
        putField(head, source.item7, 32);
        putField(head, source.item8, 32);
        putField(head, source.item6, 32);
        putField(head, source.item0.size() > 64 ? source.item0.substr(64) : std::string(), 64);
    }

    std::vector<std::uint8_t> quickAccessResource;
    putBigEndian32(quickAccessResource, pointCount);
    quickAccessResource.insert(quickAccessResource.end(), quickAccess.begin(), quickAccess.end());

    // Alphabet: every headword character that is not ASCII punctuation.
    std::vector<std::uint8_t> alphabet(source.utf8Words ? 8192 : 256, 0);
    for (const SourceEntry& entry : source.entries) {
        if (source.utf8Words) {
            for (char16_t c : utf8ToUtf16(entry.headword))
                if (c >= 0x80 || (c < 0x80 && std::isalnum(static_cast<unsigned char>(c))))
                    alphabet[c / 8] |= static_cast<std::uint8_t>(1u << (c % 8));
        } else {
            for (char c : entry.headword) {
                const auto b = static_cast<std::uint8_t>(c);
                if (b >= 0x80 || std::isalnum(b))
                    alphabet[b] = 1;
            }
        }
    }

    if (!addResource(out, "HEAD", 0, head, error) || !addResource(out, "QIDX", 0, quickAccessResource, error) ||
        !addResource(out, "SYMB", 0, alphabet, error) || !addResource(out, "COMP", 0, source.sortTable, error))
        return false;
    if (!source.secondSortTable.empty() && source.utf8Words &&
        !addResource(out, "COMP", 1, source.secondSortTable, error))
        return false;
    for (std::size_t k = 0; k < source.codePages.size() && k < 3; ++k)
        if (!source.codePages[k].empty() &&
            !addResource(out, "UNIC", static_cast<std::uint16_t>(k), source.codePages[k], error))
            return false;

    // Models: styles 0 and 1 are the headword coder's.
    std::vector<std::vector<std::uint8_t>> fastTables(styleCount);
    for (std::size_t style = 0; style < styleCount; ++style) {
        PrefixCode& code = style == 0 ? headwordCoder.characters : style == 1 ? headwordCoder.shared : codes[style];
        std::vector<std::uint8_t> tree = code.treeResource(styles[style]);
        if (options.fastTables && isPrefix(style) && !code.empty())
            fastTables[style] = code.fastTableResource();
        if (!addResource(out, "TREE", static_cast<std::uint16_t>(style), std::move(tree), error))
            return false;
    }
    for (std::size_t style = 0; style < styleCount; ++style)
        if (!fastTables[style].empty() &&
            !addResource(out, "Tfst", static_cast<std::uint16_t>(style), std::move(fastTables[style]), error))
            return false;
    for (std::size_t k = 0; k < source.specialEntries.size(); ++k) {
        std::vector<std::uint8_t> text(source.specialEntries[k].begin(), source.specialEntries[k].end());
        text.push_back(0);
        if (!addResource(out, "INFO", static_cast<std::uint16_t>(k), std::move(text), error))
            return false;
    }
    for (std::size_t k = 0; k < source.localised.size(); ++k) {
        // All eleven items, empty ones zero.
        std::vector<std::uint8_t> body;
        putCode(body, source.localised[k].language);
        body.resize(4 + 128 * 11, 0);
        for (const auto& [item, text] : source.localised[k].items) {
            const std::size_t start = 4 + 128 * static_cast<std::size_t>(item);
            if (body.size() < start + 128)
                body.resize(start + 128, 0);
            for (std::size_t u = 0; u < text.size() && u < 63; ++u) {
                body[start + 2 * u] = static_cast<std::uint8_t>(text[u]);
                body[start + 2 * u + 1] = static_cast<std::uint8_t>(text[u] >> 8);
            }
        }
        if (!addResource(out, "LANG", static_cast<std::uint16_t>(k), std::move(body), error))
            return false;
    }
    if (!source.images.empty()) {
        // One key, "IMG-"; the index entries ("Iidx") name where each item
        // starts in the data resources ("Idat"), which it may run across.
        constexpr std::size_t kDataBlock = 32768;
        constexpr std::size_t kIndexEntries = 4096;
        std::vector<std::uint8_t> meta;
        putCode(meta, "IMG-");
        putCode(meta, "Iidx");
        putCode(meta, "Idat");
        putBigEndian32(meta, static_cast<std::uint32_t>(source.images.size()));
        std::vector<std::vector<std::uint8_t>> index(1);
        std::vector<std::vector<std::uint8_t>> data(1);
        for (const std::vector<std::uint8_t>& image : source.images) {
            if (data.back().size() == kDataBlock)
                data.emplace_back();
            if (index.back().size() == 8 * kIndexEntries)
                index.emplace_back();
            putLittleEndian16(index.back(), static_cast<std::uint16_t>(data.size() - 1));
            putLittleEndian16(index.back(), static_cast<std::uint16_t>(data.back().size()));
            putLittleEndian32(index.back(), static_cast<std::uint32_t>(image.size()));
            for (std::uint8_t byte : image) {
                if (data.back().size() == kDataBlock)
                    data.emplace_back();
                data.back().push_back(byte);
            }
        }
        if (!addResource(out, "META", 0, std::move(meta), error))
            return false;
        for (std::size_t k = 0; k < index.size(); ++k)
            if (!addResource(out, "Iidx", static_cast<std::uint16_t>(k), std::move(index[k]), error))
                return false;
        for (std::size_t k = 0; k < data.size(); ++k)
            if (!addResource(out, "Idat", static_cast<std::uint16_t>(k), std::move(data[k]), error))
                return false;
    }
    if (!addStream(out, "ARRY", articles, error))
        return false;
    if (twoStreams && !addStream(out, "HWRD", headwords, error))
        return false;

    if (!source.alternative.empty()) {
        FrontCoder alternativeCoder;
        previous.clear();
        for (std::size_t i = 0; i < source.alternative.size(); ++i) {
            const std::string& word = source.alternative[i].headword;
            const std::size_t kept =
                i % static_cast<std::size_t>(options.quickAccessInterval) == 0 ? 0 : sharedPrefix(previous, word);
            alternativeCoder.count(word, kept, false);
            previous = word;
        }
        alternativeCoder.shared.build();
        alternativeCoder.characters.build();
        BitWriter altWords;
        BitWriter counts;
        BitWriter values;
        std::vector<std::uint8_t> index;
        std::uint32_t altPoints = 0;
        std::uint32_t base = 0;
        previous.clear();
        for (std::size_t i = 0; i < source.alternative.size(); ++i) {
            const AlternativeSourceEntry& entry = source.alternative[i];
            const bool point = i % static_cast<std::size_t>(options.quickAccessInterval) == 0;
            if (point) {
                ++altPoints;
                putLittleEndian32(index, static_cast<std::uint32_t>(i));
                putLittleEndian32(index, base);
                putLittleEndian32(index, static_cast<std::uint32_t>(altWords.size()));
                const std::u16string wide = utf8ToUtf16(entry.headword);
                for (std::size_t k = 0; k < 8; ++k)
                    putLittleEndian16(index, k < wide.size() ? wide[k] : 0);
            }
            const std::size_t kept = point ? 0 : sharedPrefix(previous, entry.headword);
            alternativeCoder.encode(entry.headword, kept, false, altWords);
            counts.write(static_cast<std::uint32_t>(entry.articles.size()), options.alternativeCountBits);
            for (std::uint32_t article : entry.articles)
                values.write(article, referenceBits);
            base += static_cast<std::uint32_t>(entry.articles.size());
            previous = entry.headword;
        }
        std::vector<std::uint8_t> indexResource;
        putLittleEndian32(indexResource, altPoints);
        indexResource.insert(indexResource.end(), index.begin(), index.end());
        const StyleDefinition plain;
        if (!addResource(out, "Iqat", 0, indexResource, error) ||
            !addResource(out, "Ittr", 0, alternativeCoder.characters.treeResource(plain), error) ||
            !addResource(out, "Isht", 0, alternativeCoder.shared.treeResource(plain), error) ||
            !addStream(out, "Icka", altWords, error) || !addStream(out, "Icnt", counts, error) ||
            !addStream(out, "Ival", values, error))
            return false;
    }

    if (options.fuzzyWordList) {
        std::optional<std::vector<std::uint8_t>> list;
        if (source.utf8Words) {
            std::vector<std::u16string> words;
            for (const SourceEntry& entry : source.entries)
                words.push_back(utf8ToUtf16(entry.headword));
            list = frontCodeWords16(words);
        } else {
            std::vector<std::string> words;
            for (const SourceEntry& entry : source.entries)
                words.push_back(entry.headword);
            list = frontCodeWords8(words);
        }
        if (!list || !addWordListResources(out, deflateRaw(*list), options.fuzzyWordListChunkSize)) {
            error = "the fuzzy word list cannot be written";
            return false;
        }
    }
    return true;
}

} // namespace lexvane::tools
