// article_list_find.cpp: find in articles on the list controller: the
// matches of each article, found on first use, and stepping the selection
// from match to match across the list.
//
// Starting a find shows every article in full without loading any: each is
// loaded without a line limit when next asked for, so that the matches
// cover its whole text and no article is loaded twice for it.
#include "ArticleEngine/Controller/article_list_controller.h"

#include "ArticleEngine/External/text_finder.h"

namespace ArticleEngine::Controller {

void ArticleListController::setTextFinder(External::ITextFinder* finder)
{
    if (finder == nullptr) {
        clearFind();
        return;
    }
    m_textFinder = finder;
    m_matches.clear();
    m_currentMatch = {-1, -1};
    // Previews already cached go; articles the server sent whole stay.
    std::vector<int> previews;
    m_live.forEach([&](int index, ArticleEntry& entry) {
        if (!entry.showAll() && !entry.record.complete)
            previews.push_back(index);
    });
    for (int index : previews)
        retireToShowInFull(index);
    m_everyArticleInFull = true;
    findActive = true;
    showMarks = false;
    refresh();
}

void ArticleListController::clearFind()
{
    m_textFinder = nullptr;
    findActive = false;
    showMarks = true;
}

const ArticleListController::Matches& ArticleListController::matches(int index)
{
    const auto found = m_matches.find(index);
    if (found != m_matches.end())
        return found->second;
    Matches list;
    const ArticleEntry* entry = article(index);
    if (entry != nullptr && entry->view() != nullptr && m_textFinder != nullptr)
        m_textFinder->find(entry->view()->text, list);
    return m_matches.emplace(index, std::move(list)).first->second;
}

bool ArticleListController::advanceMatch(int step)
{
    auto valid = [this](int a) { return m_articles != nullptr && m_articles->isValid(a); };
    auto exists = [&](int a, int i) { return valid(a) && i >= 0 && i < int(matches(a).size()); };
    int a = m_currentMatch.first;
    if (!valid(a))
        return false;
    int i = m_currentMatch.second + step;
    while (!exists(a, i)) {
        a += step;
        if (!valid(a))
            return false;
        i = step > 0 ? 0 : int(matches(a).size()) - 1;
    }
    m_currentMatch = {a, i};
    return true;
}

void ArticleListController::selectCurrentMatch()
{
    const auto [a, i] = m_currentMatch;
    const auto [start, end] = matches(a)[std::size_t(i)];
    if (isCollapsed(a))
        setCollapsed(a, false);
    const ArticleListPosition first{a, BodyKind, start};
    ArticleListPosition last{a, BodyKind, start == end ? start : end - 1};
    if (const ArticleView* view = laidOutArticle(a)) {
        if (const TextItemView* item = Stops::itemAt(*view, last.offset).second)
            last.offset = item->start();
    }
    setCaret(first, false, true);
    extendSelection(last, true, false);
    refresh();
}

bool ArticleListController::findNext(bool wrap)
{
    if (advanceMatch(+1)) {
        selectCurrentMatch();
        return true;
    }
    return wrap && findFirst();
}

bool ArticleListController::findPrevious(bool wrap)
{
    if (advanceMatch(-1)) {
        selectCurrentMatch();
        return true;
    }
    return wrap && findLast();
}

bool ArticleListController::findFirst()
{
    if (m_articles == nullptr || !m_articles->isValid(0))
        return false;
    m_currentMatch = {0, -1};
    return findNext(false);
}

bool ArticleListController::findLast()
{
    const int a = articleCount() - 1;
    if (m_articles == nullptr || !m_articles->isValid(a))
        return false;
    m_currentMatch = {a, int(matches(a).size())};
    return findPrevious(false);
}

} // namespace ArticleEngine::Controller
