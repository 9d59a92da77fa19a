// The editor against a simple model: seeded random sequences of edits
// (typing with line feeds, tabs and control characters, new paragraphs,
// backspace, delete, styles, levels, undo and redo, caret and selection
// moves) run on the controller and on a model that keeps one style and one
// level per character and paragraph. After every step the document, the
// view built from it and the source read back must agree with the model.
// Also: element runs (links, labels, tables, pictures) of an article
// survive loading, editing and saving.
#include "edit_fixture.h"
#include "element_style_server.h"
#include "markup_invariants.h"
#include "qt_printers.h"

#include "ArticleEngine/Markup/element_pass.h"
#include "ArticleEngine/Markup/element_runs.h"
#include "ArticleEngine/Markup/style_run_parser.h"

#include <algorithm>
#include <random>
#include <string>
#include <vector>

using namespace ArticleEngine;
using lexvane::testing::contentFault;
using lexvane::testing::EditFixture;

namespace {

// The editor's rules written the plain way: per character and per
// paragraph, no ranges.
struct Model {
    QString text = QStringLiteral("\n");
    std::vector<int> styles{1};
    std::vector<int> levels{0};
    int selectionStart = 0;
    int selectionEnd = 0;

    int paragraphOf(int position) const { return int(text.left(position).count(QLatin1Char('\n'))); }
    bool isParagraphStart(int position) const { return position == 0 || text[position - 1] == QLatin1Char('\n'); }
    int last() const { return int(text.size()) - 1; }

    void removeRange(int start, int end)
    {
        end = std::min(end, last());
        if (start >= end)
            return;
        const int first = paragraphOf(start);
        const int joined = int(text.mid(start, end - start).count(QLatin1Char('\n')));
        levels.erase(levels.begin() + first + 1, levels.begin() + first + 1 + joined);
        text.remove(start, end - start);
        styles.erase(styles.begin() + start, styles.begin() + end);
    }
    int deleteSelection()
    {
        removeRange(selectionStart, selectionEnd);
        return selectionStart;
    }
    void insertChar(int position, QChar c)
    {
        const int style = isParagraphStart(position) ? styles[std::size_t(position)] : styles[std::size_t(position - 1)];
        text.insert(position, c);
        styles.insert(styles.begin() + position, style);
    }
    // Splits at position; the new paragraph gets level (or keeps the old).
    void split(int position, int level)
    {
        const int paragraph = paragraphOf(position);
        insertChar(position, QLatin1Char('\n'));
        levels.insert(levels.begin() + paragraph + 1, level < 0 ? levels[std::size_t(paragraph)] : level);
    }
    bool isEmpty() const { return text == QLatin1String("\n"); }

    int insertText(const QString& typed)
    {
        int position = deleteSelection();
        QString kept;
        for (QChar c : typed) {
            const char16_t u = c.unicode();
            if ((u >= 0x20 && !(u >= 0x7F && u <= 0x9F) && u != 0xAD) || u == u'\n' || u == u'\t')
                kept.append(c);
        }
        if (kept.isEmpty())
            return position;
        if (isEmpty()) {
            styles.assign(styles.size(), 4);
            levels.assign(levels.size(), 1);
        }
        for (QChar c : kept) {
            if (c == QLatin1Char('\n')) {
                split(position, 0);
                ++position;
            } else if (c == QLatin1Char('\t')) {
                int& level = levels[std::size_t(paragraphOf(position))];
                level = std::min(8, level + 1);
            } else {
                insertChar(position, c);
                ++position;
            }
        }
        return position;
    }
    int newParagraph()
    {
        const int position = deleteSelection();
        split(position, -1);
        if (paragraphOf(position + 1) == 1) {
            for (int i = position + 1; i < int(text.size()) && (i == position + 1 || text[i - 1] != QLatin1Char('\n')); ++i)
                styles[std::size_t(i)] = 3;
            levels[1] = 2;
        }
        return position + 1;
    }
    void changeLevels(int delta)
    {
        const int first = paragraphOf(selectionStart);
        const int lastParagraph = selectionEnd > selectionStart ? paragraphOf(selectionEnd - 1) : first;
        for (int i = first; i <= lastParagraph; ++i)
            levels[std::size_t(i)] = std::clamp(levels[std::size_t(i)] + delta, 0, 8);
    }
    int backspace()
    {
        if (selectionEnd > selectionStart)
            return deleteSelection();
        const int position = selectionStart;
        const int paragraph = paragraphOf(position);
        if (isParagraphStart(position) && levels[std::size_t(paragraph)] > 0) {
            --levels[std::size_t(paragraph)];
            return position;
        }
        if (position == 0)
            return 0;
        removeRange(position - 1, position);
        return position - 1;
    }
    int deleteForward()
    {
        if (selectionEnd > selectionStart)
            return deleteSelection();
        removeRange(selectionStart, selectionStart + 1);
        return selectionStart;
    }
    void applyStyle(int style)
    {
        int start = selectionStart;
        int end = selectionEnd;
        if (end <= start)
            return;
        if (start < int(text.size()) && text[start] == QLatin1Char('\n'))
            ++start;
        if (end < int(text.size()) && text[end] == QLatin1Char('\n'))
            ++end;
        for (int i = start; i < end; ++i)
            styles[std::size_t(i)] = style;
    }
};

struct State {
    QString text;
    std::vector<int> styles;
    std::vector<int> levels;
    bool operator==(const State&) const = default;
};

State stateOf(const Model& model)
{
    return {model.text, model.styles, model.levels};
}

State stateOf(const ArticleContent& content)
{
    State state{content.text, {}, {}};
    for (const StyleRange& range : content.styles)
        state.styles.insert(state.styles.end(), std::size_t(range.end - range.start), range.style);
    for (const ParagraphRange& paragraph : content.paragraphs)
        state.levels.push_back(paragraph.indent);
    return state;
}

std::string describe(const State& state)
{
    std::string out = lexvane::testing::escaped(state.text) + " |";
    for (int style : state.styles)
        out += " " + std::to_string(style);
    out += " | levels";
    for (int level : state.levels)
        out += " " + std::to_string(level);
    return out;
}

class EditRandomTest : public EditFixture {};

TEST_F(EditRandomTest, RandomEditsMatchTheModel)
{
    const QString pieces[] = {
        QStringLiteral("a"), QStringLiteral("bc"), QStringLiteral(" "), QStringLiteral("x y"),
        QStringLiteral("\n"), QStringLiteral("\t"), QStringLiteral("p\nq"), QStringLiteral("\t\tz"),
        QString(QChar(1)), QStringLiteral("#%\"<>"), QString::fromUtf16(u"\u00e9\u00ad"),
    };
    std::mt19937 random(18);
    // Half the rounds start from an article with element runs, which must
    // never disturb the text, its levels or its styles.
    const QString starts[] = {
        QStringLiteral("#01\"%0a\""),
        QStringLiteral("#02\"ab\"#07\"<link x>\"#01\"cd%0a\"#07\"</link>%0a\"#01\"\tef%0a\"#07\"<img p>\"#02\"g\""),
    };
    for (int round = 0; round < 150; ++round) {
        load(starts[round % 2]);
        Model model;
        model.text = controller->content().text;
        model.styles = stateOf(controller->content()).styles;
        model.levels = stateOf(controller->content()).levels;
        std::vector<State> history{stateOf(model)};
        ASSERT_EQ(controller->document().elements().size(), round % 2 == 0 ? 0u : 3u);
        std::size_t current = 0;
        std::string trace;
        for (int step = 0; step < 80; ++step) {
            auto pick = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); };
            const int last = model.last();
            const int operation = pick(12);
            bool edits = true;
            int caret = 0;
            if (operation == 0 || operation == 1) {
                const QString& piece = pieces[pick(int(std::size(pieces)))];
                trace += " type(" + lexvane::testing::escaped(piece) + ")";
                controller->insertText(piece);
                caret = model.insertText(piece);
            } else if (operation == 2) {
                trace += " enter";
                controller->newParagraph();
                caret = model.newParagraph();
            } else if (operation == 3) {
                trace += " backspace";
                controller->backspace();
                caret = model.backspace();
            } else if (operation == 4) {
                trace += " delete";
                controller->deleteForward();
                caret = model.deleteForward();
            } else if (operation == 5) {
                const int style = 1 + pick(4);
                trace += " style" + std::to_string(style);
                controller->applyStyle(style);
                model.applyStyle(style);
                caret = -1;
            } else if (operation == 6) {
                const int delta = pick(2) == 0 ? 1 : -1;
                trace += delta > 0 ? " indent" : " outdent";
                delta > 0 ? controller->indent() : controller->outdent();
                model.changeLevels(delta);
                caret = -1;
            } else if (operation == 7 || operation == 8) {
                const bool back = operation == 7;
                trace += back ? " undo" : " redo";
                back ? controller->undo() : controller->redo();
                if (back && current > 0)
                    --current;
                else if (!back && current + 1 < history.size())
                    ++current;
                model.text = history[current].text;
                model.styles = history[current].styles;
                model.levels = history[current].levels;
                edits = false;
                // Where the caret comes back to is the history's own test.
                const int at = std::min(controller->caret().offset, model.last());
                model.selectionStart = model.selectionEnd = at;
                setCaret(at);
            } else {
                const int a = pick(last + 1);
                const int b = operation == 9 ? a : pick(last + 1);
                trace += " select(" + std::to_string(a) + "," + std::to_string(b) + ")";
                select(a, b);
                model.selectionStart = std::min(a, b);
                model.selectionEnd = std::max(a, b);
                edits = false;
            }
            if (edits) {
                if (caret >= 0)
                    model.selectionStart = model.selectionEnd = caret;
                const State now = stateOf(model);
                if (!(now == history[current])) {
                    history.resize(current + 1);
                    history.push_back(now);
                    ++current;
                }
            }
            SCOPED_TRACE(trace);
            const ArticleContent& content = controller->content();
            ASSERT_EQ(describe(stateOf(content)), describe(stateOf(model)));
            ASSERT_EQ(contentFault(content), "");
            ASSERT_EQ(controller->selectionStart().offset, model.selectionStart);
            ASSERT_EQ(controller->selectionEnd().offset, model.selectionEnd);
            // The view shows the document, and the source reads back as it.
            ASSERT_EQ(controller->view().text, content.text);
            const EditableMarkup reread = readEditableMarkup(source(), styles);
            ASSERT_EQ(describe(stateOf(reread.content)), describe(stateOf(content)));
        }
    }
}

TEST_F(EditRandomTest, ElementRunsSurviveLoadingEditingAndSaving)
{
    // The test style server calls style 7 special.
    const QString article = QStringLiteral(
        "#01\"see \"#07\"<link target>\"#01\"there\"#07\"</link>\"#01\" now%0a\""
        "#07\"\t<table><row><cell 50%>\"#01\"left%0a\"#07\"</cell><cell 50%>\"#02\"right%0a\""
        "#07\"</cell></row></table>\"#01\"x\"#07\"<label %22n%22>\"#01\"named%0a\"");
    load(article);
    const std::vector<ElementRun> loaded = controller->document().elements();
    ASSERT_EQ(loaded.size(), 6u);
    EXPECT_EQ(text(), QStringLiteral("see there now\nleft\nright\nxnamed\n"));
    EXPECT_EQ(controller->view().links.size(), 1u);
    EXPECT_EQ(controller->view().tables.size(), 1u);
    EXPECT_EQ(controller->view().labels.size(), 1u);

    // Type before the link and inside the table, delete after the label.
    setCaret(0);
    type(QStringLiteral("Now "));
    setCaret(18 + 2);
    type(QStringLiteral("ft"));
    select(33, 35); // "am" of "xnamed"
    controller->deleteForward();
    const QString saved = source();
    const EditableMarkup reread = readEditableMarkup(saved, styles);
    ASSERT_EQ(reread.elements.size(), loaded.size());
    for (std::size_t i = 0; i < loaded.size(); ++i)
        EXPECT_EQ(reread.elements[i].text, loaded[i].text) << i;
    EXPECT_EQ(reread.content.text, QStringLiteral("Now see there now\nleftft\nright\nxned\n"));

    // Read as the list reads it: the same link, table and label.
    ArticleContent shown = readMarkup(saved);
    const ArticleElements elements = takeElements(shown, styles);
    ASSERT_EQ(elements.links.size(), 1u);
    EXPECT_EQ(shown.text.mid(elements.links.begin()->first.start, 5), QStringLiteral("there"));
    EXPECT_EQ(elements.tables.size(), 1u);
    ASSERT_EQ(elements.labels.size(), 1u);
    EXPECT_EQ(elements.labels.begin()->second, QStringLiteral("n"));
    EXPECT_EQ(shown.text.at(elements.labels.begin()->first.start), QLatin1Char('n'));
    EXPECT_EQ(shown.paragraphs[1].indent, 1);
    // Undo brings them back as loaded.
    while (controller->canUndo())
        controller->undo();
    EXPECT_EQ(controller->document().elements(), loaded);
    EXPECT_EQ(source(), controller->loadedSource());
}

} // namespace
