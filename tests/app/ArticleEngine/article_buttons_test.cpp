// Tests of the header row and the buttons of an article, of collapsing an
// article entry, of icon assignment and of hits sent on to the host widget.
// The header font is 9 points with fixed metrics: the header's own height
// is 12, so every button asks for 12 x 12 and show-more for 24 x 24.
#include "layout_fixture.h"

#include "ArticleEngine/Controller/action_resources.h"
#include "ArticleEngine/Controller/article_actions.h"
#include "ArticleEngine/Controller/article_entry.h"
#include "ArticleEngine/External/article_server.h"
#include "ArticleEngine/External/widget.h"
#include "ArticleEngine/Loading/article_layout_loader.h"

#include <QPixmap>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>

using namespace ArticleEngine;
using namespace ArticleEngine::Controller;
using namespace ArticleEngine::Loading;
using lexvane::testing::buildArticle;
using lexvane::testing::BuiltArticle;

namespace {

constexpr int width = 200;

QString text(const char* t)
{
    return QStringLiteral("#1\"") + QString::fromUtf8(t) + QStringLiteral("\"");
}

struct Flags {
    bool header, edit, remove, expand;
};

BuiltArticle buildWithHeader(const QString& markup, Flags flags, bool pronounce = false,
                             bool complete = true)
{
    auto styles = std::make_shared<lexvane::testing::TestStyleServer>();
    ArticleBuildRequest request;
    request.title = QStringLiteral("Title");
    request.headerFont = &styles->small;
    request.flags.header = flags.header;
    request.flags.edit = flags.edit;
    request.flags.remove = flags.remove;
    request.flags.expandCollapse = flags.expand;
    request.flags.pronounce = pronounce;
    request.complete = complete;
    return buildArticle(markup, request, styles);
}

void layOut(ArticleView& article)
{
    ArticleLayoutLoader(article, QRect(0, 0, width, 10000), false).run();
}

struct HeaderCase {
    Flags flags;
    QRect header;
    // Empty where the button is not shown.
    QRect edit, remove, expand;
};

TEST(HeaderRow, SquaresFromTheRightEdgeByFlags)
{
    const HeaderCase cases[] = {
        {{true, true, true, true}, {0, 0, 164, 12}, {176, 0, 12, 12}, {164, 0, 12, 12}, {188, 0, 12, 12}},
        {{true, false, false, true}, {0, 0, 188, 12}, {}, {}, {188, 0, 12, 12}},
        {{true, true, false, false}, {0, 0, 188, 12}, {188, 0, 12, 12}, {}, {}},
        {{true, false, true, true}, {0, 0, 176, 12}, {}, {176, 0, 12, 12}, {188, 0, 12, 12}},
        {{true, false, false, false}, {0, 0, 200, 12}, {}, {}, {}},
        // A hidden header: the row is 0 high, the squares empty.
        {{false, true, true, true}, {0, 0, 200, 0}, {}, {}, {}},
    };
    for (const HeaderCase& test : cases) {
        auto built = buildWithHeader(text("a"), test.flags);
        ArticleView& article = built.view;
        layOut(article);
        const Flags& f = test.flags;
        const std::string name = std::to_string(f.header) + std::to_string(f.edit)
            + std::to_string(f.remove) + std::to_string(f.expand);
        EXPECT_EQ(article.header.rect, test.header) << name;
        for (const auto& [button, expected] : {std::pair<const View*, QRect>{&article.editButton, test.edit},
                                               {&article.deleteButton, test.remove},
                                               {&article.expandButton, test.expand}}) {
            if (expected.isEmpty())
                EXPECT_TRUE(button->rect.isEmpty()) << name << " kind " << int(button->kind);
            else
                EXPECT_EQ(button->rect, expected) << name << " kind " << int(button->kind);
            EXPECT_EQ(button->line, 0);
        }
        EXPECT_EQ(article.paragraphs[0].rect.top(), test.header.height()) << name;
    }
}

// Fault: the header grows to the largest icon, and the squares with it.
TEST(HeaderRow, TheHeaderGrowsToTheIcons)
{
    auto built = buildWithHeader(text("a"), {true, true, false, true});
    ArticleView& article = built.view;
    ActionResources resources;
    resources.icons[QStringLiteral("expand")] = QIcon(QPixmap(20, 20));
    assignIcons(article, resources);
    layOut(article);
    EXPECT_EQ(article.header.rect, QRect(0, 0, 160, 20));
    EXPECT_EQ(article.expandButton.rect, QRect(180, 0, 20, 20));
    EXPECT_EQ(article.editButton.rect, QRect(160, 0, 20, 20));
    EXPECT_EQ(article.paragraphs[0].rect.top(), 20);
}

TEST(ArticleButtons, PronounceStandsAtTheStartOfTheFirstLine)
{
    auto built = buildWithHeader(text("ab cd"), {true, false, false, false}, true);
    ArticleView& article = built.view;
    layOut(article);
    const PushButtonView& button = article.pronounceButton;
    // Its bottom: header bottom + max(ascent 9, height 12).
    EXPECT_EQ(button.rect, QRect(0, 12, 12, 12));
    EXPECT_EQ(button.line, 1);
    EXPECT_EQ(button.column, 0);
    EXPECT_EQ(button.layoutState, Placed);
    // The first line makes room for it.
    EXPECT_EQ(article.paragraphs[0].items()[0].rect.left(), 12);
}

TEST(ArticleButtons, ShowMoreUnderTheLastParagraphMakesTheHeight)
{
    auto built = buildWithHeader(text("a%0Ab"), {true, false, false, false}, false, false);
    ArticleView& article = built.view;
    layOut(article);
    const QRect& last = article.paragraphs[1].rect;
    EXPECT_EQ(article.showMoreButton.rect, QRect(QPoint(last.right() - 24, last.bottom()), QSize(24, 24)));
    EXPECT_EQ(article.showMoreButton.line, 3);
    EXPECT_EQ(article.rect, QRect(0, 0, width, article.showMoreButton.rect.bottom() + 1));

    auto complete = buildWithHeader(text("a%0Ab"), {true, false, false, false});
    layOut(complete.view);
    EXPECT_EQ(complete.view.rect.height(), 12 + 13 + 13) << "header and paragraphs";
}

TEST(ArticleButtons, MissingIconsTakeTheDefault)
{
    auto built = buildWithHeader(text("a"), {true, true, true, true});
    ArticleView& article = built.view;
    ActionResources resources;
    resources.defaultIcon = QIcon(QPixmap(4, 4));
    for (const char* name : {"delete", "pronounce", "expand", "collapse", "showMore"})
        resources.icons[QString::fromLatin1(name)] = QIcon(QPixmap(8, 8));
    assignIcons(article, resources);
    EXPECT_EQ(article.editButton.icon, &resources.defaultIcon);
    EXPECT_EQ(article.deleteButton.icon, &resources.icons[QStringLiteral("delete")]);
    EXPECT_EQ(article.expandButton.firstIcon, &resources.icons[QStringLiteral("collapse")]);
    EXPECT_EQ(article.expandButton.secondIcon, &resources.icons[QStringLiteral("expand")]);
    EXPECT_EQ(article.pronounceButton.icon, &resources.icons[QStringLiteral("pronounce")]);
    EXPECT_EQ(article.showMoreButton.icon, &resources.icons[QStringLiteral("showMore")]);
}

TEST(Collapsing, ACollapsedArticleIsItsHeaderRow)
{
    auto built = buildWithHeader(text("a%0Ab"), {true, true, true, true}, true, false);
    ArticleEntry entry;
    entry.setView(std::make_unique<ArticleView>(std::move(built.view)));
    ArticleView& article = *entry.view();
    layOut(article);
    const int open = article.rect.height();

    entry.setCollapsed(true);
    EXPECT_TRUE(article.collapsed);
    EXPECT_TRUE(article.expandButton.checked);
    EXPECT_EQ(article.layoutState, Dirty);
    layOut(article);
    EXPECT_EQ(article.rect.height(), 12);
    EXPECT_EQ(article.pronounceButton.layoutState, Dirty);
    EXPECT_EQ(article.showMoreButton.layoutState, Dirty);
    EXPECT_EQ(article.expandButton.rect, QRect(188, 0, 12, 12)) << "the header row stays";

    entry.setCollapsed(false);
    EXPECT_FALSE(article.expandButton.checked);
    layOut(article);
    EXPECT_EQ(article.rect.height(), open);

    // Asking for all of the article also lays it out again.
    entry.setCollapsed(false, true);
    EXPECT_EQ(article.layoutState, Dirty);
    EXPECT_TRUE(entry.showAll());
}

// Fault: an entry whose view is not built yet ignores setCollapsed.
TEST(Collapsing, AnEntryWithoutViewChangesNothing)
{
    ArticleEntry entry;
    entry.setCollapsed(true, true);
    EXPECT_FALSE(entry.collapsed());
    EXPECT_FALSE(entry.showAll());
    entry.setView(std::make_unique<ArticleView>());
    EXPECT_FALSE(entry.view()->collapsed);
    EXPECT_FALSE(entry.view()->expandButton.checked);
}

class MockWidget : public External::IWidget {
public:
    MOCK_METHOD(void, copySelection, (), (override));
    MOCK_METHOD(QString, clipboardText, (), (override));
    MOCK_METHOD(QString, clipboardSource, (), (override));
    MOCK_METHOD(bool, hasFocus, (), (override));
    MOCK_METHOD(void, repaint, (), (override));
    MOCK_METHOD(void, update, (), (override));
    MOCK_METHOD(void, onWordPronounced, (External::IArticleServer&, int, const QString&), (override));
    MOCK_METHOD(void, onWordHitted, (External::IArticleServer&, int, const QString&, int), (override));
    MOCK_METHOD(void, onLinkHitted, (External::IArticleServer&, int, const QString&, const QString&),
                (override));
    MOCK_METHOD(void, onImageHitted, (External::IArticleServer&, int, const QString&), (override));
    MOCK_METHOD(void, onQueryDelete, (External::IArticleServer&, int), (override));
    MOCK_METHOD(void, onQueryEdit, (External::IArticleServer&, int), (override));
    MOCK_METHOD(QScrollBar*, scrollBar, (), (override));
};

// Articles 0 to 2.
class ThreeArticles : public External::IArticleServer {
public:
    int count() const override { return 3; }
    bool isValid(int index) const override { return index >= 0 && index < 3; }
    bool articleText(const External::ArticleRequest&, External::ArticleRecord&) override { return false; }
};

TEST(ArticleActions, AnInvalidIndexSendsNothing)
{
    ThreeArticles server;
    ::testing::StrictMock<MockWidget> widget;
    ArticleActions actions(server, widget);
    for (int index : {-1, 3, 1000}) {
        EXPECT_FALSE(actions.wordHit(index, QStringLiteral("w"), 1));
        EXPECT_FALSE(actions.linkHit(index, QStringLiteral("t"), QStringLiteral("u")));
        EXPECT_FALSE(actions.imageHit(index, QStringLiteral("i")));
        EXPECT_FALSE(actions.queryDelete(index));
        EXPECT_FALSE(actions.queryEdit(index));
    }
}

TEST(ArticleActions, AValidIndexReachesTheHost)
{
    using ::testing::Ref;
    ThreeArticles server;
    ::testing::StrictMock<MockWidget> widget;
    ArticleActions actions(server, widget);
    EXPECT_CALL(widget, onWordHitted(Ref(server), 2, QStringLiteral("w"), 7));
    EXPECT_CALL(widget, onLinkHitted(Ref(server), 0, QStringLiteral("t"), QStringLiteral("u")));
    EXPECT_CALL(widget, onImageHitted(Ref(server), 1, QStringLiteral("i")));
    EXPECT_CALL(widget, onQueryDelete(Ref(server), 1));
    EXPECT_CALL(widget, onQueryEdit(Ref(server), 2));
    EXPECT_TRUE(actions.wordHit(2, QStringLiteral("w"), 7));
    EXPECT_TRUE(actions.linkHit(0, QStringLiteral("t"), QStringLiteral("u")));
    EXPECT_TRUE(actions.imageHit(1, QStringLiteral("i")));
    EXPECT_TRUE(actions.queryDelete(1));
    EXPECT_TRUE(actions.queryEdit(2));
}

} // namespace
