// text_item_fragment_view.h: one styled piece of a text item.
//
// A fragment covers the characters [start, end) of the article text under
// one style and one set of link, label and image strings. Its measured
// width is its nominal width; its vertical measures come from its shared
// style, or from its picture when it carries an image reference. What few
// fragments have (the strings and the picture) lives in an extra record,
// so that the many plain ones stay small; copying a fragment copies it.
#pragma once

#include "ArticleEngine/Views/fragment_metrics.h"
#include "ArticleEngine/Views/fragment_style.h"
#include "ArticleEngine/Views/view.h"

#include <QPixmap>
#include <QString>
#include <QStringView>

#include <memory>

namespace ArticleEngine {

class TextItemFragmentView : public View {
public:
    TextItemFragmentView() = default;
    TextItemFragmentView(FragmentStyle style, int start, int end);
    // Not styled yet: the style of the number has no font until styles are
    // applied.
    TextItemFragmentView(int styleNumber, int start, int end);
    TextItemFragmentView(const TextItemFragmentView& other);
    TextItemFragmentView& operator=(const TextItemFragmentView& other);
    TextItemFragmentView(TextItemFragmentView&&) noexcept = default;
    TextItemFragmentView& operator=(TextItemFragmentView&&) noexcept = default;
    ~TextItemFragmentView() = default;

    // -1 for no style.
    int styleNumber() const { return m_style ? m_style->number : -1; }
    int start() const { return m_start; }
    int end() const { return m_end; }
    int length() const { return m_end - m_start; }
    QStringView text(const QString& articleText) const;

    // Null only for a default-constructed fragment.
    const TextFragmentStyle* style() const { return m_style ? &m_style->style : nullptr; }
    const FragmentStyle& sharedStyle() const { return m_style; }
    void setSharedStyle(FragmentStyle style) { m_style = std::move(style); }

    // Set by measuring (width = the nominal width).
    FragmentMetrics metrics() const
    {
        if (m_extra)
            return metricsWithExtra();
        if (!m_style || m_style->style.font() == nullptr)
            return {};
        FragmentMetrics metrics = m_style->vertical;
        metrics.width = nominalSize.width() < 0 ? 0 : nominalSize.width();
        return metrics;
    }

    QString link() const { return m_extra ? m_extra->link : QString(); }
    QString label() const { return m_extra ? m_extra->label : QString(); }
    QString image() const { return m_extra ? m_extra->image : QString(); }
    void setLink(const QString& link);
    void setLabel(const QString& label);
    void setImage(const QString& image);
    bool hasImage() const { return m_extra && !m_extra->image.isEmpty(); }
    // Measured as text of its style alone: no picture, no extra record.
    bool isPlainText() const { return !m_extra; }

    // The picture of an image fragment, a copy of what the style server gave.
    QPixmap pixmap() const { return m_extra ? m_extra->pixmap : QPixmap(); }
    void setPixmap(const QPixmap& pixmap);
    // Drops the picture.
    void resetPixmap();

    int value() const { return m_extra ? m_extra->value : 0; }
    void setValue(int value);

private:
    struct Extra {
        QString link;
        QString label;
        QString image;
        QPixmap pixmap;
        int value = 0;
    };
    Extra& extra();
    FragmentMetrics metricsWithExtra() const;

    // Also holds the style number: fragments are one per character, and
    // every byte of theirs counts.
    FragmentStyle m_style;
    int m_start = 0;
    int m_end = 0;
    std::unique_ptr<Extra> m_extra;
};

} // namespace ArticleEngine
