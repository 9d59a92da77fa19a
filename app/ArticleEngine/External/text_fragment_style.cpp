// text_fragment_style.cpp: font ownership of a text style.
#include "ArticleEngine/External/text_fragment_style.h"

#include <QFont>

#include <utility>

namespace ArticleEngine {

TextFragmentStyle::TextFragmentStyle() = default;

TextFragmentStyle::TextFragmentStyle(QFont* font, const QColor& textColor,
                                     const QColor& backgroundColor, int verticalAlignment,
                                     int extra1, int extra2, int extra3,
                                     unsigned char extraByte)
    : textColor(textColor)
    , backgroundColor(backgroundColor)
    , verticalAlignment(verticalAlignment)
    , extraInts{extra1, extra2, extra3}
    , extraByte(extraByte)
    , m_font(font)
{
}

void TextFragmentStyle::setFont(QFont* font)
{
    // Sharing the font it owns keeps it owned: releasing it first would
    // leave the style pointing at a deleted font.
    if (font == m_font.font)
        return;
    releaseFont();
    m_font.font = font;
}

void TextFragmentStyle::setOwnedFont(const QFont& font)
{
    // Copy before releasing: the argument may be the font this style owns.
    auto copy = std::make_unique<QFont>(font);
    m_font.owned = std::move(copy);
    m_font.font = m_font.owned.get();
}

void TextFragmentStyle::releaseFont()
{
    m_font.owned.reset();
    m_font.font = nullptr;
}

TextFragmentStyle::FontSlot::FontSlot() = default;

TextFragmentStyle::FontSlot::FontSlot(QFont* shared)
    : font(shared)
{
}

TextFragmentStyle::FontSlot::FontSlot(const FontSlot& other)
    : font(other.font)
{
    if (other.owned) {
        owned = std::make_unique<QFont>(*other.owned);
        font = owned.get();
    }
}

TextFragmentStyle::FontSlot::FontSlot(FontSlot&& other) noexcept
    : font(std::exchange(other.font, nullptr))
    , owned(std::move(other.owned))
{
}

TextFragmentStyle::FontSlot& TextFragmentStyle::FontSlot::operator=(const FontSlot& other)
{
    if (this != &other) {
        FontSlot copy(other);
        *this = std::move(copy);
    }
    return *this;
}

TextFragmentStyle::FontSlot& TextFragmentStyle::FontSlot::operator=(FontSlot&& other) noexcept
{
    if (this != &other) {
        owned = std::move(other.owned);
        font = std::exchange(other.font, nullptr);
    }
    return *this;
}

TextFragmentStyle::FontSlot::~FontSlot() = default;

} // namespace ArticleEngine
