// Tests of the ArticleList widget, offscreen: signals of clicks on each
// button and on a link, a double click on a word, key presses, tool tips
// through a help event, the pointing hand over links, the three clipboard
// forms over one and over two articles, find, locate, the scroll bar and
// the paint of a fresh widget.
#include "list_fixture.h"

#include "ArticleEngine/Controller/article_clipboard_copy.h"
#include "ArticleEngine/Private/article_list.h"

#include <QApplication>
#include <QClipboard>
#include <QFileInfo>
#include <QHelpEvent>
#include <QImage>
#include <QMimeData>
#include <QPrinter>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QToolTip>

#include <gtest/gtest.h>

using namespace ArticleEngine;
using ArticleEngine::Controller::ArticleListPosition;
using lexvane::testing::FixedMetricSource;
using lexvane::testing::MarkupServer;
using lexvane::testing::TestStyleServer;

namespace {

class ArticleListTest : public ::testing::Test {
protected:
    // A shown 300 x 200 list over the markups, with the fixed metrics.
    void start(std::vector<QString> markups, bool withButtons = false)
    {
        server.markups = std::move(markups);
        server.withButtons = withButtons;
        list.controller().setMetricSource(&metrics);
        list.init(&styles, &analyzer, &server);
        list.resize(300, 200);
        list.show();
        QCoreApplication::processEvents();
        list.controller().refresh();
    }

    // Where a position's stop shows, in the widget.
    QPoint centre(const ArticleListPosition& p)
    {
        return list.controller().stopRect(p).center() + list.controller().viewport().topLeft();
    }
    QPoint leftOf(const ArticleListPosition& p)
    {
        const QRect r = list.controller().stopRect(p);
        return QPoint(r.left() + 2, r.center().y());
    }
    void mouse(QEvent::Type type, QPoint point)
    {
        const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
        const Qt::MouseButtons held = type == QEvent::MouseButtonRelease || type == QEvent::MouseMove
            ? Qt::NoButton
            : Qt::LeftButton;
        QMouseEvent event(type, QPointF(point), list.mapToGlobal(QPointF(point)), button, held, Qt::NoModifier);
        QApplication::sendEvent(&list, &event);
    }
    void click(QPoint point)
    {
        mouse(QEvent::MouseButtonPress, point);
        mouse(QEvent::MouseButtonRelease, point);
    }
    // The tool tip shown for a help event at the point. An empty text
    // hides a tip only after a delay, so emptiness is asked of toolTipAt.
    QString shownToolTip(QPoint point)
    {
        QHelpEvent help(QEvent::ToolTip, point, list.mapToGlobal(point));
        QApplication::sendEvent(&list, &help);
        return QToolTip::isVisible() ? QToolTip::text() : QString();
    }
    static ArticleListPosition text(int article, int offset) { return {article, BodyKind, offset}; }
    static ArticleListPosition part(int article, int kind) { return {article, kind, -1}; }

    // Every article signal, as text.
    QStringList events()
    {
        QStringList out;
        out.swap(m_events);
        return out;
    }
    void listen()
    {
        QObject::connect(&list, &ArticleList::wordPronounced, [this](External::IArticleServer& s, int a, QString w) {
            m_events << QStringLiteral("pronounce %1 %2%3").arg(a).arg(w, &s == &server ? "" : " ?");
        });
        QObject::connect(&list, &ArticleList::linkHitted,
                         [this](External::IArticleServer&, int a, QString t, QString target) {
                             m_events << QStringLiteral("link %1 %2 %3").arg(a).arg(t, target);
                         });
        QObject::connect(&list, &ArticleList::imageHitted, [this](External::IArticleServer&, int a, QString r) {
            m_events << QStringLiteral("image %1 %2").arg(a).arg(r);
        });
        QObject::connect(&list, &ArticleList::wordHitted,
                         [this](External::IArticleServer&, int a, QString w, int v) {
                             m_events << QStringLiteral("word %1 %2 %3").arg(a).arg(w).arg(v);
                         });
        QObject::connect(&list, &ArticleList::queryDelete,
                         [this](External::IArticleServer&, int a) { m_events << QStringLiteral("delete %1").arg(a); });
        QObject::connect(&list, &ArticleList::queryEdit,
                         [this](External::IArticleServer&, int a) { m_events << QStringLiteral("edit %1").arg(a); });
    }

    FixedMetricSource metrics;
    TestStyleServer styles;
    External::Default::CharAnalyzer analyzer;
    MarkupServer server;
    ArticleList list;
    QStringList m_events;
};

TEST_F(ArticleListTest, FreshWidgetPaintsWhiteShowsNoToolTipsAndEmitsNothing)
{
    listen();
    list.resize(200, 100);
    list.show();
    QCoreApplication::processEvents();
    EXPECT_EQ(list.scrollBar()->objectName(), QStringLiteral("scroller"));
    EXPECT_EQ(list.focusPolicy(), Qt::StrongFocus);
    const QImage image = list.grab(QRect(0, 0, 200 - list.scrollBar()->width(), 100)).toImage();
    for (int y = 0; y < image.height(); y += 7)
        for (int x = 0; x < image.width(); x += 7)
            ASSERT_EQ(image.pixelColor(x, y), QColor(Qt::white)) << x << "," << y;
    EXPECT_EQ(shownToolTip(QPoint(10, 10)), QString());
    click(QPoint(10, 10));
    mouse(QEvent::MouseButtonDblClick, QPoint(10, 10));
    EXPECT_EQ(events(), QStringList());
    EXPECT_EQ(list.selectedText(), QString());
    EXPECT_EQ(list.selectedHtml(), QStringLiteral("<html><body></body></html>"));
    EXPECT_EQ(list.selectedSource(), QStringLiteral("\n"));
}

TEST_F(ArticleListTest, ClicksOnButtonsAndLinksAndDoubleClicksOnWordsEmitTheirSignals)
{
    listen();
    start({QStringLiteral("#1\"see \"#7\"<link target\"#1\"house\"#7\"</link>\"#1\" now%0a\"")}, true);
    click(centre(part(0, DeleteButtonKind)));
    click(centre(part(0, EditButtonKind)));
    click(centre(part(0, PronounceButtonKind)));
    click(leftOf(text(0, 4)));
    mouse(QEvent::MouseButtonDblClick, leftOf(text(0, 0)));
    EXPECT_EQ(events(), QStringList({"delete 0", "edit 0", "pronounce 0 word0", "link 0 house <link target",
                                     "word 0 see 0"}));
}

TEST_F(ArticleListTest, ShowMoreButtonLoadsTheWholeArticle)
{
    server.previews[0] = QStringLiteral("#1\"first%0a\"");
    start({QStringLiteral("#1\"first%0asecond%0a\"")});
    list.setActionToolTips(QString(), QString(), QString(), QString(), QString(), QStringLiteral("More"));
    list.controller().refresh();
    const QPoint button = centre(part(0, ShowMoreButtonKind));
    EXPECT_EQ(list.toolTipAt(button), QStringLiteral("More"));
    click(button);
    EXPECT_EQ(server.requests.back().lineLimit, -1);
    EXPECT_EQ(list.controller().article(0)->view()->text, QStringLiteral("first\nsecond\n"));
}

TEST_F(ArticleListTest, PointingHandOverLinksOnly)
{
    start({QStringLiteral("#1\"see \"#7\"<link target\"#1\"house\"#7\"</link>\"#1\" now%0a\"")});
    mouse(QEvent::MouseMove, leftOf(text(0, 5)));
    EXPECT_EQ(list.cursor().shape(), Qt::PointingHandCursor);
    mouse(QEvent::MouseMove, leftOf(text(0, 0)));
    EXPECT_EQ(list.cursor().shape(), Qt::ArrowCursor);
}

TEST_F(ArticleListTest, KeyPressesAreReportedConsumedOrNot)
{
    start({QStringLiteral("#1\"one two%0a\"")});
    QSignalSpy spy(&list, &ArticleList::keyPressed);
    QKeyEvent unhandled(QEvent::KeyPress, Qt::Key_F7, Qt::NoModifier);
    QApplication::sendEvent(&list, &unhandled);
    ASSERT_EQ(spy.count(), 1);
    EXPECT_EQ(spy.at(0).at(0).value<QWidget*>(), &list);
    EXPECT_FALSE(unhandled.isAccepted());

    QKeyEvent right(QEvent::KeyPress, Qt::Key_Right, Qt::NoModifier);
    QApplication::sendEvent(&list, &right);
    EXPECT_EQ(spy.count(), 2);
    EXPECT_TRUE(right.isAccepted());
}

TEST_F(ArticleListTest, ToolTipsOfTheButtonsFollowTheExpandState)
{
    start({QStringLiteral("#1\"one%0a\""), QStringLiteral("#1\"two%0a\"")}, true);
    list.setActionToolTips(QStringLiteral("Delete"), QStringLiteral("Edit"), QStringLiteral("Listen"),
                           QStringLiteral("Expand"), QStringLiteral("Collapse"), QStringLiteral("More"));
    list.controller().refresh();
    EXPECT_EQ(shownToolTip(centre(part(0, DeleteButtonKind))), QStringLiteral("Delete"));
    EXPECT_EQ(shownToolTip(centre(part(0, EditButtonKind))), QStringLiteral("Edit"));
    EXPECT_EQ(shownToolTip(centre(part(0, PronounceButtonKind))), QStringLiteral("Listen"));
    EXPECT_EQ(shownToolTip(centre(part(0, ExpandButtonKind))), QStringLiteral("Collapse"));
    click(centre(part(0, ExpandButtonKind)));
    ASSERT_TRUE(list.controller().isCollapsed(0));
    EXPECT_EQ(shownToolTip(centre(part(0, ExpandButtonKind))), QStringLiteral("Expand"));
    EXPECT_EQ(list.toolTipAt(centre(part(1, HeaderKind))), QString());
    EXPECT_EQ(list.toolTipAt(centre(text(1, 0))), QString());
}

TEST_F(ArticleListTest, CopyWithinOneArticleHasNoArticleSeparators)
{
    start({QStringLiteral("#1\"one two%0a\""), QStringLiteral("#3\"three%0a\"")});
    list.controller().setCaret(part(0, HeaderKind), false, false);
    list.controller().extendSelection(text(0, 4), false, false);
    QKeyEvent copy(QEvent::KeyPress, Qt::Key_C, Qt::ControlModifier);
    QApplication::sendEvent(&list, &copy);

    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(data, nullptr);
    // The selection's end covers the word "two" whole.
    EXPECT_EQ(data->text(), QStringLiteral("word0\none two"));
    EXPECT_FALSE(data->html().contains(QStringLiteral("<br><br>")));
    EXPECT_TRUE(data->html().startsWith(QStringLiteral("<html><body><div style = ")));
    EXPECT_TRUE(data->html().endsWith(QStringLiteral(">one two</span></p>\n\n</body></html>")));
    const QString source = QString::fromUtf8(data->data(Controller::sourceMimeType()));
    EXPECT_TRUE(source.startsWith(QStringLiteral("#00\"%0aword0%0a\"#01\"one two\"\n.1 { "))) << source.toStdString();
}

TEST_F(ArticleListTest, CopyOverTwoArticlesSeparatesThemOnceAndSortsTheStyleSheet)
{
    start({QStringLiteral("#3\"one \"#1\"two%0a\""), QStringLiteral("#1\"three four%0a\"")});
    list.controller().setCaret(text(0, 4), false, false);
    list.controller().extendSelection(text(1, 0), false, false);
    EXPECT_EQ(list.selectedText(), QStringLiteral("two\n\n\nword1\nthree"));
    EXPECT_EQ(list.selectedHtml().count(QStringLiteral("<br><br>")), 1);
    const QString source = list.selectedSource();
    EXPECT_TRUE(source.startsWith(QStringLiteral("#01\"two%0a\"#00\"%0aword1%0a\"#01\"three\"\n")))
        << source.toStdString();
    const QStringList sheet = source.section(QLatin1Char('\n'), 1).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(sheet.size(), 1) << "style 0 has no style in the test server";
    EXPECT_TRUE(sheet[0].startsWith(QStringLiteral(".1 { ")));
}

TEST_F(ArticleListTest, FullSourceHasOneSheetLinePerStyleInAscendingOrder)
{
    start({QStringLiteral("#3\"one%0a\""), QStringLiteral("#1\"two%0a\"")});
    list.controller().setCaret(text(0, 0), false, false);
    list.controller().extendSelection(text(1, 0), false, false);
    const QStringList lines = list.selectedSource().split(QLatin1Char('\n'));
    ASSERT_GE(lines.size(), 3);
    EXPECT_TRUE(lines[1].startsWith(QStringLiteral(".1 { ")));
    EXPECT_TRUE(lines[2].startsWith(QStringLiteral(".3 { ")));
}

// A headword is dictionary text like any other: escaped in the HTML and
// in the header run of the source.
TEST_F(ArticleListTest, HeadwordsAreEscapedInHtmlAndSource)
{
    struct HeadwordServer final : External::IArticleServer {
        int count() const override { return 1; }
        bool isValid(int index) const override { return index == 0; }
        bool articleText(const External::ArticleRequest&, External::ArticleRecord& record) override
        {
            record.headword = QStringLiteral("<i>\"x\"#1</i>");
            record.markup = QStringLiteral("#1\"a%0a\"");
            return true;
        }
    } headwords;
    list.controller().setMetricSource(&metrics);
    list.init(&styles, &analyzer, &headwords);
    list.resize(300, 200);
    list.controller().setCaret(part(0, HeaderKind), false, false);
    list.controller().extendSelection(text(0, 0), false, false);
    EXPECT_TRUE(list.selectedHtml().contains(QStringLiteral(">&lt;i&gt;&quot;x&quot;#1&lt;/i&gt;</div>")));
    EXPECT_TRUE(list.selectedSource().startsWith(QStringLiteral("#00\"%0a%3ci%3e%22x%22%231%3c/i%3e%0a\"#01\"a")))
        << list.selectedSource().toStdString();
}

TEST_F(ArticleListTest, FindNextWithoutFindAndFindWithoutMatch)
{
    start({QStringLiteral("#1\"one two%0a\""), QStringLiteral("#1\"two three%0a\"")});
    const ArticleListPosition before = list.controller().caret();
    EXPECT_FALSE(list.findNext(true));
    EXPECT_FALSE(list.findPrevious(true));
    EXPECT_EQ(list.controller().caret(), before);
    EXPECT_FALSE(list.isFindActive());

    EXPECT_TRUE(list.find(QStringLiteral("two")));
    EXPECT_TRUE(list.isFindActive());
    EXPECT_EQ(list.findText(), QStringLiteral("two"));
    EXPECT_EQ(list.controller().selectionStart(), text(0, 4));
    EXPECT_TRUE(list.findNext(false));
    EXPECT_EQ(list.controller().selectionStart(), text(1, 0));
    EXPECT_FALSE(list.findNext(false)) << "no wrap: past the last match";
    EXPECT_FALSE(list.isFindActive());

    EXPECT_FALSE(list.find(QStringLiteral("seven")));
    EXPECT_FALSE(list.isFindActive());
    EXPECT_EQ(list.findText(), QString());
}

TEST_F(ArticleListTest, LocateMovesTheCaretToANamedItem)
{
    start({QStringLiteral("#1\"one%0a\""), QStringLiteral("#1\"one \"#7\"<label %22here%22\"#1\"two\"")});
    EXPECT_TRUE(list.locate(1, QStringLiteral("here")));
    EXPECT_EQ(list.controller().caret(), text(1, 4));
    EXPECT_FALSE(list.locate(1, QStringLiteral("there")));
    EXPECT_FALSE(list.locate(0, QStringLiteral("here")));
    EXPECT_EQ(list.controller().caret(), text(1, 4));
}

TEST_F(ArticleListTest, ResizePlacesTheBarAndReports)
{
    QSignalSpy spy(&list, &ArticleList::resized);
    start({QStringLiteral("#1\"one%0a\"")});
    list.resize(250, 120);
    QCoreApplication::processEvents();
    EXPECT_GE(spy.count(), 1);
    EXPECT_EQ(spy.last().at(0).value<QWidget*>(), &list);
    const QScrollBar* bar = list.scrollBar();
    EXPECT_EQ(bar->geometry(), QRect(250 - bar->sizeHint().width(), 0, bar->sizeHint().width(), 120));
    EXPECT_EQ(list.controller().viewport(), QRect(0, 0, 250, 120));
}

TEST_F(ArticleListTest, ScrollBarStepsScrollOneLineAndKeepTheBarInStep)
{
    std::vector<QString> markups;
    for (int i = 0; i < 40; ++i)
        markups.push_back(QStringLiteral("#1\"line one%0aline two%0aline three%0a\""));
    start(markups);
    ASSERT_TRUE(list.scrollBar()->isVisible());
    const auto top = list.controller().scrollPosition();
    list.scrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    const auto down = list.controller().scrollPosition();
    EXPECT_NE(down.topArticle * 100000 + down.topOffset, top.topArticle * 100000 + top.topOffset);
    const int value = list.scrollBar()->value();
    list.controller().syncScrollBar();
    EXPECT_EQ(list.scrollBar()->value(), value) << "the bar shows the controller's position";

    list.scrollBar()->triggerAction(QAbstractSlider::SliderSingleStepSub);
    EXPECT_EQ(list.controller().scrollPosition().topArticle, top.topArticle);
    EXPECT_EQ(list.controller().scrollPosition().topOffset, top.topOffset);

    list.scrollBar()->triggerAction(QAbstractSlider::SliderToMaximum);
    EXPECT_GT(list.controller().scrollPosition().topArticle, 30);
}

TEST_F(ArticleListTest, SettingsReachTheController)
{
    start({QStringLiteral("#1\"one%0a\"")}, true);
    QPixmap red(8, 8);
    red.fill(Qt::red);
    list.setActionIcons(red, QPixmap(), QPixmap(), QPixmap(), QPixmap(), red);
    const auto& icons = list.controller().actionResources().icons;
    ASSERT_EQ(icons.size(), 6u);
    EXPECT_FALSE(icons.at(QStringLiteral("delete")).isNull());
    EXPECT_TRUE(icons.at(QStringLiteral("edit")).isNull());
    EXPECT_FALSE(icons.at(QStringLiteral("showMore")).isNull());
    list.setActionIcons(QIcon(), QIcon(), QIcon(), QIcon(), QIcon(), QIcon());
    EXPECT_TRUE(list.controller().actionResources().icons.at(QStringLiteral("delete")).isNull())
        << "a new icon takes the old one's place";

    list.setFont(QFont(QStringLiteral("DejaVu Serif"), 17));
    EXPECT_EQ(list.controller().articleFont().pointSize(), 17);
    list.setHighlightColors(QColor(1, 2, 3), QColor(4, 5, 6));
    EXPECT_EQ(list.controller().headerHighlightFocused, QColor(1, 2, 3));
    EXPECT_EQ(list.controller().headerHighlightUnfocused, QColor(4, 5, 6));
    list.setMarkColor(QColor(7, 8, 9));
    list.setMatchColor(QColor(10, 11, 12));
    EXPECT_EQ(list.controller().markColor, QColor(7, 8, 9));
    EXPECT_EQ(list.controller().matchColor, QColor(10, 11, 12));
}

TEST_F(ArticleListTest, PrintLaysTheScreenOutAgain)
{
    std::vector<QString> markups(30, QStringLiteral("#1\"one two three%0a\""));
    start(markups);
    QTemporaryDir folder;
    const QString file = folder.filePath(QStringLiteral("list.pdf"));
    {
        QPrinter printer(QPrinter::ScreenResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(file);
        list.print(&printer);
    }
    EXPECT_GT(QFileInfo(file).size(), 0);
    EXPECT_EQ(list.controller().scrollPosition().topArticle, 0);
    EXPECT_EQ(list.controller().articleRect(0).width(), list.controller().clientRect().width());
}

} // namespace
