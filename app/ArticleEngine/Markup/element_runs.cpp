// element_runs.cpp: the element pass, keeping what it cuts.
#include "ArticleEngine/Markup/element_runs.h"

#include "ArticleEngine/External/style_server.h"
#include "ArticleEngine/Markup/element_pass.h"
#include "ArticleEngine/Markup/style_run_parser.h"

namespace ArticleEngine {

EditableMarkup readEditableMarkup(const QString& markup, External::IStyleServer& styles)
{
    EditableMarkup result;
    result.content = readMarkup(markup);
    // The reader's style ranges cover its text without gaps, so every cut
    // run is one range; its place is counted like the element pass counts.
    int removed = 0;
    for (const StyleRange& range : result.content.styles) {
        if (range.style < 0 || !styles.isSpecialStyle(range.style))
            continue;
        result.elements.push_back({range.start - removed, range.style,
                                   result.content.text.mid(range.start, range.end - range.start)});
        removed += range.end - range.start;
    }
    if (!result.elements.empty())
        takeElements(result.content, styles);
    return result;
}

} // namespace ArticleEngine
