// body_merge.cpp: appending whole runs behind a line break.
#include "exchange/body_merge.h"

namespace lexvane::engine::exchange {

void mergeBodies(std::u16string_view stored, std::u16string_view added, std::size_t room, std::u16string& out)
{
    if (stored.empty()) {
        out.assign(added.substr(0, room));
        return;
    }
    out.assign(stored);
    const std::size_t first = added.find(u'#');
    const std::size_t runs = first == std::u16string_view::npos ? first : added.find(u'#', first + 1);
    if (runs == std::u16string_view::npos)
        return;
    if (out.back() == u'"') {
        // The break goes inside the stored body's last run.
        constexpr std::u16string_view kBreak = u"%0d%0a\"";
        if (out.size() - 1 + kBreak.size() > room)
            return;
        out.pop_back();
        out += kBreak;
    }
    // Run texts never hold a bare '#', so each '#' begins a run.
    std::size_t at = runs;
    while (at < added.size()) {
        std::size_t end = added.find(u'#', at + 1);
        if (end == std::u16string_view::npos)
            end = added.size();
        const std::u16string_view run = added.substr(at, end - at);
        if (run.back() != u'"' || out.size() + run.size() > room)
            return;
        out += run;
        at = end;
    }
}

} // namespace lexvane::engine::exchange
