// Tests of building an article's views: paragraphs, items and fragments
// from the markup, the strings of links, labels and images, the display
// flags and the sizes of the header and the buttons.
#include "layout_fixture.h"

#include <gtest/gtest.h>

#include <string>

using namespace ArticleEngine;
using namespace ArticleEngine::Loading;
using lexvane::testing::buildArticle;

namespace {

// "a/1 b/1 \"/2": each fragment's text and style number, items separated
// by spaces, fragments of one item by '+'.
std::string describeFragments(const ArticleView& article)
{
    std::string out;
    for (const ParagraphView& paragraph : article.paragraphs) {
        for (const TextItemView& item : paragraph.items()) {
            if (!out.empty())
                out += ' ';
            bool first = true;
            for (const TextItemFragmentView& fragment : item.fragments()) {
                if (!first)
                    out += '+';
                first = false;
                QString text = fragment.text(article.text).toString();
                text.replace(QLatin1Char('\n'), QLatin1Char('$'));
                out += text.toStdString() + '/' + std::to_string(fragment.styleNumber());
            }
        }
    }
    return out;
}

TEST(ArticleBuilder, OneItemPerTokenCutIntoFragmentsAtStyles)
{
    auto built = buildArticle(QStringLiteral("#1\"a\"#2\"%22 b\"#4\"c%0A\"#1\"%09d\""));
    EXPECT_EQ(describeFragments(built.view), "a/1+\"/2  /2 b/2 c/4 $/4 d/1 $/1");
    ASSERT_EQ(built.view.paragraphs.size(), 2u);
    const ParagraphView& second = built.view.paragraphs[1];
    EXPECT_EQ(second.number, 1);
    EXPECT_EQ(second.kind, BodyKind);
    EXPECT_EQ(second.indentLevel, 1);
    EXPECT_EQ(second.frame.margins.left(), 15);
    EXPECT_EQ(second.textStart(), 6);
    EXPECT_EQ(second.items()[0].number, 1) << "an item carries its paragraph's number";

    const auto items = built.view.paragraphs[0].items();
    EXPECT_EQ(items[0].itemKind(), WordItem);
    EXPECT_EQ(items[1].itemKind(), OtherItem);
    EXPECT_TRUE(items[1].keepOnLine()) << "spaces stay on their line";
    EXPECT_FALSE(items[0].keepOnLine());
    EXPECT_EQ(items[4].itemKind(), LineBreakItem);
    EXPECT_EQ(items[0].group(), 0);
    EXPECT_EQ(items[1].group(), 1);
    EXPECT_EQ(items[2].group(), 2);
    EXPECT_EQ(items[0].fragments()[1].number, 1);
}

TEST(ArticleBuilder, LeadBracketsAndRecordRanges)
{
    ArticleBuildRequest request;
    request.hitWords = {2};
    auto built = buildArticle(QStringLiteral("title#1\"(ab) cd\""), request);
    EXPECT_EQ(built.record.content.leadText, QStringLiteral("title"));
    EXPECT_EQ(built.view.paragraphs[0].items()[0].itemKind(), LeadBracketItem);
    EXPECT_EQ(built.record.tokens.size(), built.view.paragraphs[0].items().size());
    EXPECT_EQ(built.record.markedTokens, (std::vector<int>{5, 6}));
    EXPECT_EQ(built.record.groups.size(), 3u);
}

TEST(ArticleBuilder, FragmentsCarryTheStringsOfTheirCharacters)
{
    // A link over "bc" inside one style run: the fragments are cut at the
    // link's ends, so that every character of a fragment has its strings.
    auto built = buildArticle(QStringLiteral("#1\"a\"#7\"<link x>\"#1\"bc\"#7\"</link>\"#1\"d\"#7\"<label %22here%22>\""
                                             "#1\"e%0A\"#7\"<img pic17>\"#1\"f\"#7\"</img>\""));
    const ArticleView& article = built.view;
    ASSERT_EQ(article.text, QStringLiteral("abcde\nf\n"));
    EXPECT_EQ(article.links.size(), 1u);
    const auto items = article.paragraphs[0].items();
    EXPECT_EQ(items[0].fragments()[0].link(), QString());
    EXPECT_EQ(items[1].fragments()[0].link(), QStringLiteral("<link x>"));
    EXPECT_EQ(items[2].fragments()[0].link(), QStringLiteral("<link x>"));
    EXPECT_EQ(items[3].fragments()[0].link(), QString());
    EXPECT_EQ(items[4].fragments()[0].label(), QStringLiteral("here"));
    EXPECT_EQ(items[5].fragments()[0].image(), QStringLiteral("<img pic17>"));
    EXPECT_FALSE(items[5].fragments()[0].pixmap().isNull());
    EXPECT_TRUE(items[4].fragments()[0].pixmap().isNull());
}

TEST(ArticleBuilder, SurrogatePairsStayTogetherAcrossAStyleChange)
{
    // The pair's halves stand in runs of two styles.
    const QString markup = QStringLiteral("#1\"a") + QChar(0xD83D) + QStringLiteral("\"#4\"")
        + QChar(0xDE00) + QStringLiteral("b\"");
    auto built = buildArticle(markup);
    const auto items = built.view.paragraphs[0].items();
    ASSERT_GE(items.size(), 3u);
    EXPECT_EQ(items[1].start(), 1);
    EXPECT_EQ(items[1].end(), 3);
    ASSERT_EQ(items[1].fragments().size(), 1u) << "no fragment ends between the halves";
    EXPECT_EQ(items[1].fragments()[0].end(), 3);
    EXPECT_EQ(items[1].width(), 10);
    EXPECT_EQ(items[2].fragments()[0].styleNumber(), 4);
}

TEST(ArticleBuilder, UnknownStylesFallBackToTheDefault)
{
    auto built = buildArticle(QStringLiteral("#99\"a\"#-4\"b\""));
    for (const TextItemView& item : built.view.paragraphs[0].items()) {
        const TextItemFragmentView& fragment = item.fragments()[0];
        ASSERT_NE(fragment.style(), nullptr);
        EXPECT_NE(fragment.style()->font(), nullptr) << "style 1 stands in";
    }
}

struct FlagCase {
    ArticleDisplayFlags flags;
    bool complete;
    // Visible: header, pronounce, edit, delete, expand/collapse, show more.
    std::array<bool, 6> visible;
};

TEST(ArticleBuilder, DisplayFlagsDecideWhichPartsAreVisible)
{
    const FlagCase cases[] = {
        {{true, false, false, false, false}, true, {true, false, false, false, false, false}},
        {{true, true, true, true, true}, true, {true, true, true, true, true, false}},
        // Edit, delete and expand/collapse only with the header.
        {{false, true, true, true, true}, true, {false, true, false, false, false, false}},
        {{true, false, true, false, true}, false, {true, false, true, false, true, true}},
    };
    for (const FlagCase& test : cases) {
        ArticleBuildRequest request;
        request.flags = test.flags;
        request.complete = test.complete;
        auto built = buildArticle(QStringLiteral("#1\"x\""), request);
        const ArticleView& view = built.view;
        const std::array<bool, 6> visible{view.header.visible, view.pronounceButton.visible,
                                          view.editButton.visible, view.deleteButton.visible,
                                          view.expandButton.visible, view.showMoreButton.visible};
        EXPECT_EQ(visible, test.visible);
    }
}

TEST(ArticleBuilder, ButtonsTakeTheHeadersHeight)
{
    QFont font(QStringLiteral("DejaVu Sans"), 12);
    ArticleBuildRequest request;
    request.articleNumber = 4;
    request.title = QStringLiteral("word");
    request.headerFont = &font;
    request.headerTextColor = QColor(1, 2, 3);
    request.headerBackground = QColor(9, 9, 9);
    auto built = buildArticle(QStringLiteral("#1\"x\""), request);
    const ArticleView& view = built.view;
    EXPECT_EQ(view.number, 4);
    EXPECT_EQ(view.header.title, QStringLiteral("word"));
    EXPECT_EQ(view.header.color, QColor(9, 9, 9));
    // 12-point fixed font: ascent 12 + descent 4.
    EXPECT_EQ(view.header.nominalSize, QSize(40, 16));
    EXPECT_EQ(view.pronounceButton.nominalSize, QSize(16, 16));
    EXPECT_EQ(view.deleteButton.nominalSize, QSize(16, 16));
    EXPECT_EQ(view.editButton.nominalSize, QSize(16, 16));
    EXPECT_EQ(view.expandButton.nominalSize, QSize(16, 16));
    EXPECT_EQ(view.showMoreButton.nominalSize, QSize(32, 32));

    auto plain = buildArticle(QStringLiteral("#1\"x\""));
    EXPECT_EQ(plain.view.deleteButton.nominalSize, QSize(-1, -1)) << "no header font, no size";
}

TEST(ArticleBuilder, TablesAndElementsComeFromTheShortenedText)
{
    auto built = buildArticle(QStringLiteral(
        "#1\"a%0A\"#7\"<table><row><cell 30%>\"#1\"b%0A\"#7\"</cell><cell 70%>\"#1\"c%0A\"#7\"</cell></row></table>\""));
    EXPECT_EQ(built.view.text, QStringLiteral("a\nb\nc\n"));
    ASSERT_EQ(built.view.tables.size(), 1u);
    EXPECT_EQ(built.view.tables[0].rows[0].cells.size(), 2u);
    EXPECT_EQ(built.view.paragraphs.size(), 3u);
    EXPECT_FALSE(built.record.elements.empty());
    EXPECT_EQ(describeFragments(built.view), "a/1 $/1 b/1 $/1 c/1 $/1");
}

} // namespace
