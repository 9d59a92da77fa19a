// import_context.h: the conversion context that a format plugs into the
// import and export drivers.
//
// One context is created per conversion. While importing it collects one
// article at a time: headwords, body lines and the styles they need; the
// drivers take the finished article out (title by title, body built for
// each) and clear it. While exporting it turns stored bodies into the
// format's text. Formats (DSL, MLX) derive from it and supply the line
// feeding, the body building and the rendering; the drivers know only this
// class, so a format is added without touching them.
//
// Invariants: the body lines never exceed the room given at construction;
// the style list is the engine's one StyleList (numbers 0 to 99, two
// digits in a body); the style stack never falls below its base entry and
// holds at most kStyleStackDepth entries above it.
#pragma once

#include "userdic/style_list.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace lexvane::engine::exchange {

class UDImportContext {
public:
    enum class State { Idle = 1, Complete = 2, Headwords = 3, Body = 4 };
    // What became of a line given to feedLine.
    enum class Feed {
        Consumed,    // taken; read the next line
        NotConsumed, // the article before it is complete; give it again after
        Failed       // the import must stop
    };

    static constexpr std::size_t kMaxTitleLength = 255;
    static constexpr std::size_t kStyleStackDepth = 127;

    explicit UDImportContext(std::size_t bodyRoom);
    virtual ~UDImportContext();
    UDImportContext(const UDImportContext&) = delete;
    UDImportContext& operator=(const UDImportContext&) = delete;

    // Import.
    virtual Feed feedLine(std::u16string_view line) = 0;
    // Forgets the article read so far: titles, body lines, flags.
    virtual void clearArticle();
    // clearArticle and an empty style list.
    virtual void reset();
    std::int32_t titleCount() const { return static_cast<std::int32_t>(m_titles.size()); }
    const std::u16string& title(std::int32_t index) const { return m_titles.at(static_cast<std::size_t>(index)); }
    bool hasArticle() const { return m_state != State::Idle; }
    State state() const { return m_state; }
    // The stored body (article markup) of the article just read, for
    // headword `titleIndex`, into `out`: at most `room` characters, cut
    // only where a run can be closed.
    virtual void buildBody(std::int32_t titleIndex, std::u16string& out, std::size_t room) = 0;
    // Lines of the file's head that are not articles (skipped before the
    // first article).
    virtual bool isHeaderLine(std::u16string_view line) const;
    // What an import reports beside success: 0, or a count for the caller
    // (the drivers add it to the success status's base).
    virtual std::int32_t articlesNotStored(std::int64_t stored) const;

    // Export: the text before the first article (after the style list was
    // read), one article, and the text after the last.
    virtual void exportHead(std::u16string& out) = 0;
    virtual void exportArticle(std::u16string_view title, std::u16string_view body, std::u16string& out) = 0;
    virtual void exportTail(std::u16string& out);

    // The style list: the engine's one list of styles, shared with the
    // style operations of user dictionaries.
    userdic::StyleList& styles() { return m_styles; }
    const userdic::StyleList& styles() const { return m_styles; }
    std::int32_t styleCount() const { return m_styles.count(); }
    std::int32_t addStyle(const StyleRecord& record) { return m_styles.add(record); }
    bool getStyle(std::int32_t number, StyleRecord& out) const { return m_styles.get(number, out); }
    std::int32_t matchStyle(StyleRecord& record);

protected:
    // Appends body text as far as the room allows.
    void appendBody(std::u16string_view text);
    // Adds a headword, cut to kMaxTitleLength; an empty one is not added.
    void addTitle(std::u16string title);
    // For formats whose one headword grows while the article is read.
    void clearTitles() { m_titles.clear(); }

    // The style stack of reading: each entry a style and the margin that
    // comes with it, so that closing a tag restores both.
    struct StackEntry {
        StyleRecord style;
        int margin;
    };
    void resetStack();
    void push(const StyleRecord& style, int margin);
    void pop();
    const StackEntry& top() const { return m_stack.back(); }

    std::u16string m_body;
    std::size_t m_bodyRoom;
    State m_state = State::Idle;
    // Visible characters (code above 32) written by the last build.
    std::size_t m_visible = 0;

private:
    userdic::StyleList m_styles;
    std::vector<std::u16string> m_titles;
    std::vector<StackEntry> m_stack;
};

} // namespace lexvane::engine::exchange
