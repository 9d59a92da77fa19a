// Tests of shaping runs: which stretches of a paragraph are measured and
// drawn as one shaped string, that their characters' widths add up to the
// toolkit's width of the shaped string, and that painting puts the same
// pixels on an image as drawText of the word at the place layout gave it.
// Real fonts (DejaVu Sans, which has Arabic) where widths matter.
#include "layout_fixture.h"

#include "ArticleEngine/External/default_char_analyzer.h"
#include "ArticleEngine/Loading/article_builder.h"
#include "ArticleEngine/Loading/article_layout_loader.h"
#include "ArticleEngine/Loading/text_measurer.h"
#include "ArticleEngine/Loading/text_metric_source.h"
#include "ArticleEngine/Views/shaping_runs.h"
#include "ArticleEngine/Views/view_painter.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QTextLayout>

#include <gtest/gtest.h>

#include <numeric>
#include <string>
#include <vector>

using namespace ArticleEngine;
using namespace ArticleEngine::Loading;
using lexvane::testing::BuiltArticle;
using lexvane::testing::TestStyleServer;

namespace {

const QColor white(255, 255, 255);

QString text(const QString& t, int style = 1)
{
    return QStringLiteral("#%1\"").arg(style) + t + QStringLiteral("\"");
}

// Built with the toolkit's metrics, unlike the fixture's fixed ones.
BuiltArticle buildMeasured(const QString& markup)
{
    const External::Default::CharAnalyzer analyzer;
    FontMetricsCache metrics;
    ArticleBuildRequest request;
    request.markup = markup;
    BuiltArticle built;
    built.styles = std::make_shared<TestStyleServer>();
    built.view = ArticleBuilder(*built.styles, analyzer, metrics).build(request, built.record);
    return built;
}

// The runs of the first paragraph as "start-end" of its own text.
std::string describeRuns(const BuiltArticle& built)
{
    const ParagraphView& paragraph = built.view.paragraphs[0];
    std::string out;
    for (const ShapingRun& run : shapingRuns(paragraph, built.view.text)) {
        if (!out.empty())
            out += ' ';
        out += std::to_string(run.start - paragraph.textStart()) + '-'
            + std::to_string(run.end - paragraph.textStart());
        if (run.rightToLeft)
            out += 'r';
    }
    return out;
}

int sumOf(std::span<const std::int16_t> widths, int from, int to)
{
    return std::accumulate(widths.begin() + from, widths.begin() + to, 0);
}

int shapedWidth(const QString& word, const QFont& font)
{
    QTextLayout layout(word, font);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    layout.endLayout();
    return qRound(line.naturalTextWidth());
}

TEST(ShapingRuns, WhichStretchesAreShapedTogether)
{
    struct Case {
        const char* name;
        QString markup;
        std::string runs;
    };
    const QString beit = QStringLiteral("\u0628\u064a\u062a");
    const std::vector<Case> cases = {
        {"Latin stands alone", text(QStringLiteral("big house")), ""},
        {"Cyrillic and Hebrew without marks stand alone",
         text(QStringLiteral("\u0434\u043e\u043c \u05d1\u05d9\u05ea")), ""},
        {"Arabic words, each a run", text(beit + QStringLiteral(" \u0643\u0628\u064a\u0631")), "0-3r 4-8r"},
        {"a mark joins its base", text(QStringLiteral("cafe\u0301")), "3-5"},
        {"Hebrew with a point", text(QStringLiteral("\u05d1\u05bc\u05d9\u05ea")), "0-2r"},
        {"a non-joiner stays inside the word",
         text(QStringLiteral("\u0645\u06cc\u200c\u062e\u0648\u0627\u0647\u0645")), "0-8r"},
        {"Devanagari clusters", text(QStringLiteral("\u0928\u092e\u0938\u094d\u0924\u0947")), "0-6"},
        {"Arabic in a left-to-right paragraph runs right to left",
         text(QStringLiteral("see ") + beit), "4-7r"},
        {"a marked Latin letter in a right-to-left paragraph runs left to right",
         text(QStringLiteral("\u05d1\u05d9\u05ea cafe\u0301")), "7-9"},
        {"a run of both directions is drawn letter by letter",
         text(QStringLiteral("\u0628e\u0301")), ""},
        {"Arabic-Indic digits stand alone", text(QStringLiteral("\u0661\u0662\u0663")), ""},
        {"a style change cuts the run",
         text(QStringLiteral("\u0628\u064a")) + text(QStringLiteral("\u062a\u0628"), 4), "0-2r 2-4r"},
        {"a run needs two characters",
         text(QStringLiteral("\u0628")) + text(QStringLiteral("\u064a\u062a"), 4), "1-3r"},
        {"an override would reorder the run", text(QStringLiteral("\u0628\u202e\u064a")), ""},
        {"letters beyond the first plane join too",
         text(QString::fromUcs4(U"\U0001E900\U0001E901")), "0-4r"},
        {"a zero-width space cuts the run", text(QStringLiteral("\u0628\u064a\u200b\u062a")), "0-2r"},
    };
    for (const Case& c : cases) {
        const BuiltArticle built = lexvane::testing::buildArticle(c.markup);
        EXPECT_EQ(describeRuns(built), c.runs) << c.name;
    }
}

TEST(ShapingRuns, JoinedWidthsAddUpToTheShapedWord)
{
    const QString word = QStringLiteral("\u0644\u0644\u0639\u0627\u0626\u0644\u0629");
    const BuiltArticle built = buildMeasured(text(QStringLiteral("\u0628\u064a\u062a ") + word));
    const ParagraphView& paragraph = built.view.paragraphs[0];
    const QFont& font = built.styles->small;
    const auto widths = paragraph.characterWidths();
    // The text ends in a line feed.
    ASSERT_EQ(widths.size(), 12u);

    EXPECT_EQ(sumOf(widths, 0, 3), shapedWidth(QStringLiteral("\u0628\u064a\u062a"), font));
    EXPECT_EQ(sumOf(widths, 4, 11), shapedWidth(word, font));
    int alone = 0;
    for (QChar c : word)
        alone += QFontMetrics(font).horizontalAdvance(c);
    EXPECT_NE(sumOf(widths, 4, 11), alone) << "joined forms are not the isolated ones";
    for (int i = 4; i < 11; ++i)
        EXPECT_GT(widths[std::size_t(i)], 0) << "every letter has room for the caret: " << i;

    // Items and fragments still measure what their characters do.
    for (const TextItemView& item : paragraph.items()) {
        EXPECT_EQ(item.width(), sumOf(widths, item.start(), item.end())) << item.start();
        for (const TextItemFragmentView& fragment : paragraph.fragmentsOf(item))
            EXPECT_EQ(fragment.metrics().width, item.width()) << item.start();
    }
}

TEST(ShapingRuns, APairsShareStandsOnItsFirstHalf)
{
    const QString pairs = QString::fromUcs4(U"\U0001E900\U0001E901");
    QFont font(QStringLiteral("DejaVu Sans"), 9);
    FontMetricsCache cache;
    std::vector<std::int16_t> widths(4, -1);
    const int sum = cache.joinedWidths(font, pairs, true, widths);
    EXPECT_EQ(widths[1], 0);
    EXPECT_EQ(widths[3], 0);
    EXPECT_EQ(widths[0] + widths[2], sum);
    EXPECT_EQ(sum, shapedWidth(pairs, font));
}

TEST(ShapingRuns, LatinWidthsStayThoseOfEachCharacter)
{
    const QString latin = QStringLiteral("Wave office");
    const BuiltArticle built = buildMeasured(text(latin));
    const auto widths = built.view.paragraphs[0].characterWidths();
    const QFontMetrics metrics(built.styles->small);
    ASSERT_EQ(widths.size(), std::size_t(latin.size()) + 1) << "and the closing line feed";
    for (qsizetype i = 0; i < latin.size(); ++i)
        EXPECT_EQ(widths[std::size_t(i)], metrics.horizontalAdvance(latin[i])) << i;
}

TEST(ShapingRuns, MeasuringAParagraphAgainMeasuresItsRunsInContext)
{
    BuiltArticle built = buildMeasured(text(QStringLiteral("\u0628\u064a\u062a")));
    ParagraphView& paragraph = built.view.paragraphs[0];
    const std::vector<std::int16_t> joined(paragraph.characterWidths().begin(),
                                           paragraph.characterWidths().end());
    FontMetricsCache metrics;
    measureParagraph(paragraph, built.view.text, metrics);
    EXPECT_EQ(std::vector<std::int16_t>(paragraph.characterWidths().begin(), paragraph.characterWidths().end()),
              joined);
}

QImage blankImage()
{
    QImage image(300, 60, QImage::Format_RGB32);
    image.fill(white);
    return image;
}

QImage paintArticleImage(const ArticleView& article)
{
    QImage image = blankImage();
    QPainter painter(&image);
    PaintContext context{&painter, false, {}};
    paintArticle(context, article);
    return image;
}

TEST(ShapingRuns, AnArabicWordPaintsAsDrawTextOfTheWordAtItsPlace)
{
    const QString word = QStringLiteral("\u0627\u0644\u0639\u0627\u0626\u0644\u0629");
    BuiltArticle built = buildMeasured(text(word));
    ArticleLayoutLoader(built.view, QRect(0, 0, 280, 1000), false).run();
    const ParagraphView& paragraph = built.view.paragraphs[0];
    ASSERT_TRUE(paragraph.frame.rightToLeft);
    ASSERT_EQ(paragraph.items().size(), std::size_t(word.size()) + 1) << "and the closing line feed";

    // The word's place: its leftmost item (the last letter) and the baseline.
    const TextItemView& last = paragraph.items()[std::size_t(word.size() - 1)];
    const QRect lastRect = last.absoluteRect();
    const int baseline = lastRect.top() + last.fragments()[0].rect.bottom();
    QImage expected = blankImage();
    {
        QPainter painter(&expected);
        painter.setRenderHint(QPainter::TextAntialiasing, true);
        painter.setFont(built.styles->small);
        painter.setPen(QColor(Qt::black));
        painter.drawText(QPoint(lastRect.left(), baseline), word);
    }
    EXPECT_EQ(paintArticleImage(built.view), expected);
    EXPECT_EQ(paragraph.items().front().absoluteRect().right() + 1 - lastRect.left(),
              shapedWidth(word, built.styles->small))
        << "the items cover the shaped word";
}

TEST(ShapingRuns, LatinStillPaintsLetterByLetter)
{
    BuiltArticle built = buildMeasured(text(QStringLiteral("Wave office")));
    ArticleLayoutLoader(built.view, QRect(0, 0, 280, 1000), false).run();
    const ParagraphView& paragraph = built.view.paragraphs[0];
    QImage expected = blankImage();
    {
        QPainter painter(&expected);
        painter.setRenderHint(QPainter::TextAntialiasing, true);
        painter.setFont(built.styles->small);
        painter.setPen(QColor(Qt::black));
        for (const TextItemView& item : paragraph.items()) {
            const QString letter = built.view.text.mid(item.start(), item.length());
            if (letter == QLatin1String("\n"))
                continue;
            const QRect rect = item.absoluteRect();
            painter.drawText(QPoint(rect.left(), rect.top() + item.fragments()[0].rect.bottom()), letter);
        }
    }
    EXPECT_EQ(paintArticleImage(built.view), expected) << "no kerning between letters, as before";
}

TEST(ShapingRuns, ArabicInALeftToRightLinePaintsAsDrawTextOfEachWord)
{
    // The common line of an English-Arabic dictionary.
    const QString beit = QStringLiteral("\u0628\u064a\u062a");
    const QString kabir = QStringLiteral("\u0643\u0628\u064a\u0631");
    const QString latin = QStringLiteral("1. (building) ");
    BuiltArticle built = buildMeasured(text(latin + beit + QLatin1Char(' ') + kabir));
    ArticleLayoutLoader(built.view, QRect(0, 0, 280, 1000), false).run();
    const ParagraphView& paragraph = built.view.paragraphs[0];
    ASSERT_FALSE(paragraph.frame.rightToLeft);
    const auto items = paragraph.items();
    const QFont& font = built.styles->small;
    // The item that holds the character at the given place of the line.
    auto itemAt = [&](qsizetype offset) -> const TextItemView& {
        const int position = paragraph.textStart() + int(offset);
        for (const TextItemView& item : items) {
            if (item.start() <= position && position < item.end())
                return item;
        }
        ADD_FAILURE() << "no item at " << offset;
        return items.front();
    };

    struct Word {
        QString letters;
        qsizetype offset;
    };
    const Word words[] = {{beit, latin.size()}, {kabir, latin.size() + beit.size() + 1}};
    QImage expected = blankImage();
    {
        QPainter painter(&expected);
        painter.setRenderHint(QPainter::TextAntialiasing, true);
        painter.setFont(font);
        painter.setPen(QColor(Qt::black));
        auto baselineOf = [](const TextItemView& item) {
            return item.absoluteRect().top() + item.fragments()[0].rect.bottom();
        };
        // The Latin letters one by one, as ever (" (" is one item).
        for (const TextItemView& item : items) {
            if (item.end() > paragraph.textStart() + int(latin.size()))
                continue;
            int x = item.absoluteRect().left();
            for (int c = item.start(); c < item.end(); ++c) {
                painter.drawText(QPoint(x, baselineOf(item)), QString(built.view.text[c]));
                x += item.characterWidths()[std::size_t(c - item.start())];
            }
        }
        painter.setLayoutDirection(Qt::RightToLeft);
        for (const Word& word : words) {
            const TextItemView& first = itemAt(word.offset);
            const TextItemView& last = itemAt(word.offset + word.letters.size() - 1);
            ASSERT_EQ(first.length(), 1);
            // Placed from the right: the last letter is the leftmost.
            EXPECT_LT(last.absoluteRect().left(), first.absoluteRect().left()) << word.offset;
            EXPECT_EQ(first.absoluteRect().right() + 1 - last.absoluteRect().left(),
                      shapedWidth(word.letters, font))
                << "the items cover the shaped word " << word.offset;
            painter.drawText(QPoint(last.absoluteRect().left(), baselineOf(last)), word.letters);
        }
    }
    EXPECT_EQ(paintArticleImage(built.view), expected);
}

TEST(ShapingRuns, ARunOverTwoLinesPaintsEachPartOnItsOwnLine)
{
    // Layout keeps a word on one line; should a run still stand on two, each
    // part is drawn on its line, cut to its own letters.
    const QString word = QStringLiteral("\u0627\u0644\u0639\u0627\u0626\u0644\u0629");
    BuiltArticle built = buildMeasured(text(word));
    ArticleLayoutLoader(built.view, QRect(0, 0, 280, 1000), false).run();
    ParagraphView& paragraph = built.view.paragraphs[0];
    const auto items = paragraph.items();
    const int height = items[0].rect.height();
    // Without the closing line feed.
    const std::size_t letters = items.size() - 1;
    const std::size_t half = letters / 2;
    for (std::size_t i = half; i < letters; ++i) {
        items[i].line += 1;
        items[i].rect.translate(0, height);
    }

    const QImage painted = paintArticleImage(built.view);
    struct Part {
        std::size_t first;
        std::size_t end;
    };
    for (const Part part : {Part{0, half}, Part{half, letters}}) {
        const int left = items[part.end - 1].absoluteRect().left();
        const int right = items[part.first].absoluteRect().right();
        const QRect line = items[part.first].absoluteRect();
        bool inked = false;
        for (int y = line.top(); y <= line.bottom(); ++y) {
            for (int x = 0; x < painted.width(); ++x) {
                if (painted.pixelColor(x, y) == white)
                    continue;
                inked = true;
                EXPECT_GE(x, left) << "part from " << part.first << ", y " << y;
                EXPECT_LE(x, right) << "part from " << part.first << ", y " << y;
            }
        }
        EXPECT_TRUE(inked) << "part from " << part.first;
    }
}

} // namespace
