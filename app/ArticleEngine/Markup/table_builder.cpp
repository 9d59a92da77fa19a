// table_builder.cpp: checked opening and closing of tables, rows and cells.
#include "ArticleEngine/Markup/table_builder.h"

#include <algorithm>
#include <utility>

namespace ArticleEngine {

int TableBuilder::clamp(int paragraph, int lowest) const
{
    return std::clamp(paragraph, lowest, m_paragraphCount);
}

void TableBuilder::openTable(int paragraph)
{
    closeTable(paragraph);
    const int lowest = m_tables.empty() ? 0 : m_tables.back().endParagraph;
    Table table;
    table.firstParagraph = clamp(paragraph, lowest);
    table.endParagraph = table.firstParagraph;
    m_tables.push_back(table);
    m_tableOpen = true;
}

void TableBuilder::closeTable(int endParagraph)
{
    if (!m_tableOpen)
        return;
    closeRow(endParagraph);
    Table& table = m_tables.back();
    table.endParagraph = clamp(endParagraph, table.firstParagraph);
    if (!table.rows.empty())
        table.endParagraph = std::max(table.endParagraph, table.rows.back().endParagraph);
    m_tableOpen = false;
}

void TableBuilder::openRow(int paragraph)
{
    if (!m_tableOpen)
        return;
    closeRow(paragraph);
    Table& table = m_tables.back();
    const int lowest = table.rows.empty() ? table.firstParagraph : table.rows.back().endParagraph;
    TableRow row;
    row.firstParagraph = clamp(paragraph, lowest);
    row.endParagraph = row.firstParagraph;
    row.index = int(table.rows.size());
    table.rows.push_back(row);
    m_rowOpen = true;
}

void TableBuilder::closeRow(int endParagraph)
{
    if (!m_rowOpen)
        return;
    closeCell(endParagraph);
    TableRow& row = m_tables.back().rows.back();
    row.endParagraph = clamp(endParagraph, row.firstParagraph);
    if (!row.cells.empty())
        row.endParagraph = std::max(row.endParagraph, row.cells.back().endParagraph);
    m_rowOpen = false;
}

void TableBuilder::openCell(int paragraph, int width, int rowSpan)
{
    if (!m_rowOpen)
        return;
    closeCell(paragraph);
    TableRow& row = m_tables.back().rows.back();
    TableCell cell;
    if (!row.cells.empty()) {
        const TableCell& previous = row.cells.back();
        cell.columnStart = previous.columnStart + previous.width;
    }
    const int lowest = row.cells.empty() ? row.firstParagraph : row.cells.back().endParagraph;
    cell.firstParagraph = clamp(paragraph, lowest);
    cell.endParagraph = cell.firstParagraph;
    cell.width = std::clamp(width, 0, 100 - cell.columnStart);
    cell.rowSpan = std::max(rowSpan, 0);
    row.cells.push_back(cell);
    m_cellOpen = true;
}

void TableBuilder::closeCell(int endParagraph)
{
    if (!m_cellOpen)
        return;
    TableCell& cell = m_tables.back().rows.back().cells.back();
    cell.endParagraph = clamp(endParagraph, cell.firstParagraph);
    m_cellOpen = false;
}

std::vector<Table> TableBuilder::finish()
{
    closeTable(m_paragraphCount);
    return std::move(m_tables);
}

} // namespace ArticleEngine
