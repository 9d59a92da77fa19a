// Seeded random markup: thousands of strings built from the syntax's own
// pieces (number signs, quotes, escapes good and broken, NULs, tabs, line
// feeds, tags whole and cut short) go through the reader and the element
// pass. Under the sanitizers this shows that nothing reads out of range;
// the checks show that the promised invariants hold for every input.
#include "ArticleEngine/Markup/element_pass.h"
#include "ArticleEngine/Markup/style_run_parser.h"

#include "markup_invariants.h"
#include "element_style_server.h"

#include <QLoggingCategory>

#include <gtest/gtest.h>

#include <random>

using namespace ArticleEngine;
using lexvane::testing::ElementStyleServer;
using lexvane::testing::contentFault;
using lexvane::testing::elementsFault;
using lexvane::testing::escaped;
using lexvane::testing::randomMarkup;

namespace {

TEST(RandomMarkup, InvariantsHoldForEveryInput)
{
    QLoggingCategory::setFilterRules(QStringLiteral("lexvane.article.markup.debug=false"));
    std::mt19937 random(20261210);
    ElementStyleServer server;
    int withTables = 0;
    int withLinks = 0;
    int withLabels = 0;
    int withImages = 0;
    for (int round = 0; round < 4000; ++round) {
        const QString markup = randomMarkup(random);
        SCOPED_TRACE(escaped(markup));

        ArticleContent content = readMarkup(markup);
        ASSERT_EQ(contentFault(content), "") << "after reading";
        for (QChar c : content.leadText)
            ASSERT_TRUE(c.unicode() != 0 && c != QLatin1Char('\r') && c.unicode() != 0xAD);

        const ArticleElements elements = takeElements(content, server);
        ASSERT_EQ(contentFault(content), "") << "after the element pass";
        ASSERT_EQ(elementsFault(content, elements), "");
        for (int asked : server.asked)
            ASSERT_GE(asked, 0);
        server.asked.clear();
        withTables += elements.tables.empty() ? 0 : 1;
        withLinks += elements.links.empty() ? 0 : 1;
        withLabels += elements.labels.empty() ? 0 : 1;
        withImages += elements.images.empty() ? 0 : 1;

        // What is left holds no special run: a second pass cuts nothing.
        const ArticleContent before = content;
        ASSERT_TRUE(takeElements(content, server).elements.empty());
        ASSERT_EQ(content.text, before.text);
    }
    // The pieces must build every kind of record often enough to test it.
    EXPECT_GT(withTables, 100);
    EXPECT_GT(withLinks, 100);
    EXPECT_GT(withLabels, 100);
    EXPECT_GT(withImages, 100);
}

} // namespace
