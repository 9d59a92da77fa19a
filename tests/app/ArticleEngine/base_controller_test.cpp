// Tests of the base controller: the refresh order, scrolling by pixels,
// lines, pages and the wheel, and the base behaviour of its slots.
#include "fake_widget.h"

#include "ArticleEngine/Controller/article_base_controller.h"
#include "ArticleEngine/External/widget.h"

#include <QImage>
#include <QPainter>
#include <QStringList>
#include <QWheelEvent>

#include <gtest/gtest.h>

using namespace ArticleEngine;
using namespace ArticleEngine::Controller;
using lexvane::testing::FakeWidget;

namespace {

struct NoConverter {};

// Logs every slot the base calls; scrollBy logs its pixels.
class LoggingController final
    : public ArticleBaseController<External::IWidget, ArticleListScrollPosition, NoConverter> {
public:
    int lineHeight() override
    {
        log << "lineHeight";
        return height;
    }
    int visibleLines() override { return 0; }
    void layout() override { log << "layout"; }
    void scrollBy(int pixels) override { log << QStringLiteral("scrollBy %1").arg(pixels); }
    void syncScrollBar() override { log << "syncScrollBar"; }
    void updateScrollLimit() override { log << "updateScrollLimit"; }
    void fixBottomGap() override { log << "fixBottomGap"; }

    // The pixels scrolled, in order.
    QStringList scrolls() const { return log.filter("scrollBy"); }

    int height = 20;
    QStringList log;
};

const QStringList refreshOrder{"layout", "updateScrollLimit", "fixBottomGap", "syncScrollBar", "layout"};

TEST(BaseControllerTest, RefreshRunsItsSlotsInOrder)
{
    LoggingController controller;
    controller.refresh();
    EXPECT_EQ(controller.log, refreshOrder);

    controller.log.clear();
    controller.setViewport(QRect(0, 0, 200, 100));
    EXPECT_EQ(controller.viewport(), QRect(0, 0, 200, 100));
    EXPECT_EQ(controller.log, refreshOrder);
}

TEST(BaseControllerTest, ScrollPixels)
{
    LoggingController controller;
    controller.scrollPixels(0);
    EXPECT_TRUE(controller.log.isEmpty());

    controller.scrollPixels(-7);
    EXPECT_EQ(controller.log, (QStringList{"scrollBy -7", "layout", "syncScrollBar"}));
}

TEST(BaseControllerTest, ScrollLinesUsesTheLineHeightOr12)
{
    LoggingController controller;
    controller.scrollLines(2);
    EXPECT_EQ(controller.log, (QStringList{"lineHeight", "scrollBy 40", "layout", "syncScrollBar"} + refreshOrder));

    controller.height = 0;
    controller.log.clear();
    controller.scrollLines(-3);
    EXPECT_EQ(controller.scrolls(), QStringList{"scrollBy -36"});
}

TEST(BaseControllerTest, ScrollPagesByTheClientHeight)
{
    FakeWidget widget;
    LoggingController controller;
    controller.setWidget(&widget);
    controller.setViewport(QRect(0, 0, 200, 100));

    widget.bar.setVisible(true);
    EXPECT_EQ(controller.clientRect(), QRect(0, 0, 200 - 1 - 15, 100));
    widget.bar.setVisible(false);
    EXPECT_EQ(controller.clientRect(), QRect(0, 0, 199, 100));

    controller.log.clear();
    controller.scrollPages(-2);
    EXPECT_EQ(controller.log, (QStringList{"scrollBy -200", "layout", "syncScrollBar"} + refreshOrder));
}

TEST(BaseControllerTest, WheelScrollsThreeLinesPerNotch)
{
    struct Case {
        int delta;
        const char* scroll;
    };
    const Case cases[] = {
        {120, "scrollBy 60"},   // away from the user: towards the beginning
        {-240, "scrollBy -120"}, // six lines towards the end
        {360, "scrollBy 180"},
    };
    for (const Case& c : cases) {
        LoggingController controller;
        QWheelEvent event(QPointF(5, 5), QPointF(5, 5), QPoint(), QPoint(0, c.delta), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        EXPECT_TRUE(controller.wheelEvent(&event));
        EXPECT_EQ(controller.scrolls(), QStringList{c.scroll}) << c.delta;
        EXPECT_TRUE(controller.log.endsWith("layout"));
    }
}

// Fault: a wheel sending less than a notch at a time never scrolled.
TEST(BaseControllerTest, SubNotchWheelDeltasCarryTheirRemainder)
{
    LoggingController controller;
    // 40 is one line: 30 scrolls nothing yet but still refreshes.
    controller.wheel(30);
    EXPECT_TRUE(controller.scrolls().isEmpty());
    EXPECT_EQ(controller.log.mid(1), refreshOrder);
    controller.wheel(30); // 60: one line, 20 carried
    controller.wheel(20); // 40: one more
    EXPECT_EQ(controller.scrolls(), (QStringList{"scrollBy 20", "scrollBy 20"}));

    // Twelve touchpad events of 10 make one notch: three lines in all.
    controller.log.clear();
    for (int i = 0; i < 12; ++i)
        controller.wheel(-10);
    EXPECT_EQ(controller.scrolls(), (QStringList{"scrollBy -20", "scrollBy -20", "scrollBy -20"}));

    // Turning the wheel back drops what was carried the other way.
    controller.log.clear();
    controller.wheel(-30);
    controller.wheel(30);
    controller.wheel(-30);
    EXPECT_TRUE(controller.scrolls().isEmpty());
}

TEST(BaseControllerTest, BaseSlots)
{
    FakeWidget widget;
    LoggingController controller;
    controller.setWidget(&widget);

    EXPECT_TRUE(controller.focusEvent(nullptr));
    EXPECT_EQ(widget.updates, 1);
    EXPECT_FALSE(controller.mouseEvent(nullptr));
    EXPECT_FALSE(controller.keyEvent(nullptr));
    EXPECT_FALSE(controller.scrollBarEvent(3));

    // A controller that paints nothing of its own shows dark grey.
    QImage image(20, 10, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        controller.paint(QRect(0, 0, 10, 10), &painter);
    }
    EXPECT_EQ(image.pixelColor(3, 3), QColor(51, 51, 51));
    EXPECT_EQ(image.pixelColor(15, 3), QColor(Qt::white));
}

} // namespace
