// print_pagination.cpp: cutting articles into page slices.
#include "ArticleEngine/Controller/print_pagination.h"

#include <algorithm>

namespace ArticleEngine::Controller {

int printPasses(int copyCount, bool printerMakesCopies)
{
    if (copyCount < 1)
        return 0;
    return printerMakesCopies ? 1 : copyCount;
}

std::vector<PrintSlice> paginate(const std::vector<PrintArticle>& articles, int pageWidth, int pageHeight)
{
    std::vector<PrintSlice> slices;
    if (pageHeight < 1)
        return slices;
    int page = 0;
    int y = 0;
    for (int index = 0; index < int(articles.size()); ++index) {
        const PrintArticle& article = articles[std::size_t(index)];
        int start = 0;
        while (article.height - start > pageHeight - y) {
            const int limit = start + (pageHeight - y);
            int cut = start;
            for (int end : article.lineEnds) {
                if (end > start && end <= limit)
                    cut = end;
            }
            // A line taller than a whole page: cut it at the page bottom.
            if (cut == start && y == 0)
                cut = limit;
            if (cut - start > 1)
                slices.push_back({page, 0, y, index, QRect(0, start, pageWidth, cut - start)});
            start = cut;
            ++page;
            y = 0;
        }
        if (article.height - start > 0) {
            slices.push_back({page, 0, y, index, QRect(0, start, pageWidth, article.height - start)});
            y += article.height - start;
        }
        if (pageHeight - y < minimumFreeRows) {
            ++page;
            y = 0;
        }
    }
    return slices;
}

} // namespace ArticleEngine::Controller
