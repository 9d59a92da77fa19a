// style_server.h: where the article engine gets text styles and pictures.
//
// Style numbers mean nothing to the engine: the server decides their look
// and which of them are special, that is carry markup elements instead of
// text. The server keeps ownership of every style it returns.
#pragma once

class QPixmap;
class QString;

namespace ArticleEngine {
class TextFragmentStyle;
}

namespace ArticleEngine::External {

class IStyleServer {
public:
    virtual ~IStyleServer() = default;

    // The first of styles 1 to 9 that exists and has a font; null when none
    // has. Style 0 is never tried.
    virtual TextFragmentStyle* defaultStyle();
    // The picture an image element refers to; an empty pixmap by default.
    virtual QPixmap image(const QString& reference);
    // The style number that pasted runs declared with this style get in the
    // receiving article; 0 by default.
    virtual int styleExtra(const TextFragmentStyle& declared);
    virtual bool isSpecialStyle(int style) = 0;
    // May be null for a number the server does not know.
    virtual TextFragmentStyle* style(int style) = 0;

    // The style to draw a run of the given number with: style(number), else
    // defaultStyle(), else an empty style without font. Negative numbers
    // mean "no style" and are never passed to style().
    const TextFragmentStyle& effectiveStyle(int style);
};

} // namespace ArticleEngine::External
