// hexadecimal.h: the value of one hexadecimal digit in 16-bit text.
#pragma once

namespace lexvane::engine {

// 0 to 15, or -1 when `c` is not a hexadecimal digit (either case).
inline int hexadecimalDigit(char16_t c)
{
    if (c >= u'0' && c <= u'9')
        return c - u'0';
    if (c >= u'A' && c <= u'F')
        return c - u'A' + 10;
    if (c >= u'a' && c <= u'f')
        return c - u'a' + 10;
    return -1;
}

} // namespace lexvane::engine
