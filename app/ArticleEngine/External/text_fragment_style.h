// text_fragment_style.h: the style of one run of article text.
//
// A plain value, copied into every fragment view. The font is either shared
// (the style server or the caller keeps it alive) or owned (a private copy
// that the style deletes). Copying keeps that distinction: an owned font is
// copied so that every style owns its own, a shared font stays shared.
// Invariant: ownsFont() is true exactly when font() points at the style's
// own copy.
#pragma once

#include <QColor>

#include <array>
#include <memory>

class QFont;

namespace ArticleEngine {

class TextFragmentStyle {
public:
    TextFragmentStyle();
    // The font is shared, not owned. The cleared byte and the owns-font flag
    // start at zero, whatever the caller passes.
    TextFragmentStyle(QFont* font, const QColor& textColor, const QColor& backgroundColor,
                      int verticalAlignment, int extra1, int extra2, int extra3,
                      unsigned char extraByte);

    // Null in styles that only carry colours.
    QFont* font() const { return m_font.font; }
    bool ownsFont() const { return m_font.owned != nullptr; }
    // Shares a font that the caller keeps alive; an owned font is released first.
    void setFont(QFont* font);
    // Takes a private copy of the font and owns it.
    void setOwnedFont(const QFont& font);
    // Deletes the font when owned; the style has no font afterwards.
    void releaseFont();

    // The glyph colour.
    QColor textColor;
    // The run's background; an invalid colour means none.
    QColor backgroundColor;
    // 0 on the baseline, -1 lowered (subscript), +1 raised (superscript).
    int verticalAlignment = 0;
    // Carried with the style and never interpreted; every style the program
    // builds holds zeros here.
    std::array<int, 3> extraInts{};
    unsigned char extraByte = 0;
    unsigned char clearedByte = 0;

private:
    // The font pointer and, when owned, its owner. Copying it copies an owned
    // font and shares a shared one, so the style itself copies member-wise.
    struct FontSlot {
        FontSlot();
        explicit FontSlot(QFont* shared);
        FontSlot(const FontSlot& other);
        FontSlot(FontSlot&& other) noexcept;
        FontSlot& operator=(const FontSlot& other);
        FontSlot& operator=(FontSlot&& other) noexcept;
        ~FontSlot();

        QFont* font = nullptr;
        std::unique_ptr<QFont> owned;
    };

    FontSlot m_font;
};

} // namespace ArticleEngine
