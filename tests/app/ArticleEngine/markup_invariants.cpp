// markup_invariants.cpp: the invariants of article_content.h,
// table_records.h and character_range.h, checked one by one, and the
// random markup that the reader and writer tests feed them.
#include "markup_invariants.h"

#include <cstdio>
#include <sstream>
#include <string_view>

using namespace ArticleEngine;
using namespace std::literals;

namespace lexvane::testing {

namespace {

std::string at(const char* what, std::size_t index)
{
    return std::string(what) + " " + std::to_string(index);
}

std::string rangesFault(const char* what, const RangeStringMap& map, int length)
{
    int previousEnd = 0;
    for (const auto& [range, text] : map) {
        if (range.start < 0 || range.end > length || range.start >= range.end)
            return std::string(what) + " range outside the text or empty";
        if (range.start < previousEnd)
            return std::string(what) + " ranges overlap";
        previousEnd = range.end;
    }
    return {};
}


const std::u16string_view pieces[] = {
    u"#"sv, u"\""sv, u"%"sv, u"%0A"sv, u"%0a"sv, u"%09"sv, u"%00"sv, u"%23"sv, u"%22"sv,
    u"%2"sv, u"%G"sv, u"%AD"sv, u"%0D"sv, u"\t"sv, u"\n"sv, u"\r"sv, u"\0"sv, u"\u00AD"sv,
    u"a"sv, u"b"sv, u"xyz"sv, u" "sv, u"-"sv, u"+"sv, u"0"sv, u"1"sv, u"7"sv, u"8"sv,
    u"99999999999"sv, u"<table>"sv, u"</table>"sv, u"<TABLE>"sv, u"<row>"sv, u"</row>"sv,
    u"<cell 30%>"sv, u"<cell"sv, u"<cell 150%>"sv, u"<cell rowspan=%222%22>"sv, u"</cell>"sv,
    u"<link x>"sv, u"</link>"sv, u"<label %22n%22>"sv, u"<label"sv, u"<img s>"sv, u"</img>"sv,
    u"<IMG"sv, u"#07\""sv, u"#08\""sv, u"#01\""sv, u"#00\""sv, u"#-7\""sv, u"#x\""sv, u"\"#"sv,
    u"\"#07\""sv, u"\"#02\""sv, u"#07\"<link y>\""sv, u"#08\"</link>\""sv, u"#07\"<img t>\""sv,
    u"#08\"</img>\""sv, u"#01\"text\""sv,
};

} // namespace

std::string contentFault(const ArticleContent& content)
{
    const QString& text = content.text;
    const int length = int(text.size());
    if (text.isEmpty() || text.back() != QLatin1Char('\n'))
        return "text does not end with a line feed";
    for (QChar c : text) {
        if (c.unicode() == 0 || c == QLatin1Char('\r') || c == QLatin1Char('\t') || c.unicode() == 0xAD)
            return "text holds a character the reader drops";
    }

    int expectedStart = 0;
    for (std::size_t i = 0; i < content.paragraphs.size(); ++i) {
        const ParagraphRange& p = content.paragraphs[i];
        if (p.start != expectedStart || p.end <= p.start || p.end > length)
            return at("paragraph not contiguous or empty:", i);
        if (text[p.end - 1] != QLatin1Char('\n'))
            return at("paragraph does not end with a line feed:", i);
        if (text.mid(p.start, p.end - p.start - 1).contains(QLatin1Char('\n')))
            return at("paragraph holds an inner line feed:", i);
        if (p.indent < 0)
            return at("negative indent:", i);
        expectedStart = p.end;
    }
    if (expectedStart != length)
        return "paragraphs do not cover the text";

    expectedStart = 0;
    for (std::size_t i = 0; i < content.styles.size(); ++i) {
        const StyleRange& s = content.styles[i];
        if (s.start != expectedStart || s.end <= s.start || s.end > length)
            return at("style range not contiguous or empty:", i);
        if (i > 0 && content.styles[i - 1].style == s.style)
            return at("neighbouring style ranges share a style:", i);
        expectedStart = s.end;
    }
    if (expectedStart != length)
        return "style ranges do not cover the text";
    return {};
}

std::string elementsFault(const ArticleContent& content, const ArticleElements& elements)
{
    const int length = int(content.text.size());
    const int paragraphs = int(content.paragraphs.size());
    int previousPosition = 0;
    for (const MarkupElement& element : elements.elements) {
        if (element.position < previousPosition || element.position > length)
            return "element position out of order or outside the text";
        previousPosition = element.position;
    }

    auto bounded = [&](int first, int end, int low, int high) {
        return low <= first && first <= end && end <= high;
    };
    int tableLow = 0;
    for (std::size_t t = 0; t < elements.tables.size(); ++t) {
        const Table& table = elements.tables[t];
        if (!bounded(table.firstParagraph, table.endParagraph, tableLow, paragraphs))
            return at("table out of bounds or overlapping:", t);
        tableLow = table.endParagraph;
        int rowLow = table.firstParagraph;
        for (std::size_t r = 0; r < table.rows.size(); ++r) {
            const TableRow& row = table.rows[r];
            if (!bounded(row.firstParagraph, row.endParagraph, rowLow, table.endParagraph))
                return at("row out of its table or overlapping:", r);
            if (row.index != int(r))
                return at("row index differs from its place:", r);
            rowLow = row.endParagraph;
            int cellLow = row.firstParagraph;
            int column = 0;
            for (std::size_t c = 0; c < row.cells.size(); ++c) {
                const TableCell& cell = row.cells[c];
                if (!bounded(cell.firstParagraph, cell.endParagraph, cellLow, row.endParagraph))
                    return at("cell out of its row or overlapping:", c);
                if (cell.columnStart != column || cell.width < 0 || column + cell.width > 100)
                    return at("cell column outside the article:", c);
                if (cell.rowSpan < 0)
                    return at("negative row span:", c);
                cellLow = cell.endParagraph;
                column += cell.width;
            }
        }
    }

    for (auto [name, map] : {std::pair{"link", &elements.links}, std::pair{"label", &elements.labels},
                             std::pair{"image", &elements.images}}) {
        std::string fault = rangesFault(name, *map, length);
        if (!fault.empty())
            return fault;
    }
    return {};
}

std::string describeParagraphs(const ArticleContent& content)
{
    std::ostringstream out;
    for (const ParagraphRange& p : content.paragraphs)
        out << (out.tellp() > 0 ? " " : "") << p.start << '-' << p.end << '/' << p.indent;
    return out.str();
}

std::string describeStyles(const ArticleContent& content)
{
    std::ostringstream out;
    for (const StyleRange& s : content.styles)
        out << (out.tellp() > 0 ? " " : "") << s.start << '-' << s.end << ':' << s.style;
    return out.str();
}

QString randomMarkup(std::mt19937& random)
{
    std::uniform_int_distribution<int> count(0, 80);
    std::uniform_int_distribution<std::size_t> piece(0, std::size(pieces));
    std::uniform_int_distribution<int> anyUnit(1, 0xFFFF);
    QString markup;
    for (int n = count(random); n > 0; --n) {
        const std::size_t p = piece(random);
        if (p == std::size(pieces))
            markup.append(QChar(char16_t(anyUnit(random)))); // now and then any code unit
        else
            markup.append(QString::fromUtf16(pieces[p].data(), qsizetype(pieces[p].size())));
    }
    return markup;
}

std::string escaped(const QString& markup)
{
    std::string out;
    for (QChar c : markup) {
        const char16_t u = c.unicode();
        if (u >= 0x20 && u < 0x7F) {
            out += char(u);
        } else {
            char buffer[12];
            std::snprintf(buffer, sizeof buffer, "\\u%04X", unsigned(u));
            out += buffer;
        }
    }
    return out;
}

} // namespace lexvane::testing
