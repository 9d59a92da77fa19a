// debug_overlay.h: the controllers' debug drawing of an article's range
// lists (paragraphs, styles, tokens, groups) over the painted article.
//
// Off unless the controller sets overlay bits. Each range is marked at its
// first and last character, both of which must lie in visible, laid-out
// text items; the connector of each bit has its own shape, so that several
// lists can be told apart on one article.
#pragma once

#include "ArticleEngine/Views/paint_context.h"

namespace ArticleEngine {
class ArticleView;
}

namespace ArticleEngine::Loading {
struct ArticleLayoutRecord;
}

namespace ArticleEngine::Controller {

enum OverlayBits {
    ParagraphOverlay = 1,
    StyleOverlay = 2,
    TokenOverlay = 4,
    GroupOverlay = 8,
};

// In the article's parent's coordinates (absolute view rectangles).
void paintDebugOverlays(PaintContext& context, const ArticleView& article,
                        const Loading::ArticleLayoutRecord& record, int bits);

} // namespace ArticleEngine::Controller
