// quick_access_index.h: the points from which stepping through a word list
// can start ("QIDX" for the main list, "Iqat" for the alternative list).
//
// Each point names an entry, the stream positions (plain bit numbers) at
// which that entry starts, and the first characters of its headword for
// bisection. Invariants after parse(): entry indexes ascend strictly and lie
// below the list's entry count, so a bisection over them is well defined.
// See docs/formats/compiled-dictionary.md.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace lexvane::engine {

struct QuickAccessPoint {
    std::int32_t entry = 0;
    std::uint32_t articlePosition = 0;   // main list: article stream; alternative list: article-count base
    std::uint32_t headwordPosition = 0;  // headword stream (format 615 and later, and the alternative list)
    std::string prefix8;                 // 8-bit prefix (8-bit dictionaries)
    std::u16string prefix16;             // UTF-16 prefix (UTF-8 dictionaries and the alternative list)
};

class QuickAccessIndex {
public:
    enum class Layout {
        kSingleStream,  // before 615: entry, position, 8 bytes of headword (16 bytes)
        kTwoStreams8,   // 615 and later, 8-bit words (20 bytes)
        kUtf8Words,     // UTF-8 words (28 bytes)
        kAlternative,   // "Iqat": little-endian, 28 bytes
    };

    static std::size_t entrySize(Layout layout);

    // Parses and checks the resource. Status 0 or 515.
    int parse(std::span<const std::uint8_t> bytes, Layout layout, std::int32_t entryCount);

    std::size_t size() const { return m_points.size(); }
    const QuickAccessPoint& operator[](std::size_t k) const { return m_points[k]; }

    // The last point whose entry is not above `entry`; -1 when none.
    std::int32_t pointAtOrBefore(std::int32_t entry) const;

private:
    std::vector<QuickAccessPoint> m_points;
};

} // namespace lexvane::engine
