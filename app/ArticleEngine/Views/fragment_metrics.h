// fragment_metrics.h: the measure of a fragment, a text item or a line.
//
// Widths add up along a line; the five vertical measures of a combination
// are each the largest of its parts, even when they come from different
// parts. The derived height counts the bottom pixel row (+1) so that
// rectangles with inclusive edges come out right.
#pragma once

namespace ArticleEngine {

struct FragmentMetrics {
    int width = 0;
    // Shift upwards of a superscript.
    int raise = 0;
    // Shift downwards of a subscript.
    int lower = 0;
    int ascent = 0;
    int descent = 0;
    int leading = 0;

    int height() const { return raise + lower + ascent + descent + leading + 1; }
    // Where the baseline lies below the top: room is left above it for
    // the highest superscript.
    int baseline() const { return raise + ascent; }
    // Adds the width of other and keeps the larger of each vertical measure.
    void combine(const FragmentMetrics& other);

    bool operator==(const FragmentMetrics&) const = default;
};

// The shift of a raised or lowered fragment for a font whose ascent +
// descent + 1 is fontHeight: truncated fontHeight * 0.45, the factor taken
// as a single-precision value.
int verticalShift(int fontHeight);

} // namespace ArticleEngine
