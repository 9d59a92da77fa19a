// bidi_levels.cpp: weak, bracket and neutral resolution, implicit levels,
// the line-end rule and the reordering of runs.
//
// Types are resolved in a working array, one per UTF-16 unit; the original
// types stay in a second array for the line-end rule and for telling the
// brackets and marks apart.
#include "ArticleEngine/Loading/bidi_levels.h"

#include <QChar>

#include <algorithm>

namespace ArticleEngine::Loading {

namespace {

enum Type : std::uint8_t { L, R, AL, EN, ES, ET, AN, CS, NSM, BN, B, S, WS, ON };

Type typeOf(char32_t codePoint)
{
    switch (QChar::direction(codePoint)) {
    case QChar::DirL:
        return L;
    case QChar::DirR:
        return R;
    case QChar::DirAL:
        return AL;
    case QChar::DirEN:
        return EN;
    case QChar::DirES:
        return ES;
    case QChar::DirET:
        return ET;
    case QChar::DirAN:
        return AN;
    case QChar::DirCS:
        return CS;
    case QChar::DirNSM:
        return NSM;
    case QChar::DirBN:
        return BN;
    case QChar::DirB:
        return B;
    case QChar::DirS:
        return S;
    case QChar::DirWS:
        return WS;
    default:
        // Other neutrals, and the explicit controls, which we do not honour.
        return ON;
    }
}

// The types of the line, both halves of a surrogate pair with the pair's.
void classify(QStringView line, std::vector<Type>& types)
{
    const qsizetype size = line.size();
    types.resize(std::size_t(size));
    for (qsizetype i = 0; i < size; ++i) {
        const QChar c = line[i];
        if (c.isHighSurrogate() && i + 1 < size && line[i + 1].isLowSurrogate()) {
            const Type type = typeOf(QChar::surrogateToUcs4(c, line[i + 1]));
            types[std::size_t(i)] = type;
            types[std::size_t(i + 1)] = type;
            ++i;
            continue;
        }
        types[std::size_t(i)] = typeOf(c.unicode());
    }
}

bool isStrong(Type type)
{
    return type == L || type == R || type == AL;
}

bool isNeutral(Type type)
{
    return type == B || type == S || type == WS || type == ON;
}

// The strong direction a resolved type stands for among neutrals: numbers
// count as right to left (rules N1 and N0).
Type strongDirection(Type type)
{
    return type == EN || type == AN ? R : type;
}

// Rules W1 to W7 (no isolates, one level run: the whole line).
void resolveWeak(std::vector<Type>& types, Type sos)
{
    const std::size_t size = types.size();
    // W1: a mark takes the type before it; a boundary neutral is kept out of
    // the way the same way.
    Type previous = sos;
    for (std::size_t i = 0; i < size; ++i) {
        if (types[i] == NSM || types[i] == BN)
            types[i] = previous;
        previous = types[i];
    }
    // W2 and W3: numbers after Arabic letters are Arabic numbers; Arabic
    // letters are right to left.
    Type lastStrong = sos;
    for (Type& type : types) {
        if (isStrong(type))
            lastStrong = type;
        else if (type == EN && lastStrong == AL)
            type = AN;
    }
    for (Type& type : types) {
        if (type == AL)
            type = R;
    }
    // W4: one separator between two numbers of one kind joins them.
    for (std::size_t i = 1; i + 1 < size; ++i) {
        const Type before = types[i - 1];
        const Type after = types[i + 1];
        if (types[i] == ES && before == EN && after == EN)
            types[i] = EN;
        else if (types[i] == CS && before == after && (before == EN || before == AN))
            types[i] = before;
    }
    // W5: terminators next to a European number belong to it.
    for (std::size_t i = 0; i < size;) {
        if (types[i] != ET) {
            ++i;
            continue;
        }
        std::size_t end = i;
        while (end < size && types[end] == ET)
            ++end;
        const bool touches = (i > 0 && types[i - 1] == EN) || (end < size && types[end] == EN);
        if (touches)
            std::fill(types.begin() + std::ptrdiff_t(i), types.begin() + std::ptrdiff_t(end), EN);
        i = end;
    }
    // W6: the separators and terminators left are neutral.
    for (Type& type : types) {
        if (type == ES || type == ET || type == CS)
            type = ON;
    }
    // W7: European numbers in left-to-right text are left to right.
    lastStrong = sos;
    for (Type& type : types) {
        if (type == L || type == R)
            lastStrong = type;
        else if (type == EN && lastStrong == L)
            type = L;
    }
}

struct BracketPair {
    std::size_t open;
    std::size_t close;
};

// BD16: pairs of an opening and the matching closing bracket, in order of
// their openings. Brackets are the mirrored opening and closing
// punctuation still neutral after the weak rules.
std::vector<BracketPair> findBracketPairs(QStringView line, const std::vector<Type>& types)
{
    constexpr std::size_t maxDepth = 63;
    struct Open {
        char16_t closing;
        std::size_t position;
    };
    std::vector<Open> stack;
    std::vector<BracketPair> pairs;
    for (std::size_t i = 0; i < types.size(); ++i) {
        if (types[i] != ON)
            continue;
        const QChar c = line[qsizetype(i)];
        const QChar::Category category = c.category();
        if (category == QChar::Punctuation_Open && c.hasMirrored()) {
            if (stack.size() == maxDepth)
                break;
            stack.push_back({c.mirroredChar().unicode(), i});
        } else if (category == QChar::Punctuation_Close && c.hasMirrored()) {
            for (std::size_t depth = stack.size(); depth > 0; --depth) {
                if (stack[depth - 1].closing == c.unicode()) {
                    pairs.push_back({stack[depth - 1].position, i});
                    stack.resize(depth - 1);
                    break;
                }
            }
        }
    }
    std::sort(pairs.begin(), pairs.end(),
              [](const BracketPair& a, const BracketPair& b) { return a.open < b.open; });
    return pairs;
}

// N0: a bracket pair takes the embedding direction when it encloses text of
// that direction, else the opposite one when it encloses that and the text
// before the pair has it too; marks after a bracket follow it.
void resolveBrackets(QStringView line, std::vector<Type>& types, const std::vector<Type>& original,
                     Type embedding, Type sos)
{
    const Type opposite = embedding == L ? R : L;
    for (const BracketPair& pair : findBracketPairs(line, types)) {
        bool hasEmbedding = false;
        bool hasOpposite = false;
        for (std::size_t i = pair.open + 1; i < pair.close; ++i) {
            const Type type = strongDirection(types[i]);
            hasEmbedding = hasEmbedding || type == embedding;
            hasOpposite = hasOpposite || type == opposite;
        }
        Type resolved = ON;
        if (hasEmbedding) {
            resolved = embedding;
        } else if (hasOpposite) {
            Type before = sos;
            for (std::size_t i = pair.open; i > 0; --i) {
                const Type type = strongDirection(types[i - 1]);
                if (type == L || type == R) {
                    before = type;
                    break;
                }
            }
            resolved = before == opposite ? opposite : embedding;
        }
        if (resolved == ON)
            continue;
        for (const std::size_t at : {pair.open, pair.close}) {
            types[at] = resolved;
            for (std::size_t i = at + 1; i < types.size() && (original[i] == NSM || original[i] == BN); ++i)
                types[i] = resolved;
        }
    }
}

// N1 and N2: a run of neutrals between two strong sides of one direction
// takes it, any other the embedding direction.
void resolveNeutrals(std::vector<Type>& types, Type embedding, Type sos)
{
    const std::size_t size = types.size();
    for (std::size_t i = 0; i < size;) {
        if (!isNeutral(types[i])) {
            ++i;
            continue;
        }
        std::size_t end = i;
        while (end < size && isNeutral(types[end]))
            ++end;
        const Type before = i == 0 ? sos : strongDirection(types[i - 1]);
        const Type after = end == size ? sos : strongDirection(types[end]);
        const Type resolved = before == after ? before : embedding;
        std::fill(types.begin() + std::ptrdiff_t(i), types.begin() + std::ptrdiff_t(end), resolved);
        i = end;
    }
}

} // namespace

bool isPlainLine(QStringView line, bool rightToLeft)
{
    for (const QChar c : line) {
        const char16_t unit = c.unicode();
        if (!rightToLeft) {
            // Nothing below the Hebrew block runs right to left.
            if (unit < 0x0590)
                continue;
            if (c.isSurrogate())
                return false;
            const Type type = typeOf(unit);
            if (type == R || type == AL || type == AN)
                return false;
        } else {
            if (c.isSurrogate())
                return false;
            const Type type = typeOf(unit);
            if (type == L || type == EN || type == AN)
                return false;
        }
    }
    return true;
}

void resolveLevels(QStringView line, bool rightToLeft, std::vector<std::uint8_t>& levels)
{
    const std::uint8_t base = rightToLeft ? 1 : 0;
    const Type embedding = rightToLeft ? R : L;
    std::vector<Type> original;
    classify(line, original);
    std::vector<Type> types = original;
    // Without embeddings the line is one run: both its ends are the
    // paragraph's direction.
    resolveWeak(types, embedding);
    resolveBrackets(line, types, original, embedding, embedding);
    resolveNeutrals(types, embedding, embedding);

    // I1 and I2.
    const std::size_t size = types.size();
    levels.resize(size);
    for (std::size_t i = 0; i < size; ++i) {
        const Type type = types[i];
        std::uint8_t level = base;
        if (!rightToLeft) {
            if (type == R)
                level = 1;
            else if (type == AN || type == EN)
                level = 2;
        } else if (type == L || type == EN || type == AN) {
            level = 2;
        }
        levels[i] = level;
    }

    // L1: separators, and the whitespace before them and at the line's end,
    // stand at the paragraph level.
    bool trailing = true;
    for (std::size_t i = size; i > 0; --i) {
        const Type type = original[i - 1];
        if (type == S || type == B) {
            levels[i - 1] = base;
            trailing = true;
        } else if (type == WS || type == BN) {
            if (trailing)
                levels[i - 1] = base;
        } else {
            trailing = false;
        }
    }
}

void visualOrder(std::span<const std::uint8_t> levels, std::vector<int>& order)
{
    const std::size_t size = levels.size();
    order.resize(size);
    for (std::size_t i = 0; i < size; ++i)
        order[i] = int(i);
    if (size == 0)
        return;
    std::uint8_t highest = 0;
    std::uint8_t lowestOdd = 0xFF;
    for (const std::uint8_t level : levels) {
        highest = std::max(highest, level);
        if (level % 2 == 1)
            lowestOdd = std::min(lowestOdd, level);
    }
    if (lowestOdd == 0xFF)
        return;
    // order[k] stands at place k; levels are looked up through it. The
    // lowest odd level is at least 1, so the count never wraps.
    for (std::uint8_t level = highest; level >= lowestOdd; --level) {
        for (std::size_t i = 0; i < size;) {
            if (levels[std::size_t(order[i])] < level) {
                ++i;
                continue;
            }
            std::size_t end = i;
            while (end < size && levels[std::size_t(order[end])] >= level)
                ++end;
            std::reverse(order.begin() + std::ptrdiff_t(i), order.begin() + std::ptrdiff_t(end));
            i = end;
        }
    }
}

} // namespace ArticleEngine::Loading
