// body_pass.cpp: laying out one paragraph of a pass, and the pass's end.
#include "ArticleEngine/Loading/body_pass.h"

#include "ArticleEngine/Loading/paragraph_layout_loader.h"
#include "ArticleEngine/Views/article_view.h"

namespace ArticleEngine::Loading {

void BodyPass::layOut(int n, const QRect& rect)
{
    ParagraphView& paragraph = article.paragraphs[std::size_t(n)];
    ParagraphLayoutLoader loader(paragraph, rect, partial, lineNumber);
    loader.setText(article.text);
    if (n == 0)
        loader.setFirstLineIndent(firstLineIndent);
    loader.run();
    if (!loader.reused())
        ++laidOutAnew;
    paragraph.hidden = false;
    lineNumber = paragraph.firstLine + paragraph.lineCount;
    lastPlaced = n;
}

void BodyPass::finish(int n)
{
    for (std::size_t i = std::size_t(n); i < article.paragraphs.size(); ++i)
        article.paragraphs[i].invalidate();
}

void collapseParagraph(ParagraphView& paragraph)
{
    paragraph.rect.setHeight(0);
    paragraph.hidden = true;
}

} // namespace ArticleEngine::Loading
