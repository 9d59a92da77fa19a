// article_view.h: the root of one article's view tree.
//
// The article view holds everything of one shown article by value: its
// text, tables, the link, label and image maps, the header, the paragraphs
// and the five buttons. Rectangles of its parts are relative to it.
// Invariant: the article is the parent of its header, buttons and
// paragraphs, and the paragraphs the parents of their items; construction,
// copying, moving and reparentChildren() keep it so, so a copy that
// outlives its original never points back into it.
#pragma once

#include "ArticleEngine/Markup/character_range.h"
#include "ArticleEngine/Markup/table_records.h"
#include "ArticleEngine/Views/article_header_view.h"
#include "ArticleEngine/Views/button_views.h"
#include "ArticleEngine/Views/paragraph_view.h"
#include "ArticleEngine/Views/view.h"

#include <QString>

#include <vector>

namespace ArticleEngine {

// Everything an article view holds besides its parent links; copied and
// moved member by member.
struct ArticleParts {
    // The article's displayed text, shared with the record it was built from.
    QString text;
    std::vector<Table> tables;
    RangeStringMap links;
    RangeStringMap labels;
    RangeStringMap images;
    // While set, layout and painting skip the body and the pronounce and
    // show-more buttons.
    bool collapsed = false;
    ArticleHeaderView header;
    std::vector<ParagraphView> paragraphs;
    PushButtonView pronounceButton{PronounceButtonKind};
    PushButtonView deleteButton{DeleteButtonKind};
    PushButtonView editButton{EditButtonKind};
    CheckButtonView expandButton{ExpandButtonKind};
    PushButtonView showMoreButton{ShowMoreButtonKind};
    // The last paragraph a layout pass placed; -1 when none.
    int lastPlacedParagraph = -1;
};

class ArticleView : public View, public ArticleParts {
public:
    ArticleView();
    ArticleView(const ArticleView& other);
    ArticleView(ArticleView&& other) noexcept;
    ArticleView& operator=(const ArticleView& other);
    ArticleView& operator=(ArticleView&& other) noexcept;
    ~ArticleView() = default;

    // The buttons, then the paragraphs, then the article itself; the header
    // keeps its layout.
    void invalidate() override;

    // Makes this view the parent of its parts and paragraphs; needed after
    // the paragraph vector was changed.
    void reparentChildren();
};

} // namespace ArticleEngine
