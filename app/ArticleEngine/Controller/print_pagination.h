// print_pagination.h: how the list cuts its articles into page slices for
// printing.
//
// A pure function of the page height and, per article, its height at the
// page width and the rows where its lines end, so that it can be tested
// without a printer. Articles follow each other down the page; an article
// taller than the free part of the page is cut at the last line end above
// the page bottom. Every call advances: a line taller than a whole page is
// cut at the page bottom (docs/behaviour/article-controller.md).
#pragma once

#include <QRect>

#include <vector>

namespace ArticleEngine::Controller {

struct PrintArticle {
    int height = 0;
    // Rows (from the article's top) just below each line, ascending.
    std::vector<int> lineEnds;
};

struct PrintSlice {
    int page = 0;
    int x = 0;
    int y = 0;
    int article = 0;
    // The part of the article, in the article's coordinates.
    QRect rect;
    bool operator==(const PrintSlice&) const = default;
};

// Fewer free rows than this after an article end the page.
inline constexpr int minimumFreeRows = 10;

// How many times the slices are printed: once when the printer makes the
// copies itself, never copies x copies; none for fewer than one copy.
int printPasses(int copyCount, bool printerMakesCopies);

std::vector<PrintSlice> paginate(const std::vector<PrintArticle>& articles, int pageWidth, int pageHeight);

} // namespace ArticleEngine::Controller
