// fuzzy_state.cpp: the distance, the prefilters and the sorted result list.
#include "search/fuzzy_state.h"

#include <algorithm>
#include <cstring>
#include <new>

FuzzyState::FuzzyState()
{
    for (int i = 0; i < kMatrixSize; ++i) {
        m_matrix[i][0] = i;
        m_matrix[0][i] = i;
    }
    m_rowMinimum[0] = 0;
    clear();
}

void FuzzyState::clear()
{
    std::memset(m_query, 0, sizeof m_query);
    m_queryLengthPlusOne = 1;
    m_validRows = 0;
    m_limit = kDefaultLimit;
    m_lowerBound = 0;
    m_maxResults = 0;
    m_active = false;
    m_stop = false;
    m_results.clear();
}

int FuzzyState::start(std::u16string_view word, std::int32_t maxResults, std::int32_t limit)
{
    clear();
    if (word.size() > static_cast<std::size_t>(kMaximumQueryUnits))
        return LV_WORD_TOO_LONG;
    std::copy(word.begin(), word.end(), m_query);
    m_queryLengthPlusOne = static_cast<std::int32_t>(word.size()) + 1;
    m_limit = (limit <= 0 || limit > kNoLimit) ? kNoLimit : limit;
    m_maxResults = std::max<std::int32_t>(maxResults, 0);
    m_active = true;
    try {
        m_results.reserve(static_cast<std::size_t>(std::min<std::int32_t>(m_maxResults, 64)));
    } catch (const std::bad_alloc&) {
        clear();
        return LV_NO_MEMORY;
    }
    return LV_OK;
}

std::int32_t FuzzyState::distanceTo(std::u16string_view candidate)
{
    const int rows = static_cast<int>(candidate.size());
    const int columns = m_queryLengthPlusOne - 1;

    // Rows depend only on the candidate's units up to their own index, so the
    // rows of a shared prefix stay valid.
    int row = 0;
    while (row < m_validRows && row < rows && m_rowsWord[row] == candidate[row])
        ++row;

    for (++row; row <= rows; ++row) {
        const char16_t c = candidate[row - 1];
        m_rowsWord[row - 1] = c;
        std::int32_t* current = m_matrix[row];
        const std::int32_t* above = m_matrix[row - 1];
        std::int32_t minimum = current[0];
        for (int column = 1; column <= columns; ++column) {
            const std::int32_t cost = (c == m_query[column - 1]) ? 0 : 1;
            std::int32_t best = std::min({above[column] + 1, current[column - 1] + 1, above[column - 1] + cost});
            if (row > 1 && column > 1 && c == m_query[column - 2] && candidate[row - 2] == m_query[column - 1])
                best = std::min(best, m_matrix[row - 2][column - 2] + cost);
            current[column] = best;
            minimum = std::min(minimum, best);
        }
        m_rowMinimum[row] = minimum;
        // A row minimum never falls below the smaller of the previous row's
        // minimum and the one before that plus one: two rows at or above the
        // limit settle the answer.
        if (row > 1 && minimum >= m_limit && m_rowMinimum[row - 1] >= m_limit) {
            m_validRows = row;
            return m_limit;
        }
    }
    m_validRows = rows;
    return m_matrix[rows][columns];
}

std::int32_t FuzzyState::formDistance(std::u16string_view form)
{
    if (!passesLengthFilter(form.size()))
        return kNoLimit;
    return distanceTo(form);
}

int FuzzyState::offerForms(std::u16string_view first, std::u16string_view second, std::u16string_view kept,
                           std::int32_t key)
{
    if (!m_active || kept.size() >= static_cast<std::size_t>(kMatrixSize))
        return LV_OK;
    std::int32_t distance = formDistance(first);
    if (!second.empty())
        distance = std::min(distance, formDistance(second));
    if (distance >= m_limit || distance < m_lowerBound)
        return LV_OK;

    std::size_t place = 0;
    for (; place < m_results.size(); ++place) {
        const FuzzyResult& result = m_results[place];
        if (result.distance > distance)
            break;
        if (result.distance == distance && result.key == key && kept == std::u16string_view(result.headword))
            return LV_OK;
    }
    if (place >= static_cast<std::size_t>(m_maxResults)) {
        // The list is full of closer results: nothing as far as its last one
        // can be kept any more. With no room at all there is no last result.
        if (!m_results.empty())
            m_limit = m_results.back().distance;
        return LV_OK;
    }

    FuzzyResult result{};
    std::copy(kept.begin(), kept.end(), result.headword);
    result.distance = distance;
    result.key = key;
    try {
        if (m_results.size() == static_cast<std::size_t>(m_maxResults))
            m_results.pop_back();
        m_results.insert(m_results.begin() + static_cast<std::ptrdiff_t>(place), result);
    } catch (const std::bad_alloc&) {
        return LV_NO_MEMORY;
    }
    return LV_OK;
}
