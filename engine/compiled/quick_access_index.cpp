// quick_access_index.cpp: parsing and searching the quick-access points.
#include "compiled/quick_access_index.h"

#include "common/byte_order.h"
#include "lexvane_engine.h"

namespace lexvane::engine {

std::size_t QuickAccessIndex::entrySize(Layout layout)
{
    switch (layout) {
    case Layout::kSingleStream:
        return 16;
    case Layout::kTwoStreams8:
        return 20;
    case Layout::kUtf8Words:
    case Layout::kAlternative:
        return 28;
    }
    return 28;
}

int QuickAccessIndex::parse(std::span<const std::uint8_t> data, Layout layout, std::int32_t entryCount)
{
    m_points.clear();
    const bool little = layout == Layout::kAlternative;
    bytes::ByteView view(data);
    const std::uint32_t count = little ? view.littleEndian32() : view.bigEndian32();
    if (view.failed() || count > (data.size() - 4) / entrySize(layout))
        return LV_NOT_PRESENT;
    m_points.reserve(count);
    auto number = [&] { return little ? view.littleEndian32() : view.bigEndian32(); };
    for (std::uint32_t k = 0; k < count; ++k) {
        QuickAccessPoint point;
        point.entry = static_cast<std::int32_t>(number());
        point.articlePosition = number();
        if (layout != Layout::kSingleStream)
            point.headwordPosition = number();
        if (layout == Layout::kSingleStream || layout == Layout::kTwoStreams8) {
            std::span<const std::uint8_t> text = view.bytes(8);
            for (std::uint8_t byte : text) {
                if (byte == 0)
                    break;
                point.prefix8.push_back(static_cast<char>(byte));
            }
        } else {
            for (int i = 0; i < 8; ++i) {
                const char16_t unit = little ? view.littleEndian16() : view.bigEndian16();
                if (unit == 0)
                    break;
                point.prefix16.push_back(unit);
            }
            view.seek(4 + (k + 1) * entrySize(layout));
        }
        if (point.entry < 0 || point.entry >= entryCount)
            return LV_NOT_PRESENT;
        if (!m_points.empty() && point.entry <= m_points.back().entry)
            return LV_NOT_PRESENT;
        m_points.push_back(std::move(point));
    }
    if (view.failed()) {
        m_points.clear();
        return LV_NOT_PRESENT;
    }
    return LV_OK;
}

std::int32_t QuickAccessIndex::pointAtOrBefore(std::int32_t entry) const
{
    std::size_t low = 0;
    std::size_t high = m_points.size();
    while (low < high) {
        const std::size_t middle = (low + high) / 2;
        if (m_points[middle].entry <= entry)
            low = middle + 1;
        else
            high = middle;
    }
    return static_cast<std::int32_t>(low) - 1;
}

} // namespace lexvane::engine
