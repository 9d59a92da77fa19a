// button_placement.cpp: header row, pronounce and show-more buttons.
#include "ArticleEngine/Loading/button_placement.h"

#include "ArticleEngine/Views/article_view.h"

#include <QIcon>

#include <algorithm>

namespace ArticleEngine::Loading {

namespace {

// The largest side among an icon's sizes; 0 without icon.
int iconExtent(const QIcon* icon)
{
    int extent = 0;
    if (icon != nullptr) {
        for (const QSize& size : icon->availableSizes())
            extent = std::max({extent, size.width(), size.height()});
    }
    return extent;
}

int extentOf(const View& button, std::initializer_list<const QIcon*> icons)
{
    int extent = std::max(button.nominalSize.width(), button.nominalSize.height());
    for (const QIcon* icon : icons)
        extent = std::max(extent, iconExtent(icon));
    return extent;
}

} // namespace

void placeHeaderRow(ArticleView& article, QRect& area)
{
    ArticleHeaderView& header = article.header;
    // From the right edge inwards.
    View* const buttons[] = {&article.expandButton, &article.editButton, &article.deleteButton};
    const int shown = int(std::count_if(std::begin(buttons), std::end(buttons),
                                        [](const View* button) { return button->visible; }));
    // The squares take the size of the largest icon, so the header grows
    // to it rather than cutting the icons.
    const int side = std::max({extentOf(article.deleteButton, {article.deleteButton.icon}),
                               extentOf(article.editButton, {article.editButton.icon}),
                               extentOf(article.expandButton,
                                        {article.expandButton.firstIcon, article.expandButton.secondIcon})});

    if (header.visible) {
        const int height = std::max({header.nominalSize.height(), side, 0});
        header.rect = QRect(area.left(), area.top(), std::max(area.width() - shown * height, 0), height);
    } else {
        header.rect = QRect(area.left(), area.top(), area.width(), 0);
    }
    header.layoutState = Placed;
    header.line = 0;
    header.column = 0;

    const int square = header.rect.height();
    int x = area.left() + area.width();
    for (View* button : buttons) {
        if (button->visible) {
            x -= square;
            button->rect = QRect(x, area.top(), square, square);
        } else {
            button->rect = QRect(x, area.top(), 0, 0);
        }
        button->layoutState = Placed;
        button->line = 0;
    }
    article.editButton.column = 1;
    article.deleteButton.column = 2;
    article.expandButton.column = 3;

    area.setTop(std::min(header.rect.bottom() + 1, area.bottom() + 1));
}

int pronounceIndent(const ArticleView& article)
{
    if (!article.pronounceButton.visible || article.collapsed || article.paragraphs.empty())
        return 0;
    return std::max(article.pronounceButton.nominalSize.width(), 0);
}

void placePronounceButton(ArticleView& article)
{
    PushButtonView& button = article.pronounceButton;
    const ParagraphView& first = article.paragraphs.front();
    const QPoint start = first.rect.topLeft() + QPoint(first.frame.margins.left(), first.frame.margins.top());
    const QSize size(std::max(button.nominalSize.width(), 0), std::max(button.nominalSize.height(), 0));
    button.rect = QRect(start, size);
    const auto items = first.items();
    if (!items.empty() && items.front().start() == 0) {
        // The icon stands on the first line's text, as tall as the text's
        // ascent or its own height.
        const int ascent = first.itemMetrics(items.front()).ascent;
        button.rect.moveBottom(start.y() - 1 + std::max(ascent, size.height()));
    }
    button.line = 1;
    button.column = 0;
    button.layoutState = Placed;
}

void placeShowMoreButton(ArticleView& article, int lastLine)
{
    PushButtonView& button = article.showMoreButton;
    const QRect& last = article.paragraphs.back().rect;
    const QSize size(std::max(button.nominalSize.width(), 0), std::max(button.nominalSize.height(), 0));
    button.rect = QRect(QPoint(last.right() - size.width(), last.bottom()), size);
    button.line = lastLine + 1;
    button.column = 0;
    button.layoutState = Placed;
}

} // namespace ArticleEngine::Loading
