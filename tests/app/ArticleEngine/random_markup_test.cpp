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

#include <cstdio>
#include <random>
#include <string>
#include <string_view>

using namespace ArticleEngine;
using namespace std::literals;
using lexvane::testing::ElementStyleServer;
using lexvane::testing::contentFault;
using lexvane::testing::elementsFault;

namespace {

const std::u16string_view pieces[] = {
    u"#"sv, u"\""sv, u"%"sv, u"%0A"sv, u"%0a"sv, u"%09"sv, u"%00"sv, u"%23"sv, u"%22"sv,
    u"%2"sv, u"%G"sv, u"%AD"sv, u"%0D"sv, u"\t"sv, u"\n"sv, u"\r"sv, u"\0"sv, u"\u00AD"sv,
    u"a"sv, u"b"sv, u"xyz"sv, u" "sv, u"-"sv, u"+"sv, u"0"sv, u"1"sv, u"7"sv, u"8"sv,
    u"99999999999"sv, u"<table>"sv, u"</table>"sv, u"<TABLE>"sv, u"<row>"sv, u"</row>"sv,
    u"<cell 30%>"sv, u"<cell"sv, u"<cell 150%>"sv, u"<cell rowspan=%222%22>"sv, u"</cell>"sv,
    u"<link x>"sv, u"</link>"sv, u"<label %22n%22>"sv, u"<label"sv, u"<img s>"sv, u"</img>"sv,
    u"<IMG"sv, u"#07\""sv, u"#08\""sv, u"#01\""sv, u"#00\""sv, u"#-7\""sv, u"#x\""sv, u"\"#"sv,
    u"\"#07\""sv, u"\"#02\""sv, u"#07\"<link y>\""sv, u"#08\"</link>\""sv, u"#07\"<img t>\""sv,
    u"#08\"</img>\""sv, u"#01\"text\""sv,
};

QString randomMarkup(std::mt19937& random)
{
    std::uniform_int_distribution<int> count(0, 80);
    std::uniform_int_distribution<std::size_t> piece(0, std::size(pieces));
    std::uniform_int_distribution<int> anyUnit(1, 0xFFFF);
    QString markup;
    for (int n = count(random); n > 0; --n) {
        const std::size_t p = piece(random);
        if (p == std::size(pieces))
            markup.append(QChar(char16_t(anyUnit(random)))); // now and then any code unit
        else
            markup.append(QString::fromUtf16(pieces[p].data(), qsizetype(pieces[p].size())));
    }
    return markup;
}

std::string escaped(const QString& markup)
{
    std::string out;
    for (QChar c : markup) {
        const char16_t u = c.unicode();
        if (u >= 0x20 && u < 0x7F) {
            out += char(u);
        } else {
            char buffer[12];
            std::snprintf(buffer, sizeof buffer, "\\u%04X", unsigned(u));
            out += buffer;
        }
    }
    return out;
}

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
