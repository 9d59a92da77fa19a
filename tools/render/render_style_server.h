// render_style_server.h: the styles of the render tool, shaped like a
// dictionary's: headword, remark, plain text, example, grammar, raised and
// lowered text, and style 7 carrying elements (tables, links, pictures).
//
// Invariant: the styles share the server's fonts, which live as long as
// the server.
#pragma once

#include "ArticleEngine/External/style_server.h"
#include "ArticleEngine/External/text_fragment_style.h"

#include <QFont>

#include <map>

namespace lexvane::render {

class RenderStyleServer final : public ArticleEngine::External::IStyleServer {
public:
    RenderStyleServer();
    RenderStyleServer(const RenderStyleServer&) = delete;
    RenderStyleServer& operator=(const RenderStyleServer&) = delete;

    bool isSpecialStyle(int style) override { return style == 7; }
    ArticleEngine::TextFragmentStyle* style(int style) override;

    QFont header;

private:
    QFont m_plain;
    QFont m_bold;
    QFont m_italic;
    QFont m_small;
    std::map<int, ArticleEngine::TextFragmentStyle> m_styles;
};

} // namespace lexvane::render
