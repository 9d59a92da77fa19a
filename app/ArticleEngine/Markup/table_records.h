// table_records.h: tables as records over an article's paragraph numbers.
//
// The element pass builds them from table, row and cell elements; the table
// layout places the paragraphs they name. Invariants (kept by the element
// pass): 0 <= firstParagraph <= endParagraph <= the paragraph count; the
// tables of an article, the rows of a table and the cells of a row follow
// each other without overlap and lie inside their parent; a row's index is
// its place in the table; cell widths and column starts are percentages of
// the article width with columnStart + width <= 100.
#pragma once

#include <vector>

namespace ArticleEngine {

struct TableCell {
    int firstParagraph = 0;
    int endParagraph = 0; // exclusive
    int width = 100;
    // Rows the cell covers; 0 means no span.
    int rowSpan = 0;
    // The sum of the widths of the cells before it in its row.
    int columnStart = 0;
};

struct TableRow {
    int firstParagraph = 0;
    int endParagraph = 0; // exclusive
    std::vector<TableCell> cells;
    int index = 0;
};

struct Table {
    int firstParagraph = 0;
    int endParagraph = 0; // exclusive
    std::vector<TableRow> rows;
};

} // namespace ArticleEngine
