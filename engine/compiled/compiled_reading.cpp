// compiled_reading.cpp: decoding entries and articles, stepping, random
// access and finding words in a compiled dictionary.
//
// See docs/formats/compiled-dictionary.md for the stream layout these
// functions read: front-coded headwords, article lengths in bits, style
// sequences one byte per run.
#include "compiled/compiled_dictionary.h"

#include "collation/word_comparison.h"
#include "lexvane_engine.h"
#include "output/article_output.h"

namespace lexvane::engine {

namespace {

// Modes that need the article stream of a two-stream dictionary.
bool needsArticle(int mode)
{
    return mode == kReadWithArticle || mode == kSkipArticle;
}

std::string romanNumber(std::uint32_t value)
{
    std::string text(value / 10, 'X');
    static const char* const kUnits[] = {"", "I", "II", "III", "IV", "V", "VI", "VII", "VIII", "IX"};
    text += kUnits[value % 10];
    return text;
}

} // namespace

void CompiledDictionary::desynchronise()
{
    m_synchronised = false;
    m_current = -1;
    m_articleEntry = 0;
    m_entryStart = EntryStart{};
    m_word8.clear();
    m_word16.clear();
}

std::u16string CompiledDictionary::wordToUtf16(std::string_view stored) const
{
    std::u16string word;
    appendWordAsUtf16(stored, word);
    return word;
}

void CompiledDictionary::appendWordAsUtf16(std::string_view stored, std::u16string& word) const
{
    if (m_header.utf8Words)
        appendUtf8AsUtf16(stored, word);
    else
        m_codePages[0].widen(stored, word);
}

std::string CompiledDictionary::wordFromUtf16(std::u16string_view word) const
{
    std::string stored;
    if (m_header.utf8Words) {
        appendUtf16AsUtf8(word, stored);
        return stored;
    }
    for (char16_t c : word) {
        char narrow = '?';
        for (int b = 0; b < 256; ++b) {
            if (m_codePages[0].unit(static_cast<std::uint8_t>(b)) == c) {
                narrow = static_cast<char>(b);
                break;
            }
        }
        stored.push_back(narrow);
    }
    return stored;
}

int CompiledDictionary::compareWords(std::u16string_view a, std::u16string_view b) const
{
    return compare(a, b, sortTable(0));
}

// ---------------------------------------------------------------- runs

int CompiledDictionary::decodePrefixRun(const TextModel& model, BitStream& stream, std::string& run,
                                        std::size_t capacity)
{
    for (;;) {
        std::span<const std::uint8_t> text;
        const int status = model.nextSymbol(stream, text);
        if (status != LV_OK)
            return status;
        const bool last = !text.empty() && text.back() == 0;
        if (last)
            text = text.first(text.size() - 1);
        if (run.size() + text.size() >= capacity)
            return LV_NOT_PRESENT;
        run.append(reinterpret_cast<const char*>(text.data()), text.size());
        if (last)
            return LV_OK;
    }
}

int CompiledDictionary::referencedHeadword(CompiledDictionary& source, std::uint32_t entry, std::string& word)
{
    if (entry >= static_cast<std::uint32_t>(source.m_header.entryCount))
        return LV_NOT_PRESENT;
    // The article being decoded goes on where it stopped: both streams, the
    // indexes and the headword come back after the nested read.
    ReadingPosition saved;
    source.savePosition(saved);
    const EntryStart start = source.m_entryStart;
    const int status = source.readMainEntry(static_cast<std::int32_t>(entry), kReadHeadword);
    if (status == LV_OK)
        word = source.m_word8;
    source.restorePosition(saved);
    source.m_entryStart = start;
    return status;
}

int CompiledDictionary::generateText(const TextModel& model, BitStream& stream, bool output, std::string& run)
{
    const std::uint8_t kind = model.style().generatedKind;
    std::string text;
    if (kind == 1 || kind == 2) {
        std::uint32_t entry = 0;
        int status = stream.read(m_header.entryReferenceBits, entry);
        if (status != LV_OK)
            return status;
        if (kind == 1 && entry >= static_cast<std::uint32_t>(m_header.entryCount))
            return LV_NOT_PRESENT;
        if (!output)
            return LV_OK;
        // A reference to the companion needs the companion.
        CompiledDictionary* source = kind == 1 ? this : m_companion;
        if (!source)
            return LV_NOT_PRESENT;
        status = referencedHeadword(*source, entry, text);
        if (status != LV_OK)
            return status;
    } else if (!output) {
        return LV_OK;
    } else if (kind == 3) {
        text = m_word8;
    } else if (kind == 4) {
        ++m_upperCounter;
        m_middleCounter = 0;
        m_lowerCounter = 0;
        text = romanNumber(m_upperCounter);
    } else if (kind == 5) {
        m_middleCounter = (m_middleCounter + 1) % 10000;
        m_lowerCounter = 0;
        text = std::to_string(m_middleCounter);
    } else if (kind == 6) {
        if (m_lowerCounter <= 25)
            text.push_back(static_cast<char>('a' + m_lowerCounter++));
    }
    if (run.size() + text.size() >= kRunCapacity)
        return LV_NOT_PRESENT;
    run += text;
    return LV_OK;
}

int CompiledDictionary::decodeRun(std::size_t style, BitStream& stream, bool output, std::string& run)
{
    if (style >= m_models.size())
        return LV_NOT_PRESENT;
    const TextModel& model = m_models[style];
    if (model.isGenerated())
        return generateText(model, stream, output, run);
    if (model.isConstant()) {
        const std::span<const std::uint8_t> body = model.body();
        std::size_t length = 0;
        while (length < body.size() && body[length] != 0)
            ++length;
        if (length >= kRunCapacity)
            return LV_NOT_PRESENT;
        run.append(reinterpret_cast<const char*>(body.data()), length);
        return LV_OK;
    }
    return decodePrefixRun(model, stream, run);
}

// ---------------------------------------------------------------- entries

int CompiledDictionary::decodeHeadword(BitStream& stream, const TextModel& sharedModel,
                                       const TextModel& characterModel, const std::string& previous,
                                       std::string& word)
{
    std::string shared;
    int status = sharedModel.isGenerated() || sharedModel.isConstant() ? LV_NOT_PRESENT
                                                                       : decodePrefixRun(sharedModel, stream, shared);
    if (status != LV_OK)
        return status;
    // The first byte is the number of characters kept, plus one.
    if (shared.empty() || static_cast<std::uint8_t>(shared[0]) == 0)
        return LV_NOT_PRESENT;
    const std::size_t kept = static_cast<std::uint8_t>(shared[0]) - 1u;
    if (kept > previous.size())
        return LV_NOT_PRESENT;
    word.assign(previous, 0, kept);
    // The rest goes straight after the kept prefix; the word's capacity is
    // the tighter of the two limits (a run of its own could be longer).
    static_assert(kWordCapacity <= kRunCapacity);
    return characterModel.isGenerated() || characterModel.isConstant()
               ? LV_NOT_PRESENT
               : decodePrefixRun(characterModel, stream, word, kWordCapacity);
}

StyleRecord CompiledDictionary::styleRecord(std::size_t style) const
{
    const StyleHeader& header = m_models[style].style();
    StyleRecord record{};
    record.number = static_cast<std::int32_t>(style);
    record.color = header.colour;
    record.language = static_cast<std::int8_t>(header.language);
    record.bold = static_cast<std::int8_t>(header.bold);
    record.italic = static_cast<std::int8_t>(header.italic);
    record.underline = static_cast<std::int8_t>(header.underline);
    record.fontSize = static_cast<std::int8_t>(header.level != 0 ? 2 : header.fontSize);
    record.level = static_cast<std::int8_t>(header.level);
    record.secondColor = 0xFFFFFFFF;
    return record;
}

std::u16string CompiledDictionary::runToUtf16(std::size_t style, const std::string& text) const
{
    std::u16string wide;
    if (m_header.utf8Words) {
        appendUtf8AsUtf16(text, wide);
    } else {
        // Without the style's table the bytes are widened as they stand
        // (the warning 1537 is not a failure and is not reported).
        const std::uint8_t language = m_models[style].style().language;
        m_codePages[language < m_codePages.size() ? language : 0].widen(text, wide);
    }
    return wide;
}

int CompiledDictionary::sendRun(std::size_t style, const std::string& run)
{
    if (m_stopped || !m_output)
        return LV_OK;
    const StyleHeader& header = m_models[style].style();
    const std::u16string wide = runToUtf16(style, header.front + run + header.after);
    const StyleRecord record = styleRecord(style);
    if (articleOutputForwarder(*m_output, wide, &record, static_cast<int>(style)) == LV_STOPPED)
        m_stopped = true;
    return LV_OK;
}

int CompiledDictionary::decodeArticle(int mode)
{
    if (m_depth >= kMaximumNesting)
        return LV_NESTED_TOO_DEEPLY;
    const bool output = mode == kReadWithArticle;
    m_stopped = false;
    if (output) {
        m_upperCounter = 0;
        m_middleCounter = 0;
        m_lowerCounter = 0;
        if (m_output && articleOutputForwarder(*m_output, {}, nullptr, kArticleStart) == LV_STOPPED)
            m_stopped = true;
    }
    ++m_depth;
    struct DepthGuard {
        int& depth;
        ~DepthGuard() { --depth; }
    } depthGuard{m_depth};

    std::string sequence;
    int status = decodeRun(2, m_articles, false, sequence);
    if (status != LV_OK)
        return status;
    if (m_header.longArticleThreshold != 0 && sequence.size() >= m_header.longArticleThreshold) {
        std::uint32_t length = 0;
        status = m_articles.read(static_cast<int>(m_header.longArticleLengthBits), length);
        if (status != LV_OK)
            return status;
        if (!output)
            return m_articles.skip(length);
    }
    for (char c : sequence) {
        const std::size_t style = static_cast<std::uint8_t>(c);
        if (style < 3 || style >= m_models.size())
            return LV_NOT_PRESENT;
        std::string run;
        status = decodeRun(style, m_articles, output && !m_stopped, run);
        if (status != LV_OK)
            return status;
        if (output)
            sendRun(style, run);
    }
    if (output && !m_stopped && m_output)
        articleOutputForwarder(*m_output, {}, nullptr, kArticleEnd);
    return LV_OK;
}

int CompiledDictionary::decodeNext(int mode)
{
    const std::int32_t entry = m_current + 1;
    if (entry >= m_header.entryCount)
        return LV_OUT_OF_RANGE;
    const bool twoStreams = separateHeadwords();
    BitStream& words = headwordStream();
    const std::uint64_t headwordPosition = words.tell();
    const bool articleValid = !twoStreams || m_articleEntry == entry;
    const std::uint64_t articlePosition = m_articles.tell();

    // Stepping decodes every headword in turn: the three words (the one
    // before, the current one, the one being decoded) trade their storage
    // instead of being copied.
    std::string& word = m_nextWord8;
    int status = decodeHeadword(words, m_models[1], m_models[0], m_word8, word);
    if (status != LV_OK) {
        desynchronise();
        return status;
    }
    bool hasLength = !word.empty() && word.back() == '\x01';
    if (hasLength)
        word.pop_back();
    m_entryStart.valid = true;
    m_entryStart.headwordPosition = headwordPosition;
    m_entryStart.articleValid = articleValid;
    m_entryStart.articlePosition = articlePosition;
    m_entryStart.previousWord.swap(m_word8);
    m_word8.swap(word);
    m_word16.clear();
    appendWordAsUtf16(m_word8, m_word16);
    m_current = entry;

    if (twoStreams && !needsArticle(mode))
        return LV_OK;
    if (twoStreams && m_articleEntry != entry) {
        // The caller positions the article stream before asking for it.
        desynchronise();
        return LV_BAD_ARGUMENT;
    }

    std::uint64_t end = 0;
    if (hasLength) {
        std::uint32_t length = 0;
        status = m_articles.read(m_header.articleLengthBits, length);
        if (status == LV_OK && mode != kReadWithArticle)
            status = m_articles.skip(length);
        end = m_articles.tell() + (mode == kReadWithArticle ? length : 0);
    }
    if (status == LV_OK && (!hasLength || mode == kReadWithArticle))
        status = decodeArticle(mode);
    // A length that disagrees with the article is damage; reading on would
    // decode garbage as the next entry.
    if (status == LV_OK && hasLength && m_articles.tell() != end)
        status = LV_NOT_PRESENT;
    if (status != LV_OK) {
        desynchronise();
        return status;
    }
    m_articleEntry = entry + 1;
    return m_stopped && mode == kReadWithArticle ? LV_STOPPED : LV_OK;
}

int CompiledDictionary::seekToPoint(std::int32_t point)
{
    desynchronise();
    std::uint64_t articlePosition = 0;
    std::uint64_t headwordPosition = 0;
    std::int32_t entry = 0;
    if (point >= 0) {
        const QuickAccessPoint& p = m_quickAccess[static_cast<std::size_t>(point)];
        articlePosition = p.articlePosition;
        headwordPosition = p.headwordPosition;
        entry = p.entry;
    }
    int status = m_articles.seek(articlePosition);
    if (status == LV_OK && separateHeadwords())
        status = m_headwords.seek(headwordPosition);
    if (status != LV_OK)
        return status;
    // A point's entry shares nothing with an earlier headword.
    m_current = entry - 1;
    m_articleEntry = entry;
    m_synchronised = true;
    return LV_OK;
}

int CompiledDictionary::readMainEntry(std::int32_t index, int mode)
{
    if (index < 0 || index >= m_header.entryCount)
        return LV_OUT_OF_RANGE;
    const bool twoStreams = separateHeadwords();
    if (m_synchronised && index == m_current) {
        if (mode == kReadHeadword || mode == kReadForStepping || mode == kReadMainForStepping)
            return LV_OK;
        if (m_entryStart.valid && (m_entryStart.articleValid || !needsArticle(mode))) {
            EntryStart start = m_entryStart;
            int status = headwordStream().seek(start.headwordPosition);
            if (status == LV_OK && start.articleValid)
                status = m_articles.seek(start.articlePosition);
            if (status != LV_OK) {
                desynchronise();
                return status;
            }
            m_current = index - 1;
            m_word8 = start.previousWord;
            if (start.articleValid)
                m_articleEntry = index;
            return decodeNext(mode);
        }
    } else if (m_synchronised && index == m_current + 1 &&
               (!twoStreams || !needsArticle(mode) || m_articleEntry == index)) {
        return decodeNext(mode);
    }

    int status = seekToPoint(m_quickAccess.pointAtOrBefore(index));
    if (status != LV_OK)
        return status;
    const int stepMode = mode == kReadWithArticle ? kSkipArticle : mode;
    while (m_current + 1 < index) {
        status = decodeNext(stepMode);
        if (status != LV_OK)
            return status;
    }
    return decodeNext(mode);
}

int CompiledDictionary::readEntry(std::int32_t index, int mode)
{
    if (m_alternativeCurrent && mode != kReadMainForStepping)
        return readAlternative(index, mode);
    return readMainEntry(index, mode);
}

int CompiledDictionary::nextMainEntry(int mode)
{
    return readMainEntry(m_synchronised ? m_current + 1 : 0, mode);
}

int CompiledDictionary::nextEntry(int mode)
{
    if (m_alternativeCurrent && mode != kReadMainForStepping)
        return readAlternative(m_alternative->synchronised ? m_alternative->current + 1 : 0, mode);
    return nextMainEntry(mode);
}

int CompiledDictionary::goToQuickAccessPoint(std::int32_t point, int mode)
{
    if (point & 0x8000)
        return seekToPoint(-1);
    if (point < 0 || point >= quickAccessCount())
        return LV_OUT_OF_RANGE;
    const int status = seekToPoint(point);
    return status != LV_OK ? status : decodeNext(mode);
}

// ---------------------------------------------------------------- finding

int CompiledDictionary::findWord(const char16_t* word)
{
    if (!word) {
        if (m_alternativeCurrent && m_alternative) {
            m_alternative->current = 0;
            m_alternative->synchronised = false;
        } else {
            desynchronise();
            m_current = 0;
        }
        return LV_NULL_ARGUMENT;
    }
    const std::u16string_view target(word);
    if (m_alternativeCurrent)
        return findAlternative(target);
    if (target.empty() || m_header.entryCount == 0)
        return m_header.entryCount == 0 ? LV_OUT_OF_RANGE : readMainEntry(0, kReadHeadword);

    // The last point whose prefix sorts before the word: its entry sorts
    // before the word too, so the first entry not before it lies ahead.
    const std::u16string_view target8 = target.substr(0, 8);
    std::size_t low = 0;
    std::size_t high = m_pointWords16.size();
    while (low < high) {
        const std::size_t middle = (low + high) / 2;
        if (compareWords(m_pointWords16[middle], target8) < 0)
            low = middle + 1;
        else
            high = middle;
    }
    const std::int32_t point = static_cast<std::int32_t>(low) - 1;
    int status = readMainEntry(point < 0 ? 0 : m_quickAccess[static_cast<std::size_t>(point)].entry,
                               kReadForStepping);
    if (status != LV_OK)
        return status;
    while (compareWords(m_word16, target) < 0 && m_current + 1 < m_header.entryCount) {
        status = decodeNext(kReadForStepping);
        if (status != LV_OK)
            return status;
    }
    return LV_OK;
}

int CompiledDictionary::findWord8(const char* word)
{
    if (!word)
        return findWord(nullptr);
    const bool alternative = m_alternativeCurrent;
    m_alternativeCurrent = false;
    const int status = findWord(wordToUtf16(word).c_str());
    m_alternativeCurrent = alternative;
    return status;
}

bool CompiledDictionary::chooseWordList(const char16_t* text)
{
    if (!text || !m_alternative)
        return false;
    const bool japanese = m_header.sourceLanguage == static_cast<std::int32_t>('j' | 'a' << 8 | 'p' << 16 | 'a' << 24);
    const bool chinese = m_header.sourceLanguage == static_cast<std::int32_t>('c' | 'h' << 8 | 'i' << 16 | 'n' << 24);
    if (!japanese && !chinese)
        return false;
    int choice = -1; // 0 main, 1 alternative
    for (const char16_t* p = text; *p && *p != u'\t' && choice < 0; ++p) {
        const char16_t c = *p;
        if (japanese) {
            const bool kana = c >= 0x3042 && c <= 0x30FE;
            const bool letter = (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
            if (kana || letter)
                choice = 0;
            else if (c >= 0x3100 && c <= 0xFAFF)
                choice = 1;
        } else if (c >= 0x3000 && c <= 0xFAFF) {
            choice = 0;
        } else if (sortTable(0) && sortTable(0)->weightOf(c) != SortTable::kIgnored) {
            choice = 1;
        }
    }
    if (choice < 0 || (choice == 1) == m_alternativeCurrent)
        return false;
    m_alternativeCurrent = choice == 1;
    return true;
}

int CompiledDictionary::useAlternativeList(bool alternative)
{
    if (alternative && !m_alternative)
        return LV_NO_ALTERNATIVE_LIST;
    m_alternativeCurrent = alternative;
    return LV_OK;
}

// ---------------------------------------------------------------- queries

int CompiledDictionary::quickAccessWord8(std::int32_t point, const char** word) const
{
    if (m_header.utf8Words)
        return LV_NARROW_ON_UTF8;
    if (point < 0 || point >= quickAccessCount())
        return LV_OUT_OF_RANGE;
    if (word)
        *word = m_quickAccess[static_cast<std::size_t>(point)].prefix8.c_str();
    return LV_OK;
}

int CompiledDictionary::quickAccessWord16(std::int32_t point, const char16_t** word) const
{
    if (point < 0 || point >= quickAccessCount())
        return LV_OUT_OF_RANGE;
    if (word)
        *word = m_pointWords16[static_cast<std::size_t>(point)].c_str();
    return LV_OK;
}

std::int32_t CompiledDictionary::quickAccessEntryIndex(std::int32_t point) const
{
    if (point < 0 || point >= quickAccessCount())
        return -1;
    return m_quickAccess[static_cast<std::size_t>(point)].entry;
}

const char* CompiledDictionary::currentWord8() const
{
    return m_alternativeCurrent ? m_alternative->word8.c_str() : m_word8.c_str();
}

const char16_t* CompiledDictionary::currentWord16() const
{
    return m_alternativeCurrent ? m_alternative->word16.c_str() : m_word16.c_str();
}

std::int32_t CompiledDictionary::currentIndex() const
{
    return m_alternativeCurrent ? m_alternative->current : m_current;
}

std::int32_t CompiledDictionary::count() const
{
    return m_alternativeCurrent ? m_header.alternativeEntryCount : m_header.entryCount;
}

int CompiledDictionary::setCurrentIndex(std::int32_t index)
{
    // The streams are not moved: the next read finds its way from a
    // quick-access point.
    if (m_alternativeCurrent) {
        m_alternative->synchronised = false;
        m_alternative->current = index;
    } else {
        desynchronise();
        m_current = index;
    }
    return LV_OK;
}

int CompiledDictionary::savePosition(ReadingPosition& position) const
{
    position.articlePosition = m_articles.tell();
    position.headwordPosition = m_headwords.tell();
    position.current = m_current;
    position.articleEntry = m_articleEntry;
    position.synchronised = m_synchronised;
    position.headword = m_word8;
    if (m_alternative) {
        position.alternativeHeadwordPosition = m_alternative->headwords.tell();
        position.alternativeCurrent = m_alternative->current;
        position.alternativeArticleBase = m_alternative->articleBase;
        position.alternativeSynchronised = m_alternative->synchronised;
        position.alternativeHeadword = m_alternative->word8;
    }
    return LV_OK;
}

int CompiledDictionary::restorePosition(const ReadingPosition& position)
{
    m_entryStart = EntryStart{};
    m_current = position.current;
    m_articleEntry = position.articleEntry;
    m_word8 = position.headword;
    m_word16 = wordToUtf16(m_word8);
    m_synchronised = position.synchronised && m_articles.seek(position.articlePosition) == LV_OK &&
                     (!separateHeadwords() || m_headwords.seek(position.headwordPosition) == LV_OK);
    if (m_alternative) {
        m_alternative->current = position.alternativeCurrent;
        m_alternative->articleBase = position.alternativeArticleBase;
        m_alternative->word8 = position.alternativeHeadword;
        m_alternative->word16.clear();
        appendUtf8AsUtf16(m_alternative->word8, m_alternative->word16);
        m_alternative->synchronised =
            position.alternativeSynchronised &&
            m_alternative->headwords.seek(position.alternativeHeadwordPosition) == LV_OK;
    }
    return LV_OK;
}

// ---------------------------------------------------------------- alternative list

int CompiledDictionary::alternativeArticleCount(std::int32_t entry, std::uint32_t& count)
{
    const std::uint64_t width = m_header.alternativeCountBits;
    int status = m_alternative->counts.seek(static_cast<std::uint64_t>(entry) * width);
    if (status == LV_OK)
        status = m_alternative->counts.read(static_cast<int>(width), count);
    return status;
}

int CompiledDictionary::decodeNextAlternative()
{
    AlternativeList& list = *m_alternative;
    const std::int32_t entry = list.current + 1;
    if (entry >= m_header.alternativeEntryCount)
        return LV_OUT_OF_RANGE;
    if (list.current >= 0) {
        std::uint32_t count = 0;
        const int status = alternativeArticleCount(list.current, count);
        if (status != LV_OK) {
            list.synchronised = false;
            return status;
        }
        list.articleBase += count;
    }
    std::string word;
    const int status = decodeHeadword(list.headwords, list.shared, list.characters, list.word8, word);
    if (status != LV_OK) {
        list.synchronised = false;
        return status;
    }
    list.word8 = std::move(word);
    list.word16.clear();
    appendUtf8AsUtf16(list.word8, list.word16);
    list.current = entry;
    return LV_OK;
}

int CompiledDictionary::readAlternative(std::int32_t index, int mode)
{
    if (!m_alternative)
        return LV_NO_ALTERNATIVE_LIST;
    AlternativeList& list = *m_alternative;
    if (index < 0 || index >= m_header.alternativeEntryCount)
        return LV_OUT_OF_RANGE;
    int status = LV_OK;
    if (!(list.synchronised && (index == list.current || index == list.current + 1))) {
        const std::int32_t point = list.index.pointAtOrBefore(index);
        list.synchronised = false;
        list.word8.clear();
        list.current = -1;
        list.articleBase = 0;
        std::uint64_t position = 0;
        if (point >= 0) {
            const QuickAccessPoint& p = list.index[static_cast<std::size_t>(point)];
            position = p.headwordPosition;
            list.current = p.entry - 1;
            list.articleBase = p.articlePosition;
        }
        status = list.headwords.seek(position);
        if (status != LV_OK)
            return status;
        list.synchronised = true;
        // The base was for the point's own entry: decodeNextAlternative adds
        // the previous entry's count, which does not belong to this interval.
        if (list.current >= 0) {
            std::uint32_t previous = 0;
            status = alternativeArticleCount(list.current, previous);
            if (status != LV_OK)
                return status;
            list.articleBase -= previous;
        }
    }
    while (list.current < index) {
        status = decodeNextAlternative();
        if (status != LV_OK)
            return status;
    }
    if (mode != kReadWithArticle)
        return LV_OK;

    // An alternative entry stands for a run of main entries: each article is
    // sent in turn, as one DicExtract of each would.
    std::uint32_t count = 0;
    status = alternativeArticleCount(index, count);
    const std::uint64_t width = m_header.entryReferenceBits;
    for (std::uint32_t k = 0; status == LV_OK && k < count; ++k) {
        std::uint32_t entry = 0;
        status = list.values.seek((static_cast<std::uint64_t>(list.articleBase) + k) * width);
        if (status == LV_OK)
            status = list.values.read(static_cast<int>(width), entry);
        if (status != LV_OK)
            break;
        if (entry >= static_cast<std::uint32_t>(m_header.entryCount))
            return LV_NOT_PRESENT;
        status = readMainEntry(static_cast<std::int32_t>(entry), kReadWithArticle);
    }
    return status;
}

int CompiledDictionary::findAlternative(std::u16string_view word)
{
    if (m_header.alternativeEntryCount == 0)
        return LV_OUT_OF_RANGE;
    const QuickAccessIndex& index = m_alternative->index;
    const std::u16string_view target8 = word.substr(0, 8);
    std::size_t low = 0;
    std::size_t high = index.size();
    while (low < high) {
        const std::size_t middle = (low + high) / 2;
        if (compareWords(index[middle].prefix16, target8) < 0)
            low = middle + 1;
        else
            high = middle;
    }
    const std::int32_t point = static_cast<std::int32_t>(low) - 1;
    int status = readAlternative(point < 0 ? 0 : index[static_cast<std::size_t>(point)].entry, kReadForStepping);
    if (status != LV_OK)
        return status;
    while (!word.empty() && compareWords(m_alternative->word16, word) < 0 &&
           m_alternative->current + 1 < m_header.alternativeEntryCount) {
        status = decodeNextAlternative();
        if (status != LV_OK)
            return status;
    }
    return LV_OK;
}

} // namespace lexvane::engine
