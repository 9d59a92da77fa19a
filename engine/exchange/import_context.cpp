// import_context.cpp: what every conversion context shares.
#include "exchange/import_context.h"

namespace lexvane::engine::exchange {

UDImportContext::UDImportContext(std::size_t bodyRoom) : m_bodyRoom(bodyRoom)
{
    resetStack();
}

UDImportContext::~UDImportContext() = default;

void UDImportContext::clearArticle()
{
    m_titles.clear();
    m_body.clear();
    m_state = State::Idle;
    m_visible = 0;
    resetStack();
}

void UDImportContext::reset()
{
    clearArticle();
    m_styles.clear();
}

bool UDImportContext::isHeaderLine(std::u16string_view) const
{
    return false;
}

std::int32_t UDImportContext::articlesNotStored(std::int64_t) const
{
    return 0;
}

void UDImportContext::exportTail(std::u16string& out)
{
    out.clear();
}

std::int32_t UDImportContext::matchStyle(StyleRecord& record)
{
    record.number = m_styles.matchOrAdd(record);
    return record.number;
}

void UDImportContext::appendBody(std::u16string_view text)
{
    const std::size_t room = m_bodyRoom > m_body.size() ? m_bodyRoom - m_body.size() : 0;
    m_body.append(text.substr(0, room));
}

void UDImportContext::addTitle(std::u16string title)
{
    if (title.size() > kMaxTitleLength)
        title.resize(kMaxTitleLength);
    // A cut must not leave the high half of a pair on its own.
    if (!title.empty() && title.back() >= 0xD800 && title.back() <= 0xDBFF)
        title.pop_back();
    if (!title.empty())
        m_titles.push_back(std::move(title));
}

void UDImportContext::resetStack()
{
    m_stack.clear();
    m_stack.push_back(StackEntry{StyleRecord{}, 0});
}

void UDImportContext::push(const StyleRecord& style, int margin)
{
    if (m_stack.size() <= kStyleStackDepth)
        m_stack.push_back(StackEntry{style, margin});
}

void UDImportContext::pop()
{
    if (m_stack.size() > 1)
        m_stack.pop_back();
}

} // namespace lexvane::engine::exchange
