// text_item_fragment_view.cpp: the fragment's strings, picture and measure.
#include "ArticleEngine/Views/text_item_fragment_view.h"

#include <algorithm>

namespace ArticleEngine {

// An article holds one fragment per character: keep it this small.
static_assert(sizeof(TextItemFragmentView) <= 80);

TextItemFragmentView::TextItemFragmentView(FragmentStyle style, int start, int end)
    : m_style(std::move(style))
    , m_start(start)
    , m_end(end)
{
    kind = BodyKind;
}

TextItemFragmentView::TextItemFragmentView(int styleNumber, int start, int end)
    : TextItemFragmentView(FragmentStyle(new FragmentStyleData(styleNumber, TextFragmentStyle(), {})),
                           start, end)
{
}

TextItemFragmentView::TextItemFragmentView(const TextItemFragmentView& other)
    : View(other)
    , m_style(other.m_style)
    , m_start(other.m_start)
    , m_end(other.m_end)
    , m_extra(other.m_extra ? std::make_unique<Extra>(*other.m_extra) : nullptr)
{
}

TextItemFragmentView& TextItemFragmentView::operator=(const TextItemFragmentView& other)
{
    if (this != &other) {
        TextItemFragmentView copy(other);
        *this = std::move(copy);
    }
    return *this;
}

QStringView TextItemFragmentView::text(const QString& articleText) const
{
    const qsizetype size = articleText.size();
    if (m_start < 0 || m_end > size || m_start >= m_end)
        return {};
    return QStringView(articleText).mid(m_start, m_end - m_start);
}

FragmentMetrics TextItemFragmentView::metricsWithExtra() const
{
    FragmentMetrics metrics;
    if (hasImage()) {
        // The picture is centred on the baseline.
        const QPixmap& picture = m_extra->pixmap;
        if (picture.isNull())
            return metrics;
        const int height = picture.height();
        metrics.width = picture.width();
        metrics.ascent = height / 2;
        metrics.descent = height - height / 2;
        return metrics;
    }
    if (!m_style || m_style->style.font() == nullptr)
        return metrics;
    metrics = m_style->vertical;
    metrics.width = std::max(nominalSize.width(), 0);
    return metrics;
}

TextItemFragmentView::Extra& TextItemFragmentView::extra()
{
    if (!m_extra)
        m_extra = std::make_unique<Extra>();
    return *m_extra;
}

void TextItemFragmentView::setLink(const QString& link)
{
    if (m_extra || !link.isEmpty())
        extra().link = link;
}

void TextItemFragmentView::setLabel(const QString& label)
{
    if (m_extra || !label.isEmpty())
        extra().label = label;
}

void TextItemFragmentView::setImage(const QString& image)
{
    if (m_extra || !image.isEmpty())
        extra().image = image;
}

void TextItemFragmentView::setPixmap(const QPixmap& pixmap)
{
    if (m_extra || !pixmap.isNull())
        extra().pixmap = pixmap;
}

void TextItemFragmentView::resetPixmap()
{
    if (m_extra)
        m_extra->pixmap = QPixmap();
}

void TextItemFragmentView::setValue(int value)
{
    if (m_extra || value != 0)
        extra().value = value;
}

} // namespace ArticleEngine
