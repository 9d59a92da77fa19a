// edit_fixture.h: an edit controller with the fixed metrics, the test
// styles and the default character classes in a 300 x 200 viewport, the
// article editor's auto styles (4 at level 1 for an empty article, 3 at
// level 2 for the second paragraph), and short ways to press keys and
// describe the document.
#pragma once

#include "fake_widget.h"
#include "key_press.h"
#include "layout_fixture.h"

#include "ArticleEngine/Controller/article_edit_controller.h"
#include "ArticleEngine/External/default_char_analyzer.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace lexvane::testing {

class EditFixture : public ::testing::Test {
protected:
    void SetUp() override { makeController(); }

    void makeController(QSize viewport = QSize(300, 200))
    {
        controller = std::make_unique<ArticleEngine::Controller::ArticleEditController>();
        controller->setMetricSource(&metrics);
        controller->setWidget(&widget);
        controller->setViewport(QRect(QPoint(0, 0), viewport));
        controller->setAutoStyle(0, 4, 1);
        controller->setAutoStyle(1, 3, 2);
        controller->init(&styles, &analyzer);
    }

    void load(const QString& source)
    {
        controller->setSource(source);
        controller->refresh();
    }
    QString source() const { return controller->source(); }
    const QString& text() const { return controller->document().text(); }
    int caret() const { return controller->caret().offset; }
    void setCaret(int offset) { controller->setCaret(ArticleEngine::ArticleEditPosition::body(offset), true, false); }
    void select(int start, int end)
    {
        setCaret(start);
        controller->extendSelection(ArticleEngine::ArticleEditPosition::body(end), true, false);
    }
    void type(const QString& text)
    {
        for (QChar c : text)
            controller->typeChar(c);
    }

    // One press of the first binding of a standard key; answers whether
    // the controller consumed it.
    bool press(QKeySequence::StandardKey key) { return pressStandardKey(*controller, key); }
    bool pressKey(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier, const QString& text = {})
    {
        return lexvane::testing::pressKey(*controller, key, modifiers, text);
    }

    // "0-5/1 5-9/2": paragraphs as start-end/level.
    std::string paragraphs() const;
    // "0-5:4 5-9:3": style runs as start-end:style.
    std::string styleRuns() const;

    FixedMetricSource metrics;
    TestStyleServer styles;
    ArticleEngine::External::Default::CharAnalyzer analyzer;
    FakeWidget widget;
    std::unique_ptr<ArticleEngine::Controller::ArticleEditController> controller;
};

} // namespace lexvane::testing
