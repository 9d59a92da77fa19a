// article_output.cpp: the output stage.
#include "output/article_output.h"
#include "common/hexadecimal.h"

#include <cstddef>

// The record crosses the interface as 20 bytes in this order.
static_assert(sizeof(StyleRecord) == 20);
static_assert(offsetof(StyleRecord, color) == 4);
static_assert(offsetof(StyleRecord, language) == 8);
static_assert(offsetof(StyleRecord, level) == 13);
static_assert(offsetof(StyleRecord, secondColor) == 16);

namespace lexvane::engine {

namespace {

int send(const OutputBinding& binding, const char16_t* text, std::size_t length, const StyleRecord* style, int index)
{
    return binding.callback(0, text, static_cast<std::int32_t>(length), style, index, binding.user);
}

} // namespace

std::u16string expandEscapes(std::u16string_view text)
{
    std::u16string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == u'\\' && i + 5 < text.size() && text[i + 1] == u'x') {
            int value = 0;
            bool valid = true;
            for (std::size_t k = 2; k < 6; ++k) {
                const int digit = hexadecimalDigit(text[i + k]);
                valid = valid && digit >= 0;
                value = value * 16 + (digit < 0 ? 0 : digit);
            }
            if (valid) {
                if (value != 0)
                    out.push_back(static_cast<char16_t>(value));
                i += 5;
                continue;
            }
        }
        if (text[i] != 0)
            out.push_back(text[i]);
    }
    return out;
}

int articleOutputForwarder(const OutputBinding& binding, std::u16string_view text, const StyleRecord* style, int index)
{
    if (!binding.callback)
        return LV_OK;
    if (index == kArticleEnd) {
        send(binding, nullptr, 0, nullptr, kArticleEnd);
        return LV_OK;
    }
    if (index == kArticleStart) {
        if (binding.hasHeader)
            send(binding, binding.header.c_str(), binding.header.size(), nullptr, kHeaderIndex);
        if (send(binding, nullptr, 0, nullptr, kArticleStart) != 0) {
            send(binding, nullptr, 0, nullptr, kArticleEnd);
            return LV_STOPPED;
        }
        return LV_OK;
    }
    const std::u16string run = expandEscapes(text);
    if (send(binding, run.c_str(), run.size(), style, index) != 0) {
        send(binding, nullptr, 0, nullptr, kArticleEnd);
        return LV_STOPPED;
    }
    return LV_OK;
}

} // namespace lexvane::engine
