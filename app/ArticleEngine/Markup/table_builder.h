// table_builder.h: builds table records from table, row and cell elements
// in the order the element pass meets them.
//
// Elements come from untrusted markup, so every call is checked: a closing
// element without its opener and a row or cell outside its parent are
// ignored; an opener closes an open sibling (tables do not nest); closing a
// parent closes its children; every paragraph number is clamped so that the
// invariants of table_records.h hold whatever the order of calls.
#pragma once

#include "ArticleEngine/Markup/table_records.h"

#include <vector>

namespace ArticleEngine {

class TableBuilder {
public:
    explicit TableBuilder(int paragraphCount)
        : m_paragraphCount(paragraphCount)
    {
    }

    // Openers take the paragraph at the element; closers the paragraph
    // number after the last one they keep.
    void openTable(int paragraph);
    void closeTable(int endParagraph);
    void openRow(int paragraph);
    void closeRow(int endParagraph);
    // The width is clamped to what is left of the row (0 to 100 percent).
    void openCell(int paragraph, int width, int rowSpan);
    void closeCell(int endParagraph);

    // Closes what is still open at the end of the article.
    std::vector<Table> finish();

private:
    int clamp(int paragraph, int lowest) const;

    int m_paragraphCount;
    std::vector<Table> m_tables;
    bool m_tableOpen = false;
    bool m_rowOpen = false;
    bool m_cellOpen = false;
};

} // namespace ArticleEngine
