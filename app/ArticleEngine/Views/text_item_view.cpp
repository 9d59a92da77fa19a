// text_item_view.cpp: a text item's way to its fragments and widths.
#include "ArticleEngine/Views/text_item_view.h"

#include "ArticleEngine/Views/paragraph_view.h"
#include "ArticleEngine/Views/text_item_fragment_view.h"

#include <algorithm>

namespace ArticleEngine {

// An article holds one text item per character: keep it this small.
static_assert(sizeof(TextItemView) <= 80);

TextItemView::TextItemView(int paragraphNumber, int start, int end, int firstFragment,
                           int fragmentCount, int group, TextItemKind itemKind, bool keepOnLine)
    : m_start(start)
    , m_end(end)
    , m_firstFragment(firstFragment)
    , m_fragmentCount(fragmentCount)
    , m_group(group)
    , m_itemKind(itemKind)
    , m_keepOnLine(keepOnLine)
{
    number = paragraphNumber;
    kind = BodyKind;
}

const ParagraphView* TextItemView::paragraph() const
{
    // Only a paragraph ever parents a text item.
    return static_cast<const ParagraphView*>(parent());
}

ParagraphView* TextItemView::paragraph()
{
    return static_cast<ParagraphView*>(parent());
}

namespace {

// The window [first, first + count) of all, or nothing when it does not
// lie inside: a hand-made item must not reach past its paragraph's arrays.
template <class T>
std::span<T> window(std::span<T> all, int first, int count)
{
    if (first < 0 || count < 0 || std::size_t(first) + std::size_t(count) > all.size())
        return {};
    return all.subspan(std::size_t(first), std::size_t(count));
}

} // namespace

std::span<const TextItemFragmentView> TextItemView::fragments() const
{
    const ParagraphView* holder = paragraph();
    if (holder == nullptr)
        return {};
    return window(holder->fragments(), m_firstFragment, m_fragmentCount);
}

std::span<TextItemFragmentView> TextItemView::fragments()
{
    ParagraphView* holder = paragraph();
    if (holder == nullptr)
        return {};
    return window(holder->fragments(), m_firstFragment, m_fragmentCount);
}

FragmentMetrics TextItemView::metrics() const
{
    const ParagraphView* holder = paragraph();
    return holder == nullptr ? FragmentMetrics() : holder->itemMetrics(*this);
}

std::span<const std::int16_t> TextItemView::characterWidths() const
{
    const ParagraphView* holder = paragraph();
    if (holder == nullptr || !m_widthsKnown)
        return {};
    return window(holder->characterWidths(), m_start - holder->textStart(), length());
}

std::span<std::int16_t> TextItemView::characterWidths()
{
    ParagraphView* holder = paragraph();
    if (holder == nullptr)
        return {};
    return window(holder->characterWidths(), m_start - holder->textStart(), length());
}

int TextItemView::widthOf(int from, int to) const
{
    if (!m_widthsKnown)
        return -1;
    const auto widths = characterWidths();
    from = std::clamp(from, 0, int(widths.size()));
    to = std::clamp(to, from, int(widths.size()));
    int sum = 0;
    for (int i = from; i < to; ++i)
        sum += widths[i];
    return sum;
}

} // namespace ArticleEngine
