// article_builder.cpp: from markup to a measured view tree.
#include "ArticleEngine/Loading/article_builder.h"

#include "ArticleEngine/Loading/text_measurer.h"
#include "ArticleEngine/Loading/token_groups.h"
#include "ArticleEngine/Loading/tokenizer.h"
#include "ArticleEngine/Markup/style_run_parser.h"

#include <algorithm>

namespace ArticleEngine::Loading {

namespace {

constexpr int indentStep = 15;

TextItemKind itemKindOf(TokenClass tokenClass)
{
    switch (tokenClass) {
    case LeadBrackets:
        return LeadBracketItem;
    case LineBreak:
        return LineBreakItem;
    case WordCharacter:
        return WordItem;
    default:
        return OtherItem;
    }
}

// Every position where a fragment must end: style range starts and the
// starts and ends of link, label and image ranges, ascending, no repeats.
std::vector<int> fragmentBoundaries(const ArticleContent& content, const ArticleElements& elements)
{
    std::vector<int> cuts;
    cuts.reserve(content.styles.size() + 2 * (elements.links.size() + elements.labels.size()
                                              + elements.images.size()));
    for (const StyleRange& range : content.styles)
        cuts.push_back(range.start);
    for (const RangeStringMap* map : {&elements.links, &elements.labels, &elements.images}) {
        for (const auto& [range, value] : *map) {
            cuts.push_back(range.start);
            cuts.push_back(range.end);
        }
    }
    std::sort(cuts.begin(), cuts.end());
    cuts.erase(std::unique(cuts.begin(), cuts.end()), cuts.end());
    return cuts;
}

// Builds the items and fragments of the paragraphs in order, walking the
// tokens, the style ranges and the boundaries once.
class ItemBuilder {
public:
    ItemBuilder(const ArticleLayoutRecord& record, const ArticleElements& elements,
                std::vector<int> groupOfToken, StyleCache& styles)
        : m_record(record)
        , m_elements(elements)
        , m_text(record.content.text)
        , m_cuts(fragmentBoundaries(record.content, elements))
        , m_groupOfToken(std::move(groupOfToken))
        , m_styles(styles)
    {
    }

    // The paragraph's number must be set.
    void buildParagraph(const ParagraphRange& range, ParagraphView& paragraph);

private:
    int styleAt(int position);
    // The first boundary after position, or limit.
    int nextCut(int position, int limit);

    const ArticleLayoutRecord& m_record;
    const ArticleElements& m_elements;
    const QString& m_text;
    const std::vector<int> m_cuts;
    const std::vector<int> m_groupOfToken;
    StyleCache& m_styles;
    std::size_t m_token = 0;
    std::size_t m_style = 0;
    std::size_t m_cut = 0;
};

int ItemBuilder::styleAt(int position)
{
    const auto& styles = m_record.content.styles;
    while (m_style < styles.size() && styles[m_style].end <= position)
        ++m_style;
    if (m_style < styles.size() && styles[m_style].start <= position)
        return styles[m_style].style;
    return -1;
}

int ItemBuilder::nextCut(int position, int limit)
{
    while (m_cut < m_cuts.size() && m_cuts[m_cut] <= position)
        ++m_cut;
    int cut = m_cut < m_cuts.size() ? std::min(m_cuts[m_cut], limit) : limit;
    // Never between the halves of a surrogate pair.
    if (cut < limit && m_text[cut].isLowSurrogate() && m_text[cut - 1].isHighSurrogate())
        ++cut;
    return cut;
}

void ItemBuilder::buildParagraph(const ParagraphRange& range, ParagraphView& paragraph)
{
    const auto& tokens = m_record.tokens;
    std::size_t last = m_token;
    while (last < tokens.size() && tokens[last].start < range.end)
        ++last;
    // Mostly one fragment per item.
    paragraph.beginContent(range.start, range.end, last - m_token, last - m_token);

    const bool anyStrings = !m_elements.links.empty() || !m_elements.labels.empty()
        || !m_elements.images.empty();
    for (; m_token < last; ++m_token) {
        const Token& token = tokens[m_token];
        int position = token.start;
        while (position < token.end) {
            const int end = nextCut(position, token.end);
            TextItemFragmentView& fragment =
                paragraph.appendFragment(m_styles.style(styleAt(position)), position, end);
            if (anyStrings) {
                fragment.setLink(stringAt(m_elements.links, position));
                fragment.setLabel(stringAt(m_elements.labels, position));
                fragment.setImage(stringAt(m_elements.images, position));
                applyPicture(fragment, m_styles);
            }
            position = end;
        }
        TextItemView& item = paragraph.appendItem(token.start, token.end, m_groupOfToken[m_token],
                                                  itemKindOf(token.tokenClass),
                                                  token.tokenClass == Space);
        // Styled and measured while its data is at hand: one pass over the
        // paragraph instead of three.
        measureTextItem(item, paragraph.fragmentsOf(item), item.characterWidths(), m_text,
                        m_styles.metrics());
    }
    // Joining letters and clusters take their shapes, and so their widths,
    // from their neighbours: measured once the paragraph is whole.
    measureShapingRuns(paragraph, m_text, m_styles.metrics());
}

} // namespace

bool isRightToLeft(QStringView paragraph)
{
    // The toolkit's rule is ours: the first character of strong direction
    // decides (left-to-right L, right-to-left R or AL), isolates skipped.
    return paragraph.isRightToLeft();
}

ArticleView ArticleBuilder::build(const ArticleBuildRequest& request, ArticleLayoutRecord& record)
{
    record = ArticleLayoutRecord();
    record.content = readMarkup(request.markup);
    ArticleElements elements = takeElements(record.content, m_styles);

    // The element pass runs before the tokenizer, so tokens, groups and
    // marks are made once, from the text that is shown.
    const ArticleContent& content = record.content;
    Tokenizer tokenizer(m_analyzer);
    tokenizer.run(content.text, content.paragraphs, record.tokens);
    record.tableFlag = tokenizer.tableFlag();
    record.groups = buildGroups(record.tokens, content.paragraphs);
    record.markedTokens = markTokens(record.tokens, request.hitWords);

    ArticleView view;
    view.number = request.articleNumber;
    view.text = content.text;
    view.tables = std::move(elements.tables);

    StyleCache styles(m_styles, m_metrics);
    ItemBuilder builder(record, elements, groupNumbers(record.tokens, record.groups), styles);
    view.paragraphs.resize(content.paragraphs.size());
    for (std::size_t i = 0; i < content.paragraphs.size(); ++i) {
        const ParagraphRange& range = content.paragraphs[i];
        ParagraphView& paragraph = view.paragraphs[i];
        paragraph.number = int(i);
        paragraph.indentLevel = range.indent;
        paragraph.frame.margins = QMargins(indentStep * std::clamp(range.indent, 0, 1000), 0, 0, 0);
        paragraph.frame.rightToLeft =
            isRightToLeft(QStringView(content.text).mid(range.start, range.end - range.start));
        builder.buildParagraph(range, paragraph);
    }

    view.links = std::move(elements.links);
    view.labels = std::move(elements.labels);
    view.images = std::move(elements.images);
    record.elements = std::move(elements.elements);

    const ArticleDisplayFlags& flags = request.flags;
    view.header.title = request.title;
    view.header.number = request.articleNumber;
    view.header.visible = flags.header;
    view.pronounceButton.visible = flags.pronounce;
    view.editButton.visible = flags.edit && flags.header;
    view.deleteButton.visible = flags.remove && flags.header;
    view.expandButton.visible = flags.expandCollapse && flags.header;
    view.showMoreButton.visible = !request.complete;

    styleHeader(view.header, request.headerFont, request.headerTextColor,
                request.headerBackground, m_metrics);
    const int side = view.header.nominalSize.height();
    if (side >= 0) {
        for (View* button : {static_cast<View*>(&view.pronounceButton), static_cast<View*>(&view.deleteButton),
                             static_cast<View*>(&view.editButton), static_cast<View*>(&view.expandButton)})
            button->nominalSize = QSize(side, side);
        view.showMoreButton.nominalSize = QSize(2 * side, 2 * side);
    }
    view.reparentChildren();
    return view;
}

} // namespace ArticleEngine::Loading
