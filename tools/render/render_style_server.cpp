// render_style_server.cpp: the render tool's fixed styles.
#include "render_style_server.h"

using ArticleEngine::TextFragmentStyle;

namespace lexvane::render {

RenderStyleServer::RenderStyleServer()
    : header(QStringLiteral("DejaVu Sans"), 11)
    , m_plain(QStringLiteral("DejaVu Sans"), 10)
    , m_bold(QStringLiteral("DejaVu Sans"), 11)
    , m_italic(QStringLiteral("DejaVu Sans"), 10)
    , m_small(QStringLiteral("DejaVu Sans"), 8)
{
    header.setBold(true);
    m_bold.setBold(true);
    m_italic.setItalic(true);
    auto add = [this](int number, QFont* font, QColor color, int alignment) {
        m_styles[number] = TextFragmentStyle(font, color, QColor(), alignment, 0, 0, 0, 0);
    };
    add(1, &m_bold, QColor(0, 0, 140), 0);       // headword
    add(2, &m_italic, QColor(0, 110, 0), 0);     // remark
    add(3, &m_plain, QColor(0, 0, 0), 0);        // text
    add(4, &m_italic, QColor(120, 60, 0), 0);    // example
    add(5, &m_small, QColor(110, 110, 110), 0);  // grammar
    add(6, &m_small, QColor(0, 0, 0), 1);        // raised
    add(8, &m_small, QColor(0, 0, 0), -1);       // lowered
    add(9, &m_plain, QColor(0, 0, 200), 0);      // link text
}

TextFragmentStyle* RenderStyleServer::style(int style)
{
    auto found = m_styles.find(style);
    return found == m_styles.end() ? nullptr : &found->second;
}

} // namespace lexvane::render
