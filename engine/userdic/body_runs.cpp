// body_runs.cpp: rewriting bodies into run form and splitting them.
#include "userdic/body_runs.h"

namespace lexvane::engine::userdic {

namespace {
bool isDigit(char16_t c)
{
    return c >= u'0' && c <= u'9';
}
} // namespace

std::u16string toRunForm(std::u16string_view body)
{
    std::u16string out;
    out.reserve(body.size());
    bool seenFirst = false;
    for (std::size_t i = 0; i < body.size(); ++i) {
        const char16_t c = body[i];
        if (c == u'"')
            continue;
        if (c != u'#') {
            out.push_back(c);
            continue;
        }
        if (!seenFirst) {
            seenFirst = true;
            out.push_back(kHeadwordMarker);
            continue;
        }
        // At most two digits; missing digits leave a smaller number rather
        // than reading whatever follows as one.
        int number = 0;
        for (int k = 0; k < 2 && i + 1 < body.size() && isDigit(body[i + 1]); ++k, ++i)
            number = number * 10 + (body[i + 1] - u'0');
        out.push_back(static_cast<char16_t>(kStyleMarkerBase + number));
    }
    return out;
}

std::u16string_view runPrefix(std::u16string_view runForm)
{
    std::size_t end = 0;
    while (end < runForm.size() && !isRunMarker(runForm[end]))
        ++end;
    return runForm.substr(0, end);
}

std::vector<Run> splitRuns(std::u16string_view runForm)
{
    std::vector<Run> runs;
    const std::u16string_view prefix = runPrefix(runForm);
    runs.push_back({-2, prefix});
    std::size_t position = prefix.size();
    bool headwordSegment = true;
    while (position < runForm.size()) {
        const char16_t marker = runForm[position];
        std::size_t end = position + 1;
        while (end < runForm.size() && !isRunMarker(runForm[end]))
            ++end;
        if (!headwordSegment)
            runs.push_back({marker - kStyleMarkerBase, runForm.substr(position + 1, end - position - 1)});
        headwordSegment = false;
        position = end;
    }
    runs.push_back({-1, runForm.substr(runForm.size())});
    return runs;
}

} // namespace lexvane::engine::userdic
