// Tests of hit testing and the look-ups by height, x and character. The
// articles are built with fixed metrics (10 pixels per character, lines 13
// high) and laid out at 200 pixels; where an edge case needs it, the test
// sets rectangles by hand.
#include "layout_fixture.h"

#include "ArticleEngine/Controller/article_hit_tester.h"
#include "ArticleEngine/Loading/article_layout_loader.h"
#include "ArticleEngine/Views/view_lookup.h"

#include <gtest/gtest.h>

using namespace ArticleEngine;
using namespace ArticleEngine::Controller;
using namespace ArticleEngine::Loading;
using lexvane::testing::buildArticle;
using lexvane::testing::BuiltArticle;
using lexvane::testing::layOut;

namespace {

constexpr int width = 200;

QString text(const char* t)
{
    return QStringLiteral("#1\"") + QString::fromUtf8(t) + QStringLiteral("\"");
}

// An article with a header row 12 high, laid out at the given place.
BuiltArticle build(const QString& markup, QPoint at = QPoint(0, 0), bool header = true)
{
    auto styles = std::make_shared<lexvane::testing::TestStyleServer>();
    ArticleBuildRequest request;
    request.articleNumber = 3;
    request.title = QStringLiteral("Title");
    request.flags.header = header;
    request.headerFont = &styles->small;
    auto built = buildArticle(markup, request, styles);
    ArticleLayoutLoader(built.view, QRect(at.x(), at.y(), width, 10000), false).run();
    return built;
}

struct Hit {
    bool ok;
    ArticleListPosition position;
};

Hit hitPoint(const ArticleView& article, QPoint point, bool wordsOnly = false)
{
    ArticleListHitTester tester;
    tester.attach(&article, 3);
    Hit hit{false, {}};
    hit.ok = tester.hitPoint(point, wordsOnly, hit.position);
    return hit;
}

Hit hitHeight(const ArticleView& article, int y, bool fromEnd = false)
{
    ArticleListHitTester tester;
    tester.attach(&article, 3);
    Hit hit{false, {}};
    hit.ok = tester.hitHeight(fromEnd, y, hit.position);
    return hit;
}

TEST(HitTesterTest, PositionsOrderByArticleKindOffset)
{
    const ArticleListPosition a{1, BodyKind, 5};
    const ArticleListPosition b{1, ShowMoreButtonKind, 0};
    const ArticleListPosition c{2, HeaderKind, -1};
    EXPECT_LT(a, b);
    EXPECT_LT(b, c);
    EXPECT_EQ(smaller(c, a), a);
    EXPECT_EQ(larger(a, c), c);
    EXPECT_TRUE((ArticleListPosition{1, BodyKind, -1}).isNowhere());
    EXPECT_TRUE((ArticleListPosition{1, NoKind, 3}).isNowhere());
    EXPECT_FALSE((ArticleListPosition{1, HeaderKind, -1}).isNowhere());
    EXPECT_EQ(firstPosition(2), (ArticleListPosition{0, HeaderKind, -1}));
    EXPECT_FALSE(firstPosition(0).has_value());
}

TEST(HitTesterTest, PointsOnTheBody)
{
    // Header row 12 high; then "ab cd" and "ef" at 10 pixels a character.
    auto built = build(text("ab cd%0Aef"), QPoint(0, 100));
    const ArticleView& article = built.view;
    const int top = 100 + article.paragraphs[0].rect.top();
    struct Case {
        QPoint point;
        bool ok;
        int kind;
        int offset;
    };
    const Case cases[] = {
        {{5, top + 2}, true, BodyKind, 0},
        {{35, top + 2}, true, BodyKind, 3},
        {{25, top + 2}, true, BodyKind, 2},       // the space
        {{150, top + 2}, true, BodyKind, 5},      // right of the line: its last item
        {{5, top + 15}, true, BodyKind, 6},       // second paragraph
        {{500, 101}, true, HeaderKind, -1},       // beside the article at the header's height
        {{5, 99}, false, NoKind, -1},             // above the article
    };
    for (const Case& c : cases) {
        const Hit hit = hitPoint(article, c.point);
        EXPECT_EQ(hit.ok, c.ok) << c.point.x() << "," << c.point.y();
        if (!c.ok)
            continue;
        EXPECT_EQ(hit.position.article, 3);
        EXPECT_EQ(hit.position.kind, c.kind) << c.point.x() << "," << c.point.y();
        EXPECT_EQ(hit.position.offset, c.offset) << c.point.x() << "," << c.point.y();
    }
    // Words only (items are characters): a space goes to the word
    // character on its left, a leading space to the one on its right.
    EXPECT_EQ(hitPoint(article, {25, top + 2}, true).position.offset, 1);
    auto spaced = build(text(" ab"));
    const int spacedTop = spaced.view.paragraphs[0].rect.top();
    EXPECT_EQ(hitPoint(spaced.view, {5, spacedTop + 2}, true).position.offset, 1);
}

TEST(HitTesterTest, WordsOnlyInARightToLeftParagraph)
{
    // "אב גד" from the right edge: the space stands at 160..169, the word
    // on its left is the later one in the text.
    auto built = build(text("\u05d0\u05d1 \u05d2\u05d3"), QPoint(0, 0), false);
    const ParagraphView& paragraph = built.view.paragraphs[0];
    ASSERT_TRUE(paragraph.frame.rightToLeft);
    const TextItemView& space = paragraph.items()[2];
    const QPoint onSpace = space.absoluteRect().center();
    EXPECT_EQ(hitPoint(built.view, onSpace).position.offset, 2);
    EXPECT_EQ(hitPoint(built.view, onSpace, true).position.offset, 3);
    EXPECT_EQ(hitPoint(built.view, {195, onSpace.y()}).position.offset, 0) << "the first character at the right";
}

TEST(HitTesterTest, EdgesAndGapsBetweenItems)
{
    auto built = build(text("abcd"));
    ParagraphView& paragraph = built.view.paragraphs[0];
    auto items = paragraph.items();
    ASSERT_EQ(items.size(), 5u) << "four characters and the closing line feed";
    // Hand-set: "a" 10..30 and "b" 30..39 share x = 30; "c", "d" and the
    // line feed after a gap.
    items[0].rect = QRect(QPoint(10, 0), QPoint(30, 12));
    items[1].rect = QRect(QPoint(30, 0), QPoint(39, 12));
    items[2].rect = QRect(QPoint(50, 0), QPoint(69, 12));
    items[3].rect = QRect(QPoint(70, 0), QPoint(79, 12));
    items[4].rect = QRect(QPoint(80, 0), QPoint(79, 12));
    const ParagraphLine& line = paragraph.lines()[0];
    ASSERT_EQ(line.itemCount(), 5);
    EXPECT_EQ(itemAt(paragraph, line, 30), 1) << "a shared edge goes to the later item";
    EXPECT_EQ(itemAt(paragraph, line, 2), 0) << "left of the line: its first item";
    EXPECT_EQ(itemAt(paragraph, line, 45), -1) << "a gap holds nothing";
    EXPECT_EQ(itemAt(paragraph, line, 90), 4) << "right of the line: its last item";
    const int y = built.view.rect.top() + paragraph.rect.top() + 3;
    EXPECT_FALSE(hitPoint(built.view, {45, y}).ok);
}

TEST(HitTesterTest, LinesByHeight)
{
    auto built = build(text("aaaa bbbb cccc dddd eeee"), QPoint(0, 0), false);
    ParagraphView& paragraph = built.view.paragraphs[0];
    layOut(paragraph, 50);
    ASSERT_GE(paragraph.lines().size(), 3u);
    const int last = int(paragraph.lines().size()) - 1;
    EXPECT_EQ(lineAt(paragraph, -5), 0);
    EXPECT_EQ(lineAt(paragraph, 12), 0);
    EXPECT_EQ(lineAt(paragraph, 13), 1);
    EXPECT_EQ(lineAt(paragraph, 10000), last);
    // Lines begin at the top margin.
    paragraph.frame.margins = QMargins(0, 5, 0, 0);
    EXPECT_EQ(lineAt(paragraph, 17), 0);
    EXPECT_EQ(lineAt(paragraph, 18), 1);
    ParagraphView empty;
    EXPECT_EQ(lineAt(empty, 0), -1);
}

TEST(HitTesterTest, PartsAndShowMore)
{
    auto built = build(text("ab%0Acd"));
    ArticleView& article = built.view;
    // Hand-set parts: the pronounce button inside the header row.
    article.header.rect = QRect(0, 0, 200, 20);
    article.pronounceButton.rect = QRect(180, 0, 20, 20);
    article.pronounceButton.visible = true;
    article.paragraphs[0].rect.moveTop(20);
    article.paragraphs[1].rect.moveTop(33);
    article.showMoreButton.rect = QRect(150, 46, 40, 20);
    article.showMoreButton.visible = true;
    article.rect.setHeight(66);
    EXPECT_EQ(hitHeight(article, 5).position.kind, PronounceButtonKind) << "buttons before the header";
    EXPECT_EQ(hitPoint(article, {5, 5}).position.kind, HeaderKind);
    EXPECT_EQ(hitPoint(article, {185, 5}).position.kind, PronounceButtonKind);
    EXPECT_EQ(hitPoint(article, {160, 50}).position.kind, ShowMoreButtonKind);
    // Beside the button: the body line just above it ("c" at 0..9).
    const Hit beside = hitPoint(article, {5, 55});
    EXPECT_TRUE(beside.ok);
    EXPECT_EQ(beside.position.kind, BodyKind);
    EXPECT_EQ(beside.position.offset, 3);
    // By height: the body line's first item; the last spanning paragraph
    // from the end.
    EXPECT_EQ(hitHeight(article, 36).position.offset, 3);
    EXPECT_EQ(hitHeight(article, 36, true).position.offset, 3);
    EXPECT_FALSE(hitHeight(article, 500).ok);

    // Parts of a collapsed article are not shown, though the tester still
    // answers from their last rectangles.
    EXPECT_TRUE(isPartShown(article, BodyKind));
    article.collapsed = true;
    EXPECT_FALSE(isPartShown(article, BodyKind));
    EXPECT_FALSE(isPartShown(article, PronounceButtonKind));
    EXPECT_TRUE(isPartShown(article, HeaderKind));
    EXPECT_EQ(hitPoint(article, {185, 5}).position.kind, PronounceButtonKind);

    EXPECT_EQ(viewAtPosition(article, 3, {3, BodyKind, 4}), &article.paragraphs[1]);
    EXPECT_EQ(viewAtPosition(article, 3, {3, HeaderKind, -1}), &article.header);
    EXPECT_EQ(viewAtPosition(article, 3, {2, HeaderKind, -1}), nullptr);
    EXPECT_EQ(viewAtPosition(article, 3, {3, BodyKind, -1}), nullptr);
    EXPECT_EQ(partView(article, BodyKind), &article.paragraphs[0]);
}

// Fault: the binary search answered for offset -1 and was misled by
// paragraphs without items (range (0, 0)). It must agree with a scan.
TEST(HitTesterTest, ParagraphOfCharacterAgreesWithAScan)
{
    auto built = build(text("ab cd%0A%0Aef%0Agh ij kl%0A%0A%0Am"));
    ArticleView& article = built.view;
    // Take the items out of two paragraphs.
    for (int p : {1, 4}) {
        ParagraphView& paragraph = article.paragraphs[std::size_t(p)];
        paragraph.setContent(paragraph.textStart(), paragraph.textStart(), {}, {});
    }
    article.reparentChildren();
    auto scan = [&](int offset) {
        for (std::size_t p = 0; p < article.paragraphs.size(); ++p) {
            const auto items = article.paragraphs[p].items();
            if (!items.empty() && items.front().start() <= offset && offset < items.back().end())
                return int(p);
        }
        return -1;
    };
    for (int offset = -2; offset <= int(article.text.size()) + 2; ++offset)
        EXPECT_EQ(paragraphOfCharacter(article, offset), scan(offset)) << "offset " << offset;
    EXPECT_EQ(characterRange(article.paragraphs[1]).first, 0);
    EXPECT_EQ(characterRange(article.paragraphs[1]).last, 0);
    ArticleView none;
    EXPECT_EQ(paragraphOfCharacter(none, 0), -1);
}

TEST(HitTesterTest, CharacterRectangles)
{
    // Brackets after a word character make one item: ")]" at [1, 3).
    auto built = build(text("a)] b"), QPoint(7, 40), false);
    const ParagraphView& paragraph = built.view.paragraphs[0];
    const TextItemView& item = paragraph.items()[1];
    ASSERT_EQ(item.length(), 2);
    const QRect whole = item.absoluteRect();
    EXPECT_EQ(whole.left(), 7 + 10);
    EXPECT_EQ(characterRect(item, 0, 2), whole);
    const QRect second = characterRect(item, 1, 2);
    EXPECT_EQ(second.left(), whole.left() + 10);
    EXPECT_EQ(second.right(), whole.right());
    EXPECT_EQ(second.top(), whole.top());
    EXPECT_EQ(characterRect(item, 0, 1).right(), whole.right() - 10);
    EXPECT_EQ(itemOfCharacter(paragraph, 0), 0);
    EXPECT_EQ(itemOfCharacter(paragraph, 2), 1);
    EXPECT_EQ(itemOfCharacter(paragraph, 6), -1);
    EXPECT_EQ(itemOfCharacter(paragraph, -1), -1);
}
TEST(HitTesterTest, RangesAndItemStrings)
{
    EXPECT_EQ(intersect({2, 8}, {5, 12}).first, 5);
    EXPECT_EQ(intersect({2, 8}, {5, 12}).last, 8);
    EXPECT_EQ(intersect({2, 4}, {5, 12}).first, 0);
    EXPECT_EQ(intersect({2, 4}, {5, 12}).last, 0);
    const InclusiveRange ranges[] = {{1, 3}, {4, 4}};
    EXPECT_EQ(traceRanges(ranges), QStringLiteral("1-3\n4-4 !\n\n"));

    auto built = build(text("a)] b"));
    const auto items = built.view.paragraphs[0].items();
    EXPECT_EQ(itemText(items[1], built.view.text), QStringLiteral(")]"));
    EXPECT_TRUE(itemLink(items[1]).isEmpty());
    EXPECT_TRUE(itemImage(items[1]).isEmpty());
}

} // namespace
