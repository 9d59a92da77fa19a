// mlx_context.h: the conversion context of MLX files, HTML fragments in
// which each article is a block of divs holding span runs and the styles
// are CSS classes of one style element.
//
// Reading: the lines are cut into tags and text (mlx_tokenizer.h), the
// style sheet fills the class map (mlx_style_sheet.h), divs and spans
// choose the style of the text and mark the article boundaries, and text
// becomes runs of the article markup in the body buffer. The spans of the
// headword classes give the article's one headword. Writing: one style
// sheet, then one block per article. The format as read and written, and
// the choices made where it left room, are in docs/formats/mlx.md.
//
// Invariants: the body buffer holds only whole, closed runs; a line that
// ends an article in its middle is kept from the tag that ended it and
// read from there when it is fed again; a built body is well-formed markup
// within its room.
#pragma once

#include "exchange/import_context.h"
#include "exchange/mlx_style_sheet.h"
#include "exchange/mlx_tokenizer.h"

#include <vector>

namespace lexvane::engine::exchange {

class UDImportContextMLX : public UDImportContext {
public:
    explicit UDImportContextMLX(std::size_t bodyRoom);

    Feed feedLine(std::u16string_view line) override;
    void clearArticle() override;
    void reset() override;
    void buildBody(std::int32_t titleIndex, std::u16string& out, std::size_t room) override;
    // The unclassed divs (one for each article of the file) less the
    // headwords stored.
    std::int32_t articlesNotStored(std::int64_t stored) const override;

    void exportHead(std::u16string& out) override;
    void exportArticle(std::u16string_view title, std::u16string_view body, std::u16string& out) override;

    // The block of one stored body. A run whose style is not in the list is
    // written without a class. False when the body is damaged: the block
    // then ends where the damage begins, with every element closed.
    bool render(std::u16string_view title, std::u16string_view body, std::u16string& out) const;
    // The opening of an article block with `headword` as its headword line.
    static std::u16string headwordBlock(std::u16string_view headword);

private:
    // An open div: whether it had a class (its end then ends a body line),
    // and the style and visibility that its text has.
    struct Div {
        bool classed;
        StyleRecord style;
        bool hidden;
    };

    // False when the tag ends the article before it and must be read again.
    bool handleTag(std::u16string_view tag);
    bool handleDiv(std::u16string_view tag);
    void handleSpan(std::u16string_view tag);
    void closeDiv();
    void handleText(std::u16string_view text, bool lineStart);
    bool writeRun(const StyleRecord& style, int tabs, std::u16string_view text);
    void collectHeadword(std::u16string_view text);

    StyleRecord divStyle() const;
    bool divHidden() const;

    MlxClassMap m_classes;
    MlxTokenizer m_tokenizer;
    // The line from the tag that ended the last article.
    std::u16string m_resume;
    bool m_resuming = false;
    bool m_inStyleSheet = false;
    std::int32_t m_unclassedDivs = 0;
    std::vector<Div> m_divs;

    // Per article.
    StyleRecord m_style{};
    bool m_hidden = false;
    int m_headwordClass = 0;
    bool m_phonetic = false;
    int m_pendingMargin = 0;
    // The style the line break at the end of a body line takes: the last
    // run's, or the last span's when nothing was written in it.
    StyleRecord m_lineStyle{};
    bool m_lineStyleSet = false;
    enum class Collecting { NotYet, Open, Closed };
    Collecting m_collecting = Collecting::NotYet;
    std::u16string m_headword;
    bool m_bodyFull = false;
};

} // namespace lexvane::engine::exchange
