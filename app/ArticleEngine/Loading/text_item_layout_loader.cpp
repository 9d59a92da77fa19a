// text_item_layout_loader.cpp: fragments on the baseline.
#include "ArticleEngine/Loading/text_item_layout_loader.h"

#include "ArticleEngine/Views/text_item_fragment_view.h"
#include "ArticleEngine/Views/text_item_view.h"

namespace ArticleEngine::Loading {

TextItemLayoutLoader::TextItemLayoutLoader(TextItemView& item, const QRect& rect, int baseline)
    : TextItemLayoutLoader(item, item.fragments(), rect, baseline)
{
}

void TextItemLayoutLoader::run()
{
    const int height = m_rect.height();
    int x = 0;
    for (TextItemFragmentView& fragment : m_fragments) {
        const FragmentMetrics metrics = fragment.metrics();
        const int bottom = m_baseline + metrics.lower - metrics.raise;
        fragment.rect = QRect(x, bottom - height + 1, metrics.width, height);
        fragment.layoutState = ItemLaidOut;
        x += metrics.width;
    }
    m_view.rect = m_rect;
    m_view.layoutState = ItemLaidOut;
}

} // namespace ArticleEngine::Loading
