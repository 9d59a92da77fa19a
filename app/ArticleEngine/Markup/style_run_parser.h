// style_run_parser.h: splits article markup into styled runs.
//
// Syntax (docs/behaviour/article-markup.md): '#' starts a decimal style
// number, '"' after it opens the run's text, '"' followed by '#' or by the
// end closes it, "%XX" with two hexadecimal digits stands for one
// character. The markup comes from files users import: the parser reads
// only inside the string, however it is malformed, and rejects nothing.
#pragma once

class QString;

namespace ArticleEngine {

class MarkupReader;
struct ArticleContent;

class StyleRunParser {
public:
    explicit StyleRunParser(MarkupReader& reader)
        : m_reader(reader)
    {
    }

    // Feeds every run to the reader and ends its input. Always true.
    bool parse(const QString& markup);

    // A style number as written between '#' and '"': an optional sign and
    // decimal digits within the range of int; -1 for anything else.
    static int readStyleNumber(const QString& digits);

private:
    MarkupReader& m_reader;
};

// Reads a whole markup into text, paragraphs and style ranges.
ArticleContent readMarkup(const QString& markup);

} // namespace ArticleEngine
