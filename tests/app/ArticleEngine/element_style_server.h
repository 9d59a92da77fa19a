// element_style_server.h: a style server for markup tests. Styles 7 and 8
// are special, as the program's link style and a picture style are; it
// records every number it is asked about.
#pragma once

#include "ArticleEngine/External/style_server.h"

#include <vector>

namespace lexvane::testing {

class ElementStyleServer : public ArticleEngine::External::IStyleServer {
public:
    bool isSpecialStyle(int style) override
    {
        asked.push_back(style);
        return style == 7 || style == 8;
    }
    ArticleEngine::TextFragmentStyle* style(int) override { return nullptr; }

    std::vector<int> asked;
};

} // namespace lexvane::testing
