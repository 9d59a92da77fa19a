// mlx_context.cpp: MLX lines in, article markup out, and back.
#include "exchange/mlx_context.h"

#include "exchange/mlx_text.h"

#include <cstdio>

namespace lexvane::engine::exchange {

namespace {

constexpr int kMaxMarginClass = 9;

bool isDigit(char16_t c)
{
    return c >= u'0' && c <= u'9';
}

bool isLayoutBlank(char16_t c)
{
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r';
}

// A character inside a run of the markup.
void appendRunCharacter(std::u16string& out, char16_t c)
{
    switch (c) {
    case u'\r':
    case u'\n':
        break;
    case u'\t': out += u"%09"; break;
    case u'"': out += u"%22"; break;
    case u'#': out += u"%23"; break;
    case u'%': out += u"%25"; break;
    default: out.push_back(c); break;
    }
}

bool isHeaderClass(std::u16string_view name)
{
    return name == u"mlxp_Hdr" || name == u"mlxp_Hdr_" || name == u"mlxp_Hdr__";
}

// One run of a stored body: its style number and its text between the
// quotes.
struct StoredRun {
    std::int32_t number;
    std::u16string_view text;
};

// The run at `at`, moving `at` past it; false when there is none there.
bool nextRun(std::u16string_view body, std::size_t& at, StoredRun& run)
{
    if (at + 3 >= body.size() || body[at] != u'#' || !isDigit(body[at + 1]) || !isDigit(body[at + 2]) ||
        body[at + 3] != u'"')
        return false;
    const std::size_t end = body.find(u'"', at + 4);
    if (end == std::u16string_view::npos)
        return false;
    run.number = (body[at + 1] - u'0') * 10 + (body[at + 2] - u'0');
    run.text = body.substr(at + 4, end - at - 4);
    at = end + 1;
    return true;
}

// Decodes the escapes of stored text; false at a '%' without two
// hexadecimal digits (the text before it is kept).
bool decodeStored(std::u16string_view text, std::u16string& out)
{
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != u'%') {
            out.push_back(text[i]);
            continue;
        }
        if (i + 2 >= text.size() || hexadecimalDigit(text[i + 1]) < 0 || hexadecimalDigit(text[i + 2]) < 0)
            return false;
        out.push_back(static_cast<char16_t>(hexadecimalDigit(text[i + 1]) << 4 | hexadecimalDigit(text[i + 2])));
        i += 2;
    }
    return true;
}

} // namespace

UDImportContextMLX::UDImportContextMLX(std::size_t bodyRoom) : UDImportContext(bodyRoom) {}

void UDImportContextMLX::clearArticle()
{
    UDImportContext::clearArticle();
    // Open divs stay: an article may end inside the div of the one before.
    m_style = divStyle();
    m_hidden = divHidden();
    m_headwordClass = 0;
    m_phonetic = false;
    m_pendingMargin = 0;
    m_lineStyleSet = false;
    m_collecting = Collecting::NotYet;
    m_headword.clear();
    m_bodyFull = false;
}

void UDImportContextMLX::reset()
{
    m_classes.clear();
    m_tokenizer.clear();
    m_resume.clear();
    m_resuming = false;
    m_inStyleSheet = false;
    m_unclassedDivs = 0;
    m_divs.clear();
    UDImportContext::reset();
}

std::int32_t UDImportContextMLX::articlesNotStored(std::int64_t stored) const
{
    const std::int64_t notStored = m_unclassedDivs - stored;
    return notStored > 0 ? static_cast<std::int32_t>(notStored) : 0;
}

StyleRecord UDImportContextMLX::divStyle() const
{
    return m_divs.empty() ? StyleRecord{} : m_divs.back().style;
}

bool UDImportContextMLX::divHidden() const
{
    return !m_divs.empty() && m_divs.back().hidden;
}

UDImportContext::Feed UDImportContextMLX::feedLine(std::u16string_view line)
{
    if (m_state == State::Complete && !m_resuming)
        return Feed::NotConsumed;
    // A line given back is read again from the tag that ended the article,
    // not from its start: what came before that tag is in that article.
    if (m_resuming) {
        m_tokenizer.setLine(std::move(m_resume));
        m_resume.clear();
        m_resuming = false;
    } else {
        m_tokenizer.setLine(std::u16string(line));
    }
    MlxTokenizer::Token token;
    while (m_tokenizer.next(token)) {
        if (token.kind == MlxTokenizer::Kind::Text) {
            handleText(token.text, token.lineStart);
        } else if (!handleTag(token.text)) {
            m_state = State::Complete;
            m_resume = m_tokenizer.fromLastTag();
            m_resuming = true;
            return Feed::NotConsumed;
        }
    }
    return Feed::Consumed;
}

bool UDImportContextMLX::handleTag(std::u16string_view tag)
{
    if (tagIs(tag, u"/style")) {
        m_inStyleSheet = false;
    } else if (tagIs(tag, u"/div")) {
        closeDiv();
    } else if (tagIs(tag, u"/span")) {
        m_style = divStyle();
        m_hidden = divHidden();
        m_headwordClass = 0;
        m_phonetic = false;
    } else if (tagIs(tag, u"style")) {
        m_inStyleSheet = true;
    } else if (tagIs(tag, u"div")) {
        return handleDiv(tag);
    } else if (tagIs(tag, u"span")) {
        handleSpan(tag);
    }
    return true;
}

bool UDImportContextMLX::handleDiv(std::u16string_view tag)
{
    const std::u16string name = classOf(tag);
    if (name.empty()) {
        if (m_state == State::Headwords)
            return false;
        ++m_unclassedDivs;
        m_divs.push_back(Div{false, divStyle(), divHidden()});
    } else {
        if (isHeaderClass(name)) {
            if (m_state == State::Body)
                return false;
            m_state = State::Headwords;
        } else {
            m_state = State::Body;
        }
        Div div{true, divStyle(), false};
        m_pendingMargin = 0;
        if (const MlxRule* rule = m_classes.find(name)) {
            div.style = StyleRecord{};
            rule->applyTo(div.style);
            div.hidden = rule->hidden;
            m_pendingMargin = rule->margin;
        }
        m_divs.push_back(div);
    }
    m_style = divStyle();
    m_hidden = divHidden();
    m_headwordClass = 0;
    m_phonetic = false;
    m_lineStyleSet = false;
    return true;
}

void UDImportContextMLX::closeDiv()
{
    if (m_divs.empty())
        return;
    const Div div = m_divs.back();
    m_divs.pop_back();
    if (div.classed && !div.hidden && (m_state == State::Headwords || m_state == State::Body)) {
        // The line break goes with the line's last run, so that a line
        // exported from one run reads back as that one run.
        writeRun(m_lineStyleSet ? m_lineStyle : div.style, 0, u"%0d%0a");
    }
    m_style = divStyle();
    m_hidden = divHidden();
    m_headwordClass = 0;
    m_phonetic = false;
    m_lineStyleSet = false;
}

void UDImportContextMLX::handleSpan(std::u16string_view tag)
{
    const std::u16string name = classOf(tag);
    m_style = divStyle();
    m_hidden = divHidden();
    m_headwordClass = 0;
    m_phonetic = false;
    if (!name.empty()) {
        if (name.starts_with(u"mlxt_Ref") && (m_state == State::Idle || m_state == State::Headwords))
            m_state = State::Body;
        m_headwordClass = headwordClassOf(name);
        m_phonetic = name == u"mlxt_Phon";
        if (const MlxRule* rule = m_classes.find(name)) {
            rule->applyTo(m_style);
            m_hidden = rule->hidden;
        } else if (m_headwordClass != 0) {
            // A headword class the sheet left out looks as export writes
            // it, and keeps its class.
            m_style.bold = 1;
            m_style.color = (m_style.color & kRgbMask) | static_cast<std::uint32_t>(m_headwordClass) << 24;
        }
    }
    m_lineStyle = m_style;
    m_lineStyleSet = true;
}

void UDImportContextMLX::handleText(std::u16string_view text, bool lineStart)
{
    if (m_inStyleSheet) {
        m_classes.feed(text);
        return;
    }
    if (m_state != State::Headwords && m_state != State::Body)
        return;
    // Blanks that only lay the file out: the indentation of a line and
    // what is left at its end.
    bool onlyBlanks = true;
    for (char16_t c : text)
        onlyBlanks = onlyBlanks && isLayoutBlank(c);
    if (onlyBlanks && (lineStart || text.find(u'\n') != std::u16string_view::npos))
        return;
    if (m_hidden)
        return;

    std::u16string run;
    std::u16string decoded;
    std::size_t visible = 0;
    for (std::size_t i = 0; i < text.size();) {
        decoded.clear();
        if (text[i] == u'&') {
            i += decodeReference(text, i, decoded);
        } else {
            const std::u16string_view code = m_phonetic ? phoneticCode(text[i]) : std::u16string_view{};
            if (code.empty())
                decoded.push_back(text[i]);
            else
                decoded = code;
            ++i;
        }
        for (char16_t c : decoded) {
            if (c > u' ')
                ++visible;
            appendRunCharacter(run, c);
        }
    }
    if (m_headwordClass != 0 && m_collecting != Collecting::Closed)
        collectHeadword(text);
    else if (visible > 0 && m_collecting == Collecting::Open)
        m_collecting = Collecting::Closed;
    if (run.empty())
        return;
    if (writeRun(m_style, m_pendingMargin, run))
        m_pendingMargin = 0;
    m_lineStyle = m_style;
    m_lineStyleSet = true;
}

void UDImportContextMLX::collectHeadword(std::u16string_view text)
{
    std::u16string decoded;
    for (std::size_t i = 0; i < text.size();) {
        if (text[i] == u'&') {
            i += decodeReference(text, i, decoded);
        } else {
            decoded.push_back(text[i]);
            ++i;
        }
    }
    std::size_t begin = 0;
    std::size_t end = decoded.size();
    while (begin < end && isLayoutBlank(decoded[begin]))
        ++begin;
    while (end > begin && isLayoutBlank(decoded[end - 1]))
        --end;
    m_headword.append(decoded, begin, end - begin);
    if (m_headword.size() > kMaxTitleLength + 1)
        m_headword.resize(kMaxTitleLength + 1);
    m_collecting = Collecting::Open;
    clearTitles();
    addTitle(m_headword);
}

bool UDImportContextMLX::writeRun(const StyleRecord& style, int tabs, std::u16string_view text)
{
    if (m_bodyFull)
        return false;
    const std::size_t size = 5 + static_cast<std::size_t>(tabs) + text.size();
    if (m_body.size() + size > m_bodyRoom) {
        // Later runs are dropped too: the body keeps its order.
        m_bodyFull = true;
        return false;
    }
    StyleRecord numbered = style;
    const std::int32_t number = matchStyle(numbered);
    m_body.push_back(u'#');
    m_body.push_back(static_cast<char16_t>(u'0' + number / 10 % 10));
    m_body.push_back(static_cast<char16_t>(u'0' + number % 10));
    m_body.push_back(u'"');
    m_body.append(static_cast<std::size_t>(tabs), u'\t');
    m_body.append(text);
    m_body.push_back(u'"');
    return true;
}

void UDImportContextMLX::buildBody(std::int32_t titleIndex, std::u16string& out, std::size_t room)
{
    out.clear();
    for (char16_t c : title(titleIndex))
        appendRunCharacter(out, c);
    out += u"#M";
    if (out.size() > room) {
        out.clear();
        return;
    }
    const std::u16string_view body = m_body;
    std::size_t at = 0;
    std::int32_t previous = -1;
    StoredRun run{};
    while (nextRun(body, at, run)) {
        // Runs are whole in the buffer; a run that no longer fits ends the
        // body, whose last run is then closed.
        const bool join = run.number == previous && (run.text.empty() || run.text[0] != u'\t');
        const std::size_t need = (join ? 0 : 4) + run.text.size() + 1;
        if (out.size() + need > room)
            break;
        if (join) {
            out.pop_back();
        } else {
            out.push_back(u'#');
            out.push_back(static_cast<char16_t>(u'0' + run.number / 10));
            out.push_back(static_cast<char16_t>(u'0' + run.number % 10));
            out.push_back(u'"');
        }
        out.append(run.text);
        out.push_back(u'"');
        previous = run.number;
    }
}

void UDImportContextMLX::exportHead(std::u16string& out)
{
    out = writeStyleSheet(styles());
}

void UDImportContextMLX::exportArticle(std::u16string_view title, std::u16string_view body, std::u16string& out)
{
    render(title, body, out);
}

std::u16string UDImportContextMLX::headwordBlock(std::u16string_view headword)
{
    std::u16string out;
    appendAscii(out, "<div>\r\n<div class='mlxp_Hdr'><span class='mlxt_Word_Entry' >");
    for (char16_t c : headword) {
        if (c != u'\r' && c != u'\n')
            appendMlxText(out, c);
    }
    appendAscii(out, "</span></div>");
    return out;
}

bool UDImportContextMLX::render(std::u16string_view title, std::u16string_view body, std::u16string& out) const
{
    out.clear();
    std::size_t at = body.find(u'#');
    std::u16string headword;
    // A damaged prefix still gives the part before the damage.
    decodeStored(body.substr(0, at), headword);
    if (headword.empty())
        headword = title;
    bool marked = false;
    if (at != std::u16string_view::npos && at + 1 < body.size() && !isDigit(body[at + 1])) {
        const std::size_t next = body.find(u'#', at + 1);
        marked = body.substr(at + 1, next == std::u16string_view::npos ? next : next - at - 1).find(u'M') !=
                 std::u16string_view::npos;
        at = next;
    }
    bool blockOpen = false;
    if (!marked) {
        out = headwordBlock(headword);
        blockOpen = true;
    }

    bool lineStart = true;
    bool lineOpen = false;
    bool damaged = false;
    char number[64];
    StoredRun run{};
    std::u16string text;
    while (at != std::u16string_view::npos && at < body.size() && !damaged) {
        if (!nextRun(body, at, run)) {
            damaged = true;
            break;
        }
        StyleRecord style{};
        const bool known = getStyle(run.number, style);
        text.clear();
        damaged = !decodeStored(run.text, text);
        std::size_t i = 0;
        // A line break inside a run ends the output line; the rest of the
        // run goes on in a new line with the same class.
        do {
            if (lineStart) {
                std::size_t tabs = 0;
                while (i < text.size() && text[i] == u'\t') {
                    ++tabs;
                    ++i;
                }
                appendAscii(out, "\r\n");
                if (marked && !blockOpen) {
                    appendAscii(out, "<div>\r\n<div class='mlxp_Hdr'>");
                    blockOpen = true;
                } else {
                    std::snprintf(number, sizeof number, "<div class='mlxp_margin_%d'>",
                                  static_cast<int>(tabs > kMaxMarginClass ? kMaxMarginClass : tabs));
                    appendAscii(out, number);
                }
                lineOpen = true;
                lineStart = false;
            }
            if (known) {
                appendAscii(out, "<span class='");
                out += runClassName(style);
                appendAscii(out, "'>");
            } else {
                appendAscii(out, "<span>");
            }
            bool lineEnds = false;
            for (; i < text.size() && !lineEnds; ++i) {
                if (text[i] == u'\n')
                    lineEnds = true;
                else if (text[i] != u'\r')
                    appendMlxText(out, text[i]);
            }
            appendAscii(out, "</span>");
            if (lineEnds) {
                appendAscii(out, "</div>");
                lineOpen = false;
                lineStart = true;
            }
        } while (i < text.size());
    }
    if (lineOpen)
        appendAscii(out, "</div>");
    if (!blockOpen)
        out.insert(0, headwordBlock(headword));
    appendAscii(out, "\r\n</div>\r\n");
    return !damaged;
}

} // namespace lexvane::engine::exchange
