// mlx_tokenizer.cpp: tags and text of MLX lines.
#include "exchange/mlx_tokenizer.h"

namespace lexvane::engine::exchange {

namespace {

// A '<' that never meets its '>' is given up after this much text, so
// that a stray bracket cannot swallow the rest of a large file.
constexpr std::size_t kMaxTagLength = 65536;
constexpr std::size_t kMaxClassLength = 255;

char16_t lowered(char16_t c)
{
    return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + (u'a' - u'A')) : c;
}

bool isBlank(char16_t c)
{
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r';
}

} // namespace

void MlxTokenizer::setLine(std::u16string line)
{
    m_line = std::move(line);
    m_at = 0;
}

void MlxTokenizer::clear()
{
    m_line.clear();
    m_at = 0;
    m_tag.clear();
    m_inTag = false;
}

bool MlxTokenizer::next(Token& token)
{
    if (m_at >= m_line.size())
        return false;
    if (!m_inTag && m_line[m_at] == u'<') {
        m_inTag = true;
        m_tag.clear();
        ++m_at;
    }
    if (m_inTag) {
        const std::size_t close = m_line.find(u'>', m_at);
        if (close == std::u16string::npos) {
            m_tag.append(m_line, m_at);
            m_at = m_line.size();
            if (m_tag.size() > kMaxTagLength) {
                m_tag.clear();
                m_inTag = false;
            }
            return false;
        }
        m_tag.append(m_line, m_at, close - m_at);
        m_at = close + 1;
        m_inTag = false;
        token = Token{Kind::Tag, m_tag, false};
        return true;
    }
    const std::size_t start = m_at;
    std::size_t end = m_line.find(u'<', m_at);
    if (end == std::u16string::npos)
        end = m_line.size();
    m_at = end;
    token = Token{Kind::Text, std::u16string_view(m_line).substr(start, end - start), start == 0};
    return true;
}

std::u16string MlxTokenizer::fromLastTag() const
{
    std::u16string rest;
    rest.reserve(m_tag.size() + 2 + m_line.size() - m_at);
    rest.push_back(u'<');
    rest += m_tag;
    rest.push_back(u'>');
    rest.append(m_line, m_at);
    return rest;
}

bool tagIs(std::u16string_view tag, std::u16string_view name)
{
    std::size_t at = 0;
    while (at < tag.size() && isBlank(tag[at]))
        ++at;
    if (tag.size() - at < name.size())
        return false;
    for (std::size_t i = 0; i < name.size(); ++i) {
        if (lowered(tag[at + i]) != name[i])
            return false;
    }
    return true;
}

std::u16string classOf(std::u16string_view tag)
{
    constexpr std::u16string_view kClass = u"class";
    for (std::size_t at = 0; at + kClass.size() <= tag.size(); ++at) {
        bool match = true;
        for (std::size_t i = 0; i < kClass.size() && match; ++i)
            match = lowered(tag[at + i]) == kClass[i];
        // Only a whole attribute name: not "subclass=" or "classic".
        if (!match || (at > 0 && !isBlank(tag[at - 1])))
            continue;
        std::size_t i = at + kClass.size();
        while (i < tag.size() && isBlank(tag[i]))
            ++i;
        if (i >= tag.size() || tag[i] != u'=')
            continue;
        ++i;
        while (i < tag.size() && isBlank(tag[i]))
            ++i;
        if (i < tag.size() && (tag[i] == u'\'' || tag[i] == u'"'))
            ++i;
        std::u16string value;
        while (i < tag.size() && value.size() < kMaxClassLength) {
            const char16_t c = tag[i++];
            if (c == u'\'' || c == u'"' || isBlank(c) || c == u';' || c == u'>')
                break;
            value.push_back(c);
        }
        return value;
    }
    return {};
}

} // namespace lexvane::engine::exchange
