// Tests of find in articles: the default finder's matching (a table), and
// the list controller's lazy matches, stepping with wrap across articles,
// the expansion of a collapsed article, starting a find over previews, and
// the painting of matches.
#include "list_fixture.h"

#include "ArticleEngine/External/default_text_finder.h"

#include <QImage>
#include <QPainter>

using namespace ArticleEngine;
using namespace ArticleEngine::Controller;
using ArticleEngine::External::Default::TextFinder;
using lexvane::testing::ListFixture;

namespace {

using Found = std::vector<std::pair<int, int>>;

TEST(DefaultTextFinder, FindsAsItsTextSays)
{
    struct Case {
        const char* name;
        QString search;
        QString article;
        Found found;
    };
    const QString acute(QChar(0x0301));
    const Case cases[] = {
        {"accent inside a word", "abcd", "x ab" + acute + "cd", {{2, 7}}},
        {"bar inside a word", "abcd", "ab|cd abcd", {{0, 5}, {6, 10}}},
        {"accent after the last letter belongs to the match", "ab", "ab" + acute + acute + " ab|", {{0, 4}, {5, 8}}},
        {"accent in the search text is ignored", "a" + acute + "b", "ab", {{0, 2}}},
        {"upper case", "ABC", "abc AbC xbc", {{0, 3}, {4, 7}}},
        {"dot is any character", "a.c", "abc a c", {{0, 3}, {4, 7}}},
        {"opening parenthesis is no expression", "a(", "a(b", {}},
        {"blanks only", "  \t ", "a b c", {}},
        {"accents only", acute + acute, "a" + acute + "b", {}},
        {"bar alone matches only empty places", "|", "a|b||c", {}},
        {"tabs and returns are dropped", "a\t\rb", "ab", {{0, 2}}},
        {"U+0130 keeps later offsets", "ab", QString(QChar(0x0130)) + "x ab", {{3, 5}}},
        {"U+0130 is matched as itself", QString(QChar(0x0130)) + "x", "i" + QString(QChar(0x0130)) + "X", {{1, 3}}},
        {"overlaps are not found", "aa", "aaa", {{0, 2}}},
    };
    for (const Case& c : cases) {
        const TextFinder finder(c.search);
        Found found = {{99, 99}};
        finder.find(c.article, found);
        EXPECT_EQ(found, c.found) << c.name;
        EXPECT_EQ(finder.text(), c.search) << c.name;
    }
}

class ListFindTest : public ListFixture {
protected:
    void expectSelected(int article, int first, int last)
    {
        EXPECT_EQ(controller->selectionStart(), text(article, first));
        EXPECT_EQ(controller->selectionEnd(), text(article, last));
    }

    TextFinder finder{QStringLiteral("cat")};
};

TEST_F(ListFindTest, StepsAcrossArticlesAndWraps)
{
    start({QStringLiteral("#1\"cat dog cat\""), QStringLiteral("#1\"bird\""), QStringLiteral("#1\"dog cats\"")});
    controller->setTextFinder(&finder);
    EXPECT_TRUE(controller->findActive);
    EXPECT_FALSE(controller->showMarks);
    EXPECT_EQ(controller->matches(0), (Found{{0, 3}, {8, 11}}));
    EXPECT_TRUE(controller->matches(1).empty());

    ASSERT_TRUE(controller->findFirst());
    expectSelected(0, 0, 2);
    EXPECT_EQ(controller->caret(), text(0, 2));
    ASSERT_TRUE(controller->findNext(false));
    expectSelected(0, 8, 10);
    ASSERT_TRUE(controller->findNext(false));
    expectSelected(2, 4, 6);
    EXPECT_EQ(controller->currentMatchArticle(), 2);
    EXPECT_EQ(controller->currentMatchIndex(), 0);
    EXPECT_FALSE(controller->findNext(false)) << "after the last match";
    ASSERT_TRUE(controller->findNext(true));
    expectSelected(0, 0, 2);

    ASSERT_TRUE(controller->findPrevious(true)) << "wraps to the last match of the list";
    expectSelected(2, 4, 6);
    ASSERT_TRUE(controller->findPrevious(false));
    expectSelected(0, 8, 10);
    ASSERT_TRUE(controller->findLast());
    expectSelected(2, 4, 6);

    controller->clearFind();
    EXPECT_FALSE(controller->findActive);
    EXPECT_TRUE(controller->showMarks);
    EXPECT_EQ(controller->textFinder(), nullptr);
}

TEST_F(ListFindTest, AMatchInACollapsedArticleExpandsIt)
{
    start({QStringLiteral("#1\"dog\""), QStringLiteral("#1\"a cat\"")});
    controller->setCollapsed(1, true);
    controller->setTextFinder(&finder);
    ASSERT_TRUE(controller->findFirst());
    EXPECT_FALSE(controller->isCollapsed(1));
    expectSelected(1, 2, 4);
}

TEST_F(ListFindTest, ASearchWithoutMatchesEnds)
{
    start({QStringLiteral("#1\"dog\""), QStringLiteral("#1\"bird\"")});
    for (const QString& search : {QStringLiteral("cat"), QStringLiteral("   "), QStringLiteral("|")}) {
        TextFinder none(search);
        controller->setTextFinder(&none);
        EXPECT_FALSE(controller->findFirst()) << search.toStdString();
        EXPECT_FALSE(controller->findNext(true)) << search.toStdString();
        EXPECT_FALSE(controller->findPrevious(true)) << search.toStdString();
    }
    EXPECT_EQ(controller->caret(), part(0, ExpandButtonKind)) << "nothing was selected";
}

TEST_F(ListFindTest, StartingAFindShowsEveryArticleInFullWithoutMovingTheCaret)
{
    // Every article is a preview until shown in full; the match lies past
    // the preview.
    std::vector<QString> markups;
    for (int i = 0; i < 12; ++i) {
        server.previews[i] = QStringLiteral("#1\"dog\"");
        markups.push_back(QStringLiteral("#1\"dog cat\""));
    }
    start(markups);
    controller->setCaret(text(0, 0), true, false);
    const int before = server.calls;
    controller->setTextFinder(&finder);
    EXPECT_EQ(controller->caret(), text(0, 0)) << "no caret move of show more";
    EXPECT_LT(server.calls - before, 12) << "articles are loaded in full when needed, not all at once";
    for (std::size_t r = std::size_t(before); r < server.requests.size(); ++r)
        EXPECT_LE(server.requests[r].lineLimit, 0) << "request " << r << " asks for a whole article";

    for (int i = 0; i < 12; ++i)
        EXPECT_EQ(controller->matches(i), (Found{{4, 7}})) << i;
    std::map<int, int> fullLoads;
    for (std::size_t r = 0; r < server.requests.size(); ++r) {
        if (server.requests[r].lineLimit <= 0)
            ++fullLoads[server.requests[r].index];
    }
    for (int i = 0; i < 12; ++i)
        EXPECT_EQ(fullLoads[i], 1) << "article " << i << " is loaded in full once";
    EXPECT_TRUE(controller->findFirst());
    expectSelected(0, 4, 6);
}

TEST_F(ListFindTest, MatchesArePaintedOnlyWhileTheFindIsActive)
{
    start({QStringLiteral("#1\"dog cat\"")});
    controller->showCaret = false;
    const QRect cat = controller->stopRect(text(0, 4));
    auto pixel = [&] {
        QImage image(300, 100, QImage::Format_RGB32);
        QPainter painter(&image);
        controller->paint(image.rect(), &painter);
        painter.end();
        return image.pixelColor(cat.left(), cat.top());
    };
    EXPECT_EQ(pixel(), controller->backgroundColor);
    controller->setTextFinder(&finder);
    EXPECT_NE(pixel(), controller->backgroundColor);
    controller->clearFind();
    EXPECT_EQ(pixel(), controller->backgroundColor);
}

} // namespace
