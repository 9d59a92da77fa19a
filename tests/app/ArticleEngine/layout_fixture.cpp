// layout_fixture.cpp: the fixed metrics, the test styles and the helpers.
#include "layout_fixture.h"

#include "ArticleEngine/Loading/paragraph_layout_loader.h"

namespace lexvane::testing {

using namespace ArticleEngine;

FragmentMetrics FixedMetricSource::fontMeasures(const QFont& font)
{
    FragmentMetrics measures;
    measures.ascent = font.pointSize();
    measures.descent = (font.pointSize() + 2) / 3;
    return measures;
}

int FixedMetricSource::characterWidths(const QFont&, QStringView text, std::span<std::int16_t> widths)
{
    int sum = 0;
    for (std::size_t i = 0; i < widths.size() && i < std::size_t(text.size()); ++i) {
        const QChar c = text[qsizetype(i)];
        const bool secondHalf = c.isLowSurrogate() && i > 0 && text[qsizetype(i - 1)].isHighSurrogate();
        widths[i] = std::int16_t(c == QLatin1Char('\n') || secondHalf ? 0 : characterWidth);
        sum += widths[i];
    }
    return sum;
}

QRect FixedMetricSource::boundingRect(const QFont& font, const QString& text)
{
    const FragmentMetrics measures = fontMeasures(font);
    return QRect(0, -measures.ascent, characterWidth * int(text.size()),
                 measures.ascent + measures.descent);
}

TestStyleServer::TestStyleServer()
{
    styles[1] = TextFragmentStyle(&small, QColor(Qt::black), QColor(), 0, 0, 0, 0, 0);
    styles[2] = TextFragmentStyle(&small, QColor(Qt::black), QColor(), 1, 0, 0, 0, 0);
    styles[3] = TextFragmentStyle(&small, QColor(Qt::black), QColor(), -1, 0, 0, 0, 0);
    styles[4] = TextFragmentStyle(&large, QColor(Qt::black), QColor(), 0, 0, 0, 0, 0);
    styles[5] = TextFragmentStyle(nullptr, QColor(Qt::black), QColor(), 0, 0, 0, 0, 0);
}

TextFragmentStyle* TestStyleServer::style(int number)
{
    auto found = styles.find(number);
    return found == styles.end() ? nullptr : &found->second;
}

QPixmap TestStyleServer::image(const QString& reference)
{
    if (reference.contains(QLatin1String("pic17")))
        return QPixmap(10, 17);
    return QPixmap();
}

BuiltArticle buildArticle(const QString& markup, const Loading::ArticleBuildRequest& request,
                          std::shared_ptr<TestStyleServer> styles)
{
    const External::Default::CharAnalyzer analyzer;
    FixedMetricSource metrics;
    Loading::ArticleBuildRequest full = request;
    full.markup = markup;
    BuiltArticle built;
    built.styles = styles ? std::move(styles) : std::make_shared<TestStyleServer>();
    built.view = Loading::ArticleBuilder(*built.styles, analyzer, metrics).build(full, built.record);
    return built;
}

void layOut(ParagraphView& paragraph, int width)
{
    Loading::ParagraphLayoutLoader(paragraph, QRect(0, 0, width, 1000), false, 1).run();
}

std::string describeLines(const ArticleView& article, const ParagraphView& paragraph)
{
    std::string out;
    for (const ParagraphLine& line : paragraph.lines()) {
        if (!out.empty())
            out += '|';
        for (int place = 0; place < line.itemCount(); ++place) {
            const TextItemView& item = paragraph.displayedItem(line, place);
            QString text = article.text.mid(item.start(), item.length());
            text.replace(QLatin1Char('\n'), QLatin1Char('$'));
            out += text.toStdString();
        }
    }
    return out;
}

} // namespace lexvane::testing
