// table_pass.cpp: the article pass with tables.
//
// Paragraphs outside tables stack at full width. The cells of a table row
// share one top edge; a cell's paragraphs stack in its column under one
// frame; when the row is finished every cell ends on the row's lowest line.
// A cell with a row span of N keeps its column for the next N - 1 rows:
// the paragraphs of those rows' cells at its column are collapsed, and the
// last covered row reaches down to the spanning cell's bottom. Invariants:
// rows are told apart by (table, row), so adjacent tables never merge;
// span records never outlive their table, and a span longer than the table
// ends with its last row; every row begun is finished,
// also the one that ends the article. See docs/behaviour/article-layout.md,
// "Tables".
#include "ArticleEngine/Loading/table_pass.h"

#include "ArticleEngine/Views/article_view.h"

#include <algorithm>
#include <map>

namespace ArticleEngine::Loading {

namespace {

constexpr int cellBorders = 15;
constexpr int topBorder = 1;
constexpr int bottomBorder = 4;
constexpr int cellMargin = 5;

// A cell that spans rows, kept under its column start.
struct Span {
    // Rows below the current one that the span still covers: more than 0
    // while it goes on, 0 in its last row.
    int remaining = 0;
    int firstParagraph = 0;
    int endParagraph = 0;
};

class TablePass {
public:
    explicit TablePass(BodyPass& pass)
        : m_pass(pass)
        , m_paragraphs(pass.article.paragraphs)
        , m_tables(pass.article.tables)
        , m_nextTop(pass.area.top())
    {
    }

    void run();

private:
    ParagraphView& paragraph(int n) { return m_paragraphs[std::size_t(n)]; }
    // The table, row and cell that hold n, walked forward; null when none.
    const Table* tableOf(int n);
    const TableRow* rowOf(int n, const Table& table);
    const TableCell* cellOf(int n, const TableRow& row);
    void beginRow(const TableRow& row);
    void finishRow();
    void closeTable();
    void placeCellParagraph(int n, const TableCell& cell);
    // Lays n out at the open row's top (else where the next row would
    // begin) with zero height, hidden.
    void hide(int n);

    BodyPass& m_pass;
    std::vector<ParagraphView>& m_paragraphs;
    const std::vector<Table>& m_tables;
    std::size_t m_table = 0;
    std::size_t m_row = 0;
    std::size_t m_cell = 0;
    // The open row: its table and row numbers, -1 when none.
    int m_openTable = -1;
    int m_openRow = -1;
    const TableRow* m_currentRow = nullptr;
    int m_rowTop = 0;
    int m_rowBottom = 0;
    // Where the next row or paragraph begins.
    int m_nextTop;
    std::map<int, Span> m_spans;
};

const Table* TablePass::tableOf(int n)
{
    while (m_table < m_tables.size() && m_tables[m_table].endParagraph <= n) {
        ++m_table;
        m_row = 0;
        m_cell = 0;
    }
    if (m_table < m_tables.size() && m_tables[m_table].firstParagraph <= n)
        return &m_tables[m_table];
    return nullptr;
}

const TableRow* TablePass::rowOf(int n, const Table& table)
{
    while (m_row < table.rows.size() && table.rows[m_row].endParagraph <= n) {
        ++m_row;
        m_cell = 0;
    }
    if (m_row < table.rows.size() && table.rows[m_row].firstParagraph <= n)
        return &table.rows[m_row];
    return nullptr;
}

const TableCell* TablePass::cellOf(int n, const TableRow& row)
{
    while (m_cell < row.cells.size() && row.cells[m_cell].endParagraph <= n)
        ++m_cell;
    if (m_cell < row.cells.size() && row.cells[m_cell].firstParagraph <= n)
        return &row.cells[m_cell];
    return nullptr;
}

void TablePass::beginRow(const TableRow& row)
{
    m_currentRow = &row;
    // Every row, the first of a table too, begins below what stands above
    // it, without overlap.
    m_rowTop = m_nextTop;
    m_rowBottom = m_rowTop - 1;
    for (auto& [column, span] : m_spans)
        --span.remaining;
    for (const TableCell& cell : row.cells) {
        // A span of one row or less is no span.
        if (cell.rowSpan > 1)
            m_spans[cell.columnStart] = Span{cell.rowSpan - 1, cell.firstParagraph, cell.endParagraph};
    }
}

void TablePass::finishRow()
{
    if (m_currentRow == nullptr)
        return;
    // Spans that end in this row reach down to their cell's bottom, also
    // where this row has no cell at their column.
    for (const auto& [column, span] : m_spans) {
        if (span.remaining == 0 && span.endParagraph > span.firstParagraph)
            m_rowBottom = std::max(m_rowBottom, paragraph(span.endParagraph - 1).rect.bottom());
    }
    for (const TableCell& cell : m_currentRow->cells) {
        if (cell.endParagraph > cell.firstParagraph && m_spans.count(cell.columnStart) == 0)
            paragraph(cell.endParagraph - 1).rect.setBottom(m_rowBottom);
    }
    for (auto it = m_spans.begin(); it != m_spans.end();) {
        if (it->second.remaining > 0) {
            ++it;
            continue;
        }
        if (it->second.endParagraph > it->second.firstParagraph)
            paragraph(it->second.endParagraph - 1).rect.setBottom(m_rowBottom);
        it = m_spans.erase(it);
    }
    m_nextTop = m_rowBottom + 1;
    m_currentRow = nullptr;
    m_openRow = -1;
}

void TablePass::closeTable()
{
    // A span that runs past the table's last row ends with it, so the table
    // reaches down to the spanning cell's bottom.
    for (auto& [column, span] : m_spans)
        span.remaining = 0;
    finishRow();
    m_spans.clear();
    m_openTable = -1;
}

void TablePass::hide(int n)
{
    const QRect& area = m_pass.area;
    const int top = m_currentRow != nullptr ? m_rowTop : m_nextTop;
    m_pass.layOut(n, QRect(area.left(), top, area.width(), area.height()));
    collapseParagraph(paragraph(n));
}

void TablePass::placeCellParagraph(int n, const TableCell& cell)
{
    const QRect& area = m_pass.area;
    const auto found = m_spans.find(cell.columnStart);
    const int remaining = found == m_spans.end() ? -1 : found->second.remaining;
    const bool ownSpan = found != m_spans.end() && found->second.firstParagraph == cell.firstParagraph;
    const bool covered = remaining >= 0 && !ownSpan;
    const bool continuing = n > cell.firstParagraph;

    ParagraphView& current = paragraph(n);
    if (!covered) {
        current.frame.borderMask = cellBorders;
        current.frame.borderColor = QColor(0, 0, 0);
        current.frame.margins = QMargins(cellMargin, cellMargin, cellMargin, cellMargin);
        if (continuing) {
            // One box around the whole cell.
            paragraph(n - 1).frame.borderMask &= ~bottomBorder;
            current.frame.borderMask &= ~topBorder;
        }
    }
    const double width = area.width();
    const int left = area.left() + int(width * cell.columnStart / 100.0);
    const int right = area.left() + int(width * (cell.columnStart + cell.width) / 100.0) - 1;
    const int top = continuing ? paragraph(n - 1).rect.bottom() + 1 : m_rowTop;
    m_pass.layOut(n, QRect(QPoint(left, top), QPoint(right, top + area.height() - 1)));
    if (covered)
        collapseParagraph(current);
    else if (remaining < 0)
        m_rowBottom = std::max(m_rowBottom, current.rect.bottom());
}

void TablePass::run()
{
    const int count = int(m_paragraphs.size());
    QRect& area = m_pass.area;
    int n = 0;
    for (; n < count; ++n) {
        const Table* table = tableOf(n);
        if (table == nullptr) {
            closeTable();
            if (m_pass.partial && m_nextTop > area.bottom())
                break;
            m_pass.layOut(n, QRect(QPoint(area.left(), m_nextTop), QPoint(area.right(), area.bottom())));
            m_nextTop = paragraph(n).rect.bottom() + 1;
            continue;
        }
        const int tableNumber = int(m_table);
        if (tableNumber != m_openTable) {
            // Adjacent tables: the one before ends here.
            closeTable();
            m_openTable = tableNumber;
        }
        const TableRow* row = rowOf(n, *table);
        if (row == nullptr) {
            // Inside a table but in no row: nothing to show it in.
            hide(n);
            continue;
        }
        if (int(m_row) != m_openRow) {
            finishRow();
            m_openRow = int(m_row);
            beginRow(*row);
        }
        const TableCell* cell = cellOf(n, *row);
        if (cell == nullptr)
            hide(n);
        else
            placeCellParagraph(n, *cell);
    }
    // A table that ends the article has its last row finished too.
    closeTable();
    area.setTop(m_nextTop);
    m_pass.finish(n);
}

} // namespace

void layOutTables(BodyPass& pass)
{
    TablePass(pass).run();
}

} // namespace ArticleEngine::Loading
