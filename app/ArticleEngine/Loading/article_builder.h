// article_builder.h: builds the view tree of one article from its markup.
//
// The markup is read (lead text, text, paragraph and style ranges), the
// special runs are taken out as elements, the remaining text is cut into
// tokens, groups and marked tokens, and every paragraph gets one text item
// per token with its fragments, styled and measured. The result is not yet
// laid out. The servers must outlive the built view: fragments share the
// fonts of the style server's styles.
#pragma once

#include "ArticleEngine/Loading/token.h"
#include "ArticleEngine/Markup/article_content.h"
#include "ArticleEngine/Markup/element_pass.h"
#include "ArticleEngine/Views/article_view.h"

#include <QColor>
#include <QString>

#include <vector>

class QFont;

namespace ArticleEngine::External {
class ICharAnalyzer;
class IStyleServer;
}

namespace ArticleEngine::Loading {

class TextMetricSource;

// Which parts of an article are shown.
struct ArticleDisplayFlags {
    bool header = true;
    bool pronounce = false;
    bool edit = false;
    bool remove = false;
    bool expandCollapse = false;
};

struct ArticleBuildRequest {
    int articleNumber = -1;
    QString title;
    QString markup;
    // Ordinals (from 1, ascending) of the words to mark as full-text hits.
    std::vector<int> hitWords;
    ArticleDisplayFlags flags;
    // False when the article is shown cut short: then the show-more button
    // is visible.
    bool complete = true;
    // The controller's header look; the font is shared, null for none.
    QFont* headerFont = nullptr;
    QColor headerTextColor;
    QColor headerBackground;
};

// What building leaves besides the views: the record's ranges.
struct ArticleLayoutRecord {
    ArticleContent content;
    std::vector<MarkupElement> elements;
    std::vector<Token> tokens;
    std::vector<GroupRange> groups;
    std::vector<int> markedTokens;
    bool tableFlag = false;
};

class ArticleBuilder {
public:
    ArticleBuilder(External::IStyleServer& styles, const External::ICharAnalyzer& analyzer,
                   TextMetricSource& metrics)
        : m_styles(styles)
        , m_analyzer(analyzer)
        , m_metrics(metrics)
    {
    }

    ArticleView build(const ArticleBuildRequest& request, ArticleLayoutRecord& record);

private:
    External::IStyleServer& m_styles;
    const External::ICharAnalyzer& m_analyzer;
    TextMetricSource& m_metrics;
};

// Whether a paragraph reads right to left: its first character of strong
// direction is a right-to-left one (Hebrew, Arabic ...).
bool isRightToLeft(QStringView paragraph);

} // namespace ArticleEngine::Loading
