// list_fixture.h: a list controller over a server of given article markups
// with the fixed metrics, for the caret, input and find tests; key presses
// are built from the platform's standard key bindings.
#pragma once

#include "fake_widget.h"
#include "key_press.h"
#include "layout_fixture.h"

#include "ArticleEngine/Controller/article_list_controller.h"
#include "ArticleEngine/External/default_char_analyzer.h"

#include <QKeyEvent>
#include <QKeySequence>
#include <QMouseEvent>

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <vector>

namespace lexvane::testing {

// Serves one markup per article. An article with a preview gets it, cut
// short, while a line limit is asked for.
class MarkupServer final : public ArticleEngine::External::IArticleServer {
public:
    int count() const override { return int(markups.size()); }
    bool isValid(int index) const override { return index >= 0 && index < count(); }
    bool articleText(const ArticleEngine::External::ArticleRequest& request,
                     ArticleEngine::External::ArticleRecord& record) override
    {
        ++calls;
        requests.push_back(request);
        const auto preview = previews.find(request.index);
        const bool cut = preview != previews.end() && request.lineLimit > 0;
        record.markup = cut ? preview->second : markups[std::size_t(request.index)];
        record.complete = !cut;
        record.headword = QStringLiteral("word%1").arg(request.index);
        record.hasSound = withButtons;
        record.canEdit = withButtons;
        record.canDelete = withButtons;
        return true;
    }

    std::vector<QString> markups;
    std::map<int, QString> previews;
    bool withButtons = false;
    int calls = 0;
    std::vector<ArticleEngine::External::ArticleRequest> requests;
};

class ListFixture : public ::testing::Test {
protected:
    void start(std::vector<QString> markups, QSize viewport = QSize(300, 100))
    {
        server.markups = std::move(markups);
        controller = std::make_unique<ArticleEngine::Controller::ArticleListController>();
        controller->setMetricSource(&metrics);
        controller->setWidget(&widget);
        controller->setViewport(QRect(QPoint(0, 0), viewport));
        controller->setServers(&styles, &analyzer, &server);
    }

    // One press of the first binding of a standard key, as the host passes
    // it; answers whether the controller consumed it.
    bool press(QKeySequence::StandardKey key) { return pressStandardKey(*controller, key); }
    bool pressKey(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        return lexvane::testing::pressKey(*controller, key, modifiers);
    }
    void mouse(QEvent::Type type, QPoint point, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
        const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
        QMouseEvent event(type, QPointF(point), QPointF(point), button, held, modifiers);
        controller->mouseEvent(&event);
        controller->refresh();
    }
    void click(QPoint point, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        mouse(QEvent::MouseButtonPress, point, modifiers);
        mouse(QEvent::MouseButtonRelease, point, modifiers);
    }
    // The middle of a position's stop in widget coordinates.
    QPoint centre(const ArticleEngine::Controller::ArticleListPosition& p)
    {
        return controller->stopRect(p).center() + controller->viewport().topLeft();
    }
    static ArticleEngine::Controller::ArticleListPosition text(int article, int offset)
    {
        return {article, ArticleEngine::BodyKind, offset};
    }
    static ArticleEngine::Controller::ArticleListPosition part(int article, int kind)
    {
        return {article, kind, -1};
    }

    FixedMetricSource metrics;
    TestStyleServer styles;
    ArticleEngine::External::Default::CharAnalyzer analyzer;
    FakeWidget widget;
    MarkupServer server;
    std::unique_ptr<ArticleEngine::Controller::ArticleListController> controller;
};

} // namespace lexvane::testing

// Positions print as (article, kind, offset) in failure messages.
namespace ArticleEngine::Controller {
inline void PrintTo(const ArticleListPosition& p, std::ostream* os)
{
    *os << "(" << p.article << ", " << p.kind << ", " << p.offset << ")";
}
} // namespace ArticleEngine::Controller
