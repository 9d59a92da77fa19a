// shaping_runs.h: the stretches of a paragraph whose characters take their
// shapes from each other: joining letters (Arabic, Syriac, N'Ko, Mongolian
// ...), the consonant clusters of Indic scripts, and any letter with the
// combining marks that follow it.
//
// Layout keeps one width per character and mostly one item per character;
// such a stretch is measured as one shaped string, its characters taking
// their shares of it, and painted as one string over their rectangles
// (docs/behaviour/article-layout.md, "Measuring", and
// article-painting.md). Measuring and painting both ask here, so that they
// always agree on the stretches.
//
// A run covers whole fragments of one style (the same shared style record,
// with a font, no picture), consecutive in the text, every character of
// which joins its neighbours; it has at least two characters and one
// strong writing direction, which is the run's (the paragraph's when it has
// none). When that direction is right to left (the paragraph's, or Arabic
// in a left-to-right paragraph) each of its fragments is the only fragment
// of its item, so that the items, placed from the right, stand where the
// shaped string puts their characters. Anything else is measured and drawn
// character by character.
#pragma once

#include <QString>
#include <QStringView>

#include <cstddef>
#include <optional>
#include <vector>

namespace ArticleEngine {

class ParagraphView;
class TextItemFragmentView;

struct ShapingRun {
    // Fragment indexes in the paragraph's fragment array, [first, end).
    std::size_t firstFragment = 0;
    std::size_t endFragment = 0;
    // The item that holds the first fragment.
    std::size_t firstItem = 0;
    // The characters of the article text, [start, end).
    int start = 0;
    int end = 0;
    bool rightToLeft = false;
};

// Whether the fragment (with the character after it) could belong to a
// run: a cheap test on code values, so that plain text skips the search.
bool mayJoin(const TextItemFragmentView& fragment, const QString& text);

// The run that holds the fragment at index fragment of the paragraph's
// fragment array, of whose item item is the index; none when the fragment
// is drawn on its own.
std::optional<ShapingRun> shapingRunAt(const ParagraphView& paragraph, const QString& text,
                                       std::size_t item, std::size_t fragment);

// Every run of the paragraph, in text order.
std::vector<ShapingRun> shapingRuns(const ParagraphView& paragraph, const QString& text);

} // namespace ArticleEngine
