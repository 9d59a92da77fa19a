// element_runs.h: reads article markup for editing: the text that is shown,
// with its paragraphs and style ranges, and every element run kept with
// its style number and place, so that writing the content back
// (markup_writer.h) gives the same elements again.
#pragma once

#include "ArticleEngine/Markup/article_content.h"
#include "ArticleEngine/Markup/markup_writer.h"

#include <vector>

namespace ArticleEngine {

namespace External {
class IStyleServer;
}

struct EditableMarkup {
    // As the element pass leaves it: the elements are cut out.
    ArticleContent content;
    // In text order; positions in the content's text.
    std::vector<ElementRun> elements;
};

EditableMarkup readEditableMarkup(const QString& markup, External::IStyleServer& styles);

} // namespace ArticleEngine
