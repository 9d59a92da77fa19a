// dsl_context.h: the conversion context of DSL text files.
//
// Reading: headword lines, body lines that begin with a TAB or a blank, and
// comments between "{{" and "}}" (also across lines); a group of headword
// lines shares the body lines after it. Building turns the bracketed tags
// of a body into runs of the article markup with styles from the style
// list. Rendering turns a stored body back into DSL body lines. The tags,
// escapes and the choices made where the format leaves room are in
// docs/formats/dsl.md.
//
// Invariants: a built body is always well-formed markup (every run closed,
// no escape cut) and within its room; a rendered article re-imports to the
// same runs, except for the characters docs/formats/dsl.md names.
#pragma once

#include "exchange/import_context.h"

namespace lexvane::engine::exchange {

class UDImportContextDSL : public UDImportContext {
public:
    explicit UDImportContextDSL(std::size_t bodyRoom);

    Feed feedLine(std::u16string_view line) override;
    void buildBody(std::int32_t titleIndex, std::u16string& out, std::size_t room) override;
    bool isHeaderLine(std::u16string_view line) const override;

    // The DSL body lines of a stored body, each beginning with CR LF and a
    // blank. A run whose style is not in the list is written without tags.
    // False when the body is damaged (the text before the damage is kept).
    bool render(std::u16string_view body, std::u16string& out) const;

    void exportHead(std::u16string& out) override;
    void exportArticle(std::u16string_view title, std::u16string_view body, std::u16string& out) override;
    void exportTail(std::u16string& out) override;

    // Characters that body text writes with a '\\' before them, because
    // import reads them as tags, escapes, comments or the headword.
    static bool isBodySpecial(char16_t c);

    // A title as written on a headword line, and read back from one.
    static std::u16string escapeTitleLine(std::u16string_view title);
    static std::u16string unescapeTitleLine(std::u16string_view text);

private:
    // Kept across articles: a comment may span the line that ends one
    // article and begins the next.
    bool m_inComment = false;
};

} // namespace lexvane::engine::exchange
