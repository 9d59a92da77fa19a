// shaping_runs.cpp: finding the stretches measured and drawn as one shaped
// string.
#include "ArticleEngine/Views/shaping_runs.h"

#include "ArticleEngine/External/text_fragment_style.h"
#include "ArticleEngine/Views/paragraph_view.h"
#include "ArticleEngine/Views/text_item_fragment_view.h"
#include "ArticleEngine/Views/text_item_view.h"

#include <QChar>

#include <algorithm>

#include <span>

namespace ArticleEngine {

namespace {

// Below this every character stands on its own: Basic Latin, Latin-1,
// the Latin extensions and IPA have no marks and no joining.
constexpr char16_t firstJoining = 0x0300;

// Blocks of the scripts articles are mostly written in that hold neither
// marks nor joining letters, so that painting them never asks for
// character properties: Greek, Cyrillic (without its combining marks),
// Armenian, Hebrew letters (not points), Latin and Greek Extended, spaces,
// dashes and quotes, CJK punctuation and kana (not the voicing marks), CJK
// ideographs and Hangul syllables. Half-open ranges, ascending.
constexpr char16_t plainRanges[][2] = {
    {0x0370, 0x0483}, {0x048A, 0x0591}, {0x05D0, 0x0600}, {0x1E00, 0x2000}, {0x2000, 0x200C},
    {0x2010, 0x2028}, {0x2030, 0x205F}, {0x3000, 0x302A}, {0x3030, 0x3099}, {0x309B, 0x3100},
    {0x4E00, 0xA000}, {0xAC00, 0xD7A4},
};

bool isPlain(char16_t code)
{
    if (code < firstJoining)
        return true;
    for (const auto& range : plainRanges) {
        if (code < range[0])
            return false;
        if (code < range[1])
            return true;
    }
    return false;
}

enum class Kind {
    // Shaped alone, unless a mark follows it (then it is the mark's base).
    Alone,
    // Combining marks, joiners and non-joiners: they lean on their base.
    Mark,
    // Takes its shape from its neighbours.
    Letter,
};

// Scripts whose consonants combine into clusters (through a virama or a
// coeng) and whose vowel signs move around their consonant. Thai and Lao
// are left out: they need only their marks, and their lines have no spaces,
// so every line would be one run.
bool isClusterScript(QChar::Script script)
{
    switch (script) {
    case QChar::Script_Devanagari:
    case QChar::Script_Bengali:
    case QChar::Script_Gurmukhi:
    case QChar::Script_Gujarati:
    case QChar::Script_Oriya:
    case QChar::Script_Tamil:
    case QChar::Script_Telugu:
    case QChar::Script_Kannada:
    case QChar::Script_Malayalam:
    case QChar::Script_Sinhala:
    case QChar::Script_Tibetan:
    case QChar::Script_Myanmar:
    case QChar::Script_Khmer:
        return true;
    default:
        return false;
    }
}

Kind kindOf(char32_t code)
{
    if (code < firstJoining)
        return Kind::Alone;
    if (code == 0x200C || code == 0x200D)
        return Kind::Mark;
    // The other invisible format characters lean on nothing: embeddings,
    // overrides and isolates would reorder a run against its rectangles,
    // and a zero-width space allows a break.
    if (QChar::category(code) == QChar::Other_Format)
        return Kind::Alone;
    switch (QChar::joiningType(code)) {
    case QChar::Joining_Dual:
    case QChar::Joining_Right:
    case QChar::Joining_Left:
    case QChar::Joining_Causing:
        return Kind::Letter;
    case QChar::Joining_Transparent:
        return Kind::Mark;
    default:
        break;
    }
    switch (QChar::category(code)) {
    case QChar::Mark_NonSpacing:
    case QChar::Mark_SpacingCombining:
    case QChar::Mark_Enclosing:
        return Kind::Mark;
    default:
        break;
    }
    return isClusterScript(QChar::script(code)) ? Kind::Letter : Kind::Alone;
}

struct CodePoint {
    char32_t code = 0;
    int length = 0;
};

CodePoint codePointAt(QStringView text, int position)
{
    if (position < 0 || position >= text.size())
        return {};
    const QChar c = text[position];
    if (c.isHighSurrogate() && position + 1 < text.size() && text[position + 1].isLowSurrogate())
        return {QChar::surrogateToUcs4(c, text[position + 1]), 2};
    return {c.unicode(), 1};
}

// A character that a mark can lean on: anything printed that is not a space.
bool isBase(char32_t code)
{
    return QChar::isPrint(code) && !QChar::isSpace(code);
}

bool joins(QStringView text, int position, CodePoint point)
{
    switch (kindOf(point.code)) {
    case Kind::Letter:
    case Kind::Mark:
        return true;
    case Kind::Alone:
        break;
    }
    return isBase(point.code) && kindOf(codePointAt(text, position + point.length).code) == Kind::Mark;
}

// Every character of the fragment joins; a right-to-left one is also the
// only fragment of its item.
bool joinable(const ParagraphView& paragraph, const TextItemView& item,
              const TextItemFragmentView& fragment, const QString& text)
{
    if (fragment.hasImage() || fragment.style() == nullptr || fragment.style()->font() == nullptr)
        return false;
    if (fragment.start() < 0 || fragment.end() > text.size() || fragment.length() <= 0)
        return false;
    if (paragraph.frame.rightToLeft && item.fragmentCount() != 1)
        return false;
    for (int position = fragment.start(); position < fragment.end();) {
        const CodePoint point = codePointAt(text, position);
        if (!joins(text, position, point))
            return false;
        position += point.length;
    }
    return true;
}

bool sameRun(const TextItemFragmentView& before, const TextItemFragmentView& after)
{
    return before.end() == after.start() && before.sharedStyle().data() == after.sharedStyle().data();
}

// -1 left to right, 1 right to left, 0 neither, 2 both.
int directionOf(QStringView text)
{
    int found = 0;
    for (int position = 0; position < text.size();) {
        const CodePoint point = codePointAt(text, position);
        position += point.length;
        int direction = 0;
        switch (QChar::direction(point.code)) {
        case QChar::DirL:
            direction = -1;
            break;
        case QChar::DirR:
        case QChar::DirAL:
            direction = 1;
            break;
        default:
            continue;
        }
        if (found == 0)
            found = direction;
        else if (found != direction)
            return 2;
    }
    return found;
}

// Whether each fragment of the run is the only fragment of its item. A run
// against the paragraph's direction has its items reversed as wholes; a
// fragment sharing its item would keep its place inside it, off the
// shaped string's order.
bool aloneInItems(const ParagraphView& paragraph, const ShapingRun& run)
{
    const std::span<const TextItemView> items = paragraph.items();
    for (std::size_t item = run.firstItem;
         item < items.size() && std::size_t(items[item].firstFragment()) < run.endFragment; ++item) {
        if (items[item].fragmentCount() != 1)
            return false;
    }
    return true;
}

struct Component {
    ShapingRun run;
    bool valid = false;
};

// The greatest stretch of linked fragments around the given one, and
// whether it makes a run. None when the fragment itself does not join.
std::optional<Component> componentAt(const ParagraphView& paragraph, const QString& text,
                                     std::size_t item, std::size_t fragment)
{
    const std::span<const TextItemView> items = paragraph.items();
    const std::span<const TextItemFragmentView> fragments = paragraph.fragments();
    if (item >= items.size() || fragment >= fragments.size())
        return std::nullopt;
    if (!joinable(paragraph, items[item], fragments[fragment], text))
        return std::nullopt;

    std::size_t firstItem = item;
    std::size_t first = fragment;
    while (first > 0) {
        std::size_t before = firstItem;
        while (before > 0 && std::size_t(items[before].firstFragment()) > first - 1)
            --before;
        if (!sameRun(fragments[first - 1], fragments[first])
            || !joinable(paragraph, items[before], fragments[first - 1], text))
            break;
        --first;
        firstItem = before;
    }
    std::size_t lastItem = item;
    std::size_t end = fragment + 1;
    while (end < fragments.size()) {
        std::size_t after = lastItem;
        while (after + 1 < items.size()
               && std::size_t(items[after].firstFragment() + items[after].fragmentCount()) <= end)
            ++after;
        if (!sameRun(fragments[end - 1], fragments[end])
            || !joinable(paragraph, items[after], fragments[end], text))
            break;
        ++end;
        lastItem = after;
    }

    Component component;
    ShapingRun& run = component.run;
    run.firstFragment = first;
    run.endFragment = end;
    run.firstItem = firstItem;
    run.start = fragments[first].start();
    run.end = fragments[end - 1].end();
    const QStringView characters = QStringView(text).mid(run.start, run.end - run.start);
    const int direction = directionOf(characters);
    // The letters decide, not the paragraph: measuring comes before the
    // line is ordered, and their strong direction is what ordering will
    // follow (right-to-left letters always stand in a right-to-left run).
    run.rightToLeft = direction == 0 ? paragraph.frame.rightToLeft : direction == 1;
    component.valid = direction != 2 && characters.size() > codePointAt(characters, 0).length
        && (run.rightToLeft == paragraph.frame.rightToLeft || aloneInItems(paragraph, run));
    return component;
}

} // namespace

bool mayJoin(const TextItemFragmentView& fragment, const QString& text)
{
    // The character after the fragment counts: a mark there makes the
    // fragment's last character its base.
    const int end = std::min(fragment.end() + 1, int(text.size()));
    for (int position = std::max(fragment.start(), 0); position < end; ++position) {
        if (!isPlain(text[position].unicode()))
            return true;
    }
    return false;
}

std::optional<ShapingRun> shapingRunAt(const ParagraphView& paragraph, const QString& text,
                                       std::size_t item, std::size_t fragment)
{
    const std::optional<Component> component = componentAt(paragraph, text, item, fragment);
    if (!component || !component->valid)
        return std::nullopt;
    return component->run;
}

std::vector<ShapingRun> shapingRuns(const ParagraphView& paragraph, const QString& text)
{
    std::vector<ShapingRun> runs;
    // Reading the paragraph's characters costs far less than walking its
    // items, and most paragraphs are plain throughout.
    const int start = std::clamp(paragraph.textStart(), 0, int(text.size()));
    const int end = std::clamp(paragraph.textEnd() + 1, start, int(text.size()));
    const QStringView characters = QStringView(text).mid(start, end - start);
    if (std::all_of(characters.begin(), characters.end(), [](QChar c) { return isPlain(c.unicode()); }))
        return runs;
    // Fragments before this one have been looked at with their stretch.
    std::size_t seen = 0;
    const std::span<const TextItemView> items = paragraph.items();
    const std::span<const TextItemFragmentView> fragments = paragraph.fragments();
    for (std::size_t item = 0; item < items.size(); ++item) {
        const std::size_t first = std::size_t(items[item].firstFragment());
        const std::size_t end = first + std::size_t(items[item].fragmentCount());
        for (std::size_t fragment = first; fragment < end && fragment < fragments.size(); ++fragment) {
            if (fragment < seen)
                continue;
            if (!mayJoin(fragments[fragment], text))
                continue;
            const std::optional<Component> component = componentAt(paragraph, text, item, fragment);
            if (!component)
                continue;
            // A stretch that makes no run is passed over whole: asking again
            // from each of its fragments would find it again.
            seen = component->run.endFragment;
            if (component->valid)
                runs.push_back(component->run);
        }
    }
    return runs;
}

} // namespace ArticleEngine
