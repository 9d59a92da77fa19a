// Tests of the view tree: invalidation, parent links after building,
// copying, moving and vector growth, and what a copy keeps of its original.
// Under the sanitizers a dangling parent or a picture or font deleted twice
// shows as a fault.
#include "layout_fixture.h"

#include "ArticleEngine/Views/cursor_view.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

using namespace ArticleEngine;
using lexvane::testing::buildArticle;
using lexvane::testing::BuiltArticle;

namespace {

// An article with two paragraphs, an owned font, a picture and a link.
const QString richMarkup = QStringLiteral(
    "#1\"one (two)%0A\"#7\"<img pic17>\"#4\"big\"#7\"</img>\"#1\" \"#7\"<link x>\"#2\"up\"#7\"</link>\"#1\" "
    "end\"");

// Every parent link of the tree points into this article.
void expectParentsOf(const ArticleView& article)
{
    EXPECT_EQ(article.header.parent(), &article);
    for (const View* button : {static_cast<const View*>(&article.pronounceButton),
                               static_cast<const View*>(&article.deleteButton),
                               static_cast<const View*>(&article.editButton),
                               static_cast<const View*>(&article.expandButton),
                               static_cast<const View*>(&article.showMoreButton)})
        EXPECT_EQ(button->parent(), &article);
    for (const ParagraphView& paragraph : article.paragraphs) {
        ASSERT_EQ(paragraph.parent(), &article);
        for (const TextItemView& item : paragraph.items()) {
            ASSERT_EQ(item.parent(), &paragraph);
            for (const TextItemFragmentView& fragment : item.fragments())
                ASSERT_EQ(fragment.parent(), &item);
        }
    }
}

void setAllStates(ArticleView& article, std::uint8_t state)
{
    article.layoutState = state;
    article.header.layoutState = state;
    for (View* button : {static_cast<View*>(&article.pronounceButton), static_cast<View*>(&article.deleteButton),
                         static_cast<View*>(&article.editButton), static_cast<View*>(&article.expandButton),
                         static_cast<View*>(&article.showMoreButton)})
        button->layoutState = state;
    for (ParagraphView& paragraph : article.paragraphs) {
        paragraph.layoutState = state;
        for (TextItemView& item : paragraph.items())
            item.layoutState = state;
    }
}

TEST(ViewTree, ConstructionValues)
{
    const ArticleView article;
    EXPECT_EQ(article.number, -1);
    EXPECT_EQ(article.kind, NoKind);
    EXPECT_TRUE(article.visible);
    EXPECT_FALSE(article.hidden);
    EXPECT_EQ(article.nominalSize, QSize(-1, -1));
    EXPECT_EQ(article.rect, QRect(QPoint(0, 0), QPoint(-1, -1)));
    EXPECT_EQ(article.layoutState, Dirty);
    EXPECT_EQ(article.line, -1);
    EXPECT_EQ(article.column, 0);
    EXPECT_FALSE(article.collapsed);
    EXPECT_EQ(article.header.kind, HeaderKind);
    EXPECT_EQ(article.header.baseline, -1);
    EXPECT_FALSE(article.header.color.isValid());
    EXPECT_EQ(article.deleteButton.kind, DeleteButtonKind);
    EXPECT_EQ(article.editButton.kind, EditButtonKind);
    EXPECT_EQ(article.expandButton.kind, ExpandButtonKind);
    EXPECT_FALSE(article.expandButton.checked);
    EXPECT_EQ(article.pronounceButton.kind, PronounceButtonKind);
    EXPECT_EQ(article.showMoreButton.kind, ShowMoreButtonKind);
    expectParentsOf(article);

    const ParagraphView paragraph;
    EXPECT_EQ(paragraph.kind, BodyKind);
    EXPECT_EQ(paragraph.indentLevel, -1);
    EXPECT_EQ(paragraph.frame.widthPercent, 100);
    EXPECT_EQ(paragraph.firstLine, 0);
    EXPECT_EQ(paragraph.lineCount, 0);
}

TEST(ViewTree, ArticleInvalidatesButtonsParagraphsItemsAndItselfButNotTheHeader)
{
    auto built = buildArticle(richMarkup);
    ArticleView& article = built.view;
    setAllStates(article, Placed);
    article.invalidate();
    EXPECT_EQ(article.layoutState, Dirty);
    EXPECT_EQ(article.header.layoutState, Placed) << "the header keeps its layout";
    EXPECT_EQ(article.pronounceButton.layoutState, Dirty);
    EXPECT_EQ(article.deleteButton.layoutState, Dirty);
    EXPECT_EQ(article.editButton.layoutState, Dirty);
    EXPECT_EQ(article.expandButton.layoutState, Dirty);
    EXPECT_EQ(article.showMoreButton.layoutState, Dirty);
    for (const ParagraphView& paragraph : article.paragraphs) {
        EXPECT_EQ(paragraph.layoutState, Dirty);
        for (const TextItemView& item : paragraph.items())
            EXPECT_EQ(item.layoutState, Dirty);
    }

    setAllStates(article, Placed);
    View& asView = article.paragraphs[1];
    asView.invalidate();
    EXPECT_EQ(article.paragraphs[1].items()[0].layoutState, Dirty) << "virtual: the paragraph cascades";
    EXPECT_EQ(article.paragraphs[0].layoutState, Placed);
    EXPECT_EQ(article.layoutState, Placed);
}

TEST(ViewTree, BuiltTreeHasItsParents)
{
    auto built = buildArticle(richMarkup);
    ASSERT_EQ(built.view.paragraphs.size(), 2u);
    expectParentsOf(built.view);
}

TEST(ViewTree, CopyOutlivesItsOriginal)
{
    // Styles that own their fonts: the fragments' styles own copies, so the
    // copy needs neither its original nor the style server.
    auto server = std::make_shared<lexvane::testing::TestStyleServer>();
    for (auto& [number, style] : server->styles) {
        if (style.font() != nullptr)
            style.setOwnedFont(*style.font());
    }
    auto original = std::make_unique<BuiltArticle>(buildArticle(richMarkup, {}, server));
    server.reset();
    const QString text = original->view.text;

    ArticleView copy(original->view);
    ArticleView assigned;
    assigned = original->view;
    original.reset();

    for (ArticleView* article : {&copy, &assigned}) {
        expectParentsOf(*article);
        EXPECT_EQ(article->text, text);
        bool sawPicture = false;
        bool sawLink = false;
        for (const ParagraphView& paragraph : article->paragraphs) {
            for (const TextItemView& item : paragraph.items()) {
                for (const TextItemFragmentView& fragment : item.fragments()) {
                    ASSERT_NE(fragment.style(), nullptr);
                    if (const QFont* font = fragment.style()->font()) {
                        EXPECT_TRUE(fragment.style()->ownsFont());
                        EXPECT_FALSE(font->family().isEmpty());
                    }
                    sawPicture = sawPicture || !fragment.pixmap().isNull();
                    sawLink = sawLink || !fragment.link().isEmpty();
                }
                EXPECT_EQ(item.widthOf(0, item.length()), item.width());
                EXPECT_EQ(item.absolutePosition(), QPoint(0, 0)) << "not laid out yet";
            }
        }
        EXPECT_TRUE(sawPicture);
        EXPECT_TRUE(sawLink);
    }
}

TEST(ViewTree, ParentsSurviveVectorGrowthAndMoves)
{
    auto built = buildArticle(richMarkup);
    std::vector<ArticleView> articles;
    for (int i = 0; i < 40; ++i) {
        articles.push_back(built.view);
        articles.back().number = i;
    }
    for (const ArticleView& article : articles)
        expectParentsOf(article);

    ArticleView moved = std::move(articles[3]);
    expectParentsOf(moved);
    articles.erase(articles.begin(), articles.begin() + 10);
    for (const ArticleView& article : articles)
        expectParentsOf(article);

    // Paragraphs grown by hand are re-parented by the article.
    moved.paragraphs.push_back(moved.paragraphs[0]);
    moved.paragraphs.push_back(moved.paragraphs[1]);
    moved.reparentChildren();
    expectParentsOf(moved);
}

TEST(ViewTree, BuildingInPlaceKeepsParentsThroughGrowth)
{
    ParagraphView paragraph;
    paragraph.number = 2;
    // No room reserved: every append may move the arrays.
    paragraph.beginContent(10, 60, 0, 0);
    for (int i = 0; i < 25; ++i) {
        paragraph.appendFragment(TextItemFragmentView(1, 0, 0).sharedStyle(), 10 + 2 * i, 11 + 2 * i);
        paragraph.appendFragment(TextItemFragmentView(2, 0, 0).sharedStyle(), 11 + 2 * i, 12 + 2 * i);
        paragraph.appendItem(10 + 2 * i, 12 + 2 * i, i, WordItem, false);
    }
    ASSERT_EQ(paragraph.items().size(), 25u);
    ASSERT_EQ(paragraph.fragments().size(), 50u);
    for (const TextItemView& item : paragraph.items()) {
        ASSERT_EQ(item.parent(), &paragraph);
        EXPECT_EQ(item.number, 2);
        ASSERT_EQ(item.fragments().size(), 2u);
        EXPECT_EQ(item.fragments()[0].start(), item.start());
        EXPECT_EQ(item.fragments()[1].number, 1);
        EXPECT_EQ(item.fragments()[1].styleNumber(), 2);
        for (const TextItemFragmentView& fragment : item.fragments())
            EXPECT_EQ(fragment.parent(), &item);
        EXPECT_EQ(item.characterWidths().size(), 0u) << "not measured yet";
        EXPECT_EQ(item.widthOf(0, 2), -1);
    }
}

TEST(ViewTree, AbsolutePositionAddsTheParents)
{
    auto built = buildArticle(QStringLiteral("#1\"ab\""));
    ArticleView& article = built.view;
    article.rect = QRect(100, 1000, 500, 50);
    ParagraphView& paragraph = article.paragraphs[0];
    paragraph.rect = QRect(5, 20, 400, 30);
    TextItemView& item = paragraph.items()[1];
    item.rect = QRect(10, 3, 10, 13);
    item.fragments()[0].rect = QRect(0, -2, 10, 13);
    EXPECT_EQ(item.absolutePosition(), QPoint(115, 1023));
    EXPECT_EQ(item.fragments()[0].absoluteRect(), QRect(115, 1021, 10, 13));
}

TEST(FragmentView, CopyKeepsItsOwnPictureAndStrings)
{
    TextItemFragmentView fragment(1, 0, 1);
    EXPECT_EQ(fragment.link(), QString());
    EXPECT_FALSE(fragment.hasImage());
    fragment.setLink(QStringLiteral("<link a>"));
    fragment.setImage(QStringLiteral("<img b>"));
    fragment.setLabel(QStringLiteral("c"));
    fragment.setPixmap(QPixmap(3, 4));
    fragment.setValue(9);
    auto copy = std::make_unique<TextItemFragmentView>(fragment);
    fragment.resetPixmap();
    fragment.setLink(QString());
    EXPECT_TRUE(fragment.pixmap().isNull());
    EXPECT_EQ(copy->pixmap().size(), QSize(3, 4)) << "the copy holds its own picture";
    EXPECT_EQ(copy->link(), QStringLiteral("<link a>"));
    EXPECT_EQ(copy->image(), QStringLiteral("<img b>"));
    EXPECT_EQ(copy->label(), QStringLiteral("c"));
    EXPECT_EQ(copy->value(), 9);
    TextItemFragmentView assigned;
    assigned = *copy;
    copy.reset();
    EXPECT_EQ(assigned.pixmap().size(), QSize(3, 4));
}

TEST(CursorView, ResetEmptiesFillAndMarks)
{
    CursorView cursor;
    EXPECT_EQ(cursor.article, nullptr);
    EXPECT_EQ(cursor.markStyle, 0);
    EXPECT_EQ(cursor.penWidth, 1);
    EXPECT_TRUE(cursor.fillVisible);
    EXPECT_TRUE(cursor.marksVisible);
    cursor.fill.append(QRect(0, 0, 5, 5));
    cursor.marks.push_back(QRect(1, 1, 2, 2));
    cursor.layoutState = Placed;
    cursor.reset();
    EXPECT_TRUE(cursor.fill.isEmpty());
    EXPECT_TRUE(cursor.marks.empty());
    cursor.invalidate();
    EXPECT_EQ(cursor.layoutState, Dirty);
}

} // namespace
