// default_style_server.h: the style server a widget uses when its host gives
// none: one grey style for every number, and no special styles, so that no
// run is read as an element.
//
// Invariant: the style shares the server's font; both live exactly as long
// as the server.
#pragma once

#include "ArticleEngine/External/style_server.h"

#include <memory>

class QFont;

namespace ArticleEngine::External::Default {

class StyleServer final : public IStyleServer {
public:
    StyleServer();
    ~StyleServer() override;
    StyleServer(const StyleServer&) = delete;
    StyleServer& operator=(const StyleServer&) = delete;

    bool isSpecialStyle(int style) override;
    TextFragmentStyle* style(int style) override;

private:
    // Declared before the style, so that the style that borrows it goes first.
    std::unique_ptr<QFont> m_font;
    std::unique_ptr<TextFragmentStyle> m_style;
};

} // namespace ArticleEngine::External::Default
