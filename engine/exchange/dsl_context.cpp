// dsl_context.cpp: DSL lines in, article markup out, and back.
#include "exchange/dsl_context.h"
#include "common/hexadecimal.h"

#include "exchange/colour_names.h"

#include <array>
#include <cstdio>

namespace lexvane::engine::exchange {

namespace {

// The headword run that import writes first in every body, and the style
// it needs: headword class 1, so that export knows the run and leaves it
// out (docs/formats/dsl.md, "Headword run").
constexpr std::int32_t kHeadwordStyle = 1;
constexpr std::uint32_t kHeadwordClassColour = 0x01000000;
constexpr std::size_t kMaxTagLength = 256;
constexpr int kMaxMargin = 9;

bool isHex(char16_t c)
{
    return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
}

bool isDigit(char16_t c)
{
    return c >= u'0' && c <= u'9';
}

char16_t lowered(char16_t c)
{
    return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + (u'a' - u'A')) : c;
}

void appendAscii(std::u16string& out, const char* text)
{
    for (; *text; ++text)
        out.push_back(static_cast<char16_t>(static_cast<unsigned char>(*text)));
}

void appendEscape(std::u16string& out, char16_t c)
{
    char text[8];
    std::snprintf(text, sizeof text, "%%%02x", static_cast<unsigned>(c));
    appendAscii(out, text);
}

// A title inside the markup: the prefix, the headword run, '~' and '@'.
std::u16string escapeTitleInBody(std::u16string_view title)
{
    std::u16string out;
    out.reserve(title.size() + 8);
    for (char16_t c : title) {
        if (c == u'"' || c == u'#' || c == u'%')
            appendEscape(out, c);
        else
            out.push_back(c);
    }
    return out;
}

// The changes a known opening tag makes to the style on top of the stack.
// False for a tag this format does not know.
bool applyTag(std::u16string_view name, std::u16string_view argument, StyleRecord& style)
{
    std::u16string key;
    for (char16_t c : name)
        key.push_back(lowered(c));
    if (key == u"b") {
        style.bold = 1;
    } else if (key == u"i") {
        style.italic = 1;
    } else if (key == u"u") {
        style.underline = 1;
    } else if (key == u"sub") {
        style.level = 1;
    } else if (key == u"sup") {
        style.level = 2;
    } else if (key == u"p" || key == u"com") {
        style.color = 0x007F00;
    } else if (key == u"*") {
        style.color = 0xFF0000;
    } else if (key == u"'") {
        style.color = 0xFF00FF;
    } else if (key == u"url") {
        style.color = 0x00007F;
        style.underline = 1;
    } else if (key == u"ex" || key == u"lang" || key == u"trn" || key == u"!trs" || key == u"ref" || key == u"s") {
        // Known, but they change nothing a style can show.
    } else if (key == u"c") {
        if (!argument.empty() && argument[0] == u'#') {
            // At most six digits: a colour is 24 bits, the byte above them
            // marks headword classes.
            std::uint32_t rgb = 0;
            std::size_t digits = 0;
            while (digits < 6 && digits + 1 < argument.size() && isHex(argument[digits + 1]))
                rgb = rgb << 4 | static_cast<std::uint32_t>(hexadecimalDigit(argument[++digits]));
            if (digits > 0)
                style.color = rgb;
        } else if (const auto rgb = colourByName(argument)) {
            style.color = *rgb;
        }
    } else {
        return false;
    }
    return true;
}

// Writes the runs of one body, cutting only where the run can be closed.
class RunWriter {
public:
    RunWriter(std::u16string& out, std::size_t room) : m_out(out), m_room(room) {}

    bool full() const { return m_full; }
    bool runOpen() const { return m_runOpen; }

    // Opens a run of style `number` with `tabs` margin TABs, then writes
    // `piece` in it; nothing at all when the closed run would not fit.
    bool openAndWrite(std::int32_t number, int tabs, std::u16string_view piece)
    {
        const std::size_t header = 4 + static_cast<std::size_t>(tabs);
        if (m_full || m_out.size() + (m_runOpen ? 1 : 0) + header + piece.size() + 1 > m_room) {
            m_full = true;
            return false;
        }
        close();
        m_out.push_back(u'#');
        m_out.push_back(static_cast<char16_t>(u'0' + number / 10 % 10));
        m_out.push_back(static_cast<char16_t>(u'0' + number % 10));
        m_out.push_back(u'"');
        m_out.append(static_cast<std::size_t>(tabs), u'\t');
        m_out.append(piece);
        m_runOpen = true;
        return true;
    }

    // Writes `piece` in the open run.
    bool write(std::u16string_view piece)
    {
        if (m_full || m_out.size() + piece.size() + 1 > m_room) {
            m_full = true;
            return false;
        }
        m_out.append(piece);
        return true;
    }

    void close()
    {
        if (m_runOpen)
            m_out.push_back(u'"');
        m_runOpen = false;
    }

private:
    std::u16string& m_out;
    std::size_t m_room;
    bool m_runOpen = false;
    bool m_full = false;
};

} // namespace

UDImportContextDSL::UDImportContextDSL(std::size_t bodyRoom) : UDImportContext(bodyRoom) {}

bool UDImportContextDSL::isBodySpecial(char16_t c)
{
    switch (c) {
    case u'[':
    case u']':
    case u'\\':
    case u'~':
    case u'@':
    case u'^':
    case u'{':
    case u'}':
        return true;
    default:
        return false;
    }
}

bool UDImportContextDSL::isHeaderLine(std::u16string_view line) const
{
    return !line.empty() && line[0] == u'#';
}

std::u16string UDImportContextDSL::escapeTitleLine(std::u16string_view title)
{
    std::u16string out;
    for (std::size_t i = 0; i < title.size(); ++i) {
        const char16_t c = title[i];
        const bool leading = i == 0 && (c == u' ' || c == u'#');
        if (c == u'%' || c == u'{' || c == u'}' || c < 0x20 || leading)
            appendEscape(out, c);
        else
            out.push_back(c);
    }
    return out;
}

std::u16string UDImportContextDSL::unescapeTitleLine(std::u16string_view text)
{
    std::u16string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == u'%' && i + 2 < text.size() && isHex(text[i + 1]) && isHex(text[i + 2])) {
            out.push_back(static_cast<char16_t>(hexadecimalDigit(text[i + 1]) << 4 | hexadecimalDigit(text[i + 2])));
            i += 2;
        } else {
            out.push_back(text[i]);
        }
    }
    return out;
}

UDImportContext::Feed UDImportContextDSL::feedLine(std::u16string_view input)
{
    // A line that is given back is fed again: the comment state changes
    // only with a line that is taken.
    bool inComment = m_inComment;
    std::u16string line(input);
    if (inComment) {
        const std::size_t end = line.find(u"}}");
        if (end == std::u16string::npos)
            return Feed::Consumed;
        line.erase(0, end + 2);
        inComment = false;
    }
    for (;;) {
        const std::size_t open = line.find(u"{{");
        if (open == std::u16string::npos)
            break;
        const std::size_t close = line.find(u"}}", open + 2);
        if (close == std::u16string::npos)
            break;
        line.erase(open, close + 2 - open);
    }
    const std::size_t open = line.find(u"{{");
    if (open != std::u16string::npos) {
        line.resize(open);
        inComment = true;
    }

    if (!line.empty() && (line[0] == u'\t' || line[0] == u' ')) {
        m_inComment = inComment;
        m_state = State::Body;
        appendBody(std::u16string_view(line).substr(1));
        return Feed::Consumed;
    }
    std::size_t end = 0;
    while (end < line.size() && line[end] >= 0x20)
        ++end;
    if (end == 0) {
        m_inComment = inComment;
        return Feed::Consumed;
    }
    if (m_state == State::Body || m_state == State::Complete) {
        m_state = State::Complete;
        return Feed::NotConsumed;
    }
    m_inComment = inComment;
    addTitle(unescapeTitleLine(std::u16string_view(line).substr(0, end)));
    m_state = State::Headwords;
    return Feed::Consumed;
}

void UDImportContextDSL::buildBody(std::int32_t titleIndex, std::u16string& out, std::size_t room)
{
    out.clear();
    StyleRecord headword{};
    if (!getStyle(kHeadwordStyle, headword)) {
        headword.number = kHeadwordStyle;
        headword.color = kHeadwordClassColour;
        headword.bold = 1;
        addStyle(headword);
    }
    const std::u16string title = escapeTitleInBody(this->title(titleIndex));
    out += title;
    out += u"#M#01\"";
    out += title;
    out += u"%0d%0a\"";
    if (out.size() > room) {
        out.clear();
        return;
    }

    resetStack();
    RunWriter writer(out, room);
    bool newRun = true;  // after a tag the next text opens a run
    bool lineStart = true;
    bool caretHeld = false;
    std::u16string piece;

    auto emit = [&](char16_t c, bool literal) {
        if (c == u'\r')
            return;
        piece.clear();
        bool lineBreak = false;
        if (c == u'^' && !literal) {
            caretHeld = true;
            return;
        }
        if (caretHeld && !(c == u'~' && !literal))
            piece.push_back(u'^');
        caretHeld = false;
        switch (c) {
        case u'#':
        case u'"':
        case u'%':
        case u'\t':
            appendEscape(piece, c);
            break;
        case u'\n':
            appendAscii(piece, "%0d%0a");
            lineBreak = true;
            break;
        case u'~':
            if (literal)
                piece.push_back(c);
            else
                piece += title;
            break;
        case u'@':
            if (literal) {
                appendAscii(piece, "%0d%0a");
                lineBreak = true;
            } else {
                piece += title;
            }
            break;
        case u'^':
            appendAscii(piece, "%5e");
            break;
        default:
            piece.push_back(c);
            break;
        }
        if (c > 32)
            ++m_visible;
        const int margin = top().margin;
        // A line feed stays with the run before it: the run after closing
        // tags would only carry the line break (docs/formats/dsl.md).
        const bool joinBreak = lineBreak && writer.runOpen();
        const bool open = !joinBreak && (newRun || !writer.runOpen() || (lineStart && margin > 0));
        if (open) {
            StyleRecord style = top().style;
            const std::int32_t number = matchStyle(style);
            writer.openAndWrite(number, lineStart ? margin : 0, piece);
            newRun = false;
        } else {
            writer.write(piece);
        }
        lineStart = lineBreak;
    };

    const std::u16string_view body = m_body;
    std::size_t at = 0;
    while (at < body.size() && !writer.full()) {
        const char16_t c = body[at];
        if (c == u'[') {
            const std::size_t close = body.find(u']', at + 1);
            if (close != std::u16string_view::npos && close - at - 1 <= kMaxTagLength) {
                const std::u16string_view tag = body.substr(at + 1, close - at - 1);
                at = close + 1;
                newRun = true;
                std::size_t nameEnd = 0;
                while (nameEnd < tag.size() && tag[nameEnd] != u' ' && tag[nameEnd] != u'\t')
                    ++nameEnd;
                const std::u16string_view name = tag.substr(0, nameEnd);
                std::u16string_view argument = tag.substr(nameEnd);
                while (!argument.empty() && (argument.front() == u' ' || argument.front() == u'\t'))
                    argument.remove_prefix(1);
                while (!argument.empty() && (argument.back() == u' ' || argument.back() == u'\t'))
                    argument.remove_suffix(1);
                if (!name.empty() && name[0] == u'/') {
                    pop();
                } else if (name.size() >= 2 && lowered(name[0]) == u'm' && isDigit(name[1])) {
                    int margin = 0;
                    for (std::size_t i = 1; i < name.size() && isDigit(name[i]) && margin <= kMaxMargin; ++i)
                        margin = margin * 10 + (name[i] - u'0');
                    push(top().style, margin > kMaxMargin ? kMaxMargin : margin);
                } else {
                    StyleRecord style = top().style;
                    if (applyTag(name, argument, style))
                        push(style, top().margin);
                }
                continue;
            }
            // A '[' that opens no tag is text.
        }
        if (c == u'\\') {
            if (at + 1 < body.size())
                emit(body[at + 1], true);
            at += 2;
            continue;
        }
        emit(c, false);
        ++at;
    }
    if (caretHeld && !writer.full()) {
        if (writer.runOpen() && !newRun)
            writer.write(u"^");
        else {
            StyleRecord style = top().style;
            writer.openAndWrite(matchStyle(style), 0, u"^");
        }
    }
    writer.close();
}

bool UDImportContextDSL::render(std::u16string_view body, std::u16string& out) const
{
    out.clear();
    std::size_t at = body.find(u'#');
    if (at == std::u16string_view::npos)
        return true;
    bool markedBody = false;
    bool importedBody = false;
    if (at + 1 < body.size() && !isDigit(body[at + 1])) {
        const std::size_t next = body.find(u'#', at + 1);
        if (next == std::u16string_view::npos)
            return true;
        const std::u16string_view segment = body.substr(at + 1, next - at - 1);
        markedBody = segment.find(u'M') != std::u16string_view::npos;
        importedBody = segment == u"M";
        at = next;
    }

    bool lineStart = true;
    bool lineMargin = false;
    std::u16string piece;
    while (at < body.size()) {
        if (body[at] != u'#' || at + 3 >= body.size() || !isDigit(body[at + 1]) || !isDigit(body[at + 2]) ||
            body[at + 3] != u'"')
            return false;
        const std::int32_t number = (body[at + 1] - u'0') * 10 + (body[at + 2] - u'0');
        const std::size_t textStart = at + 4;
        std::size_t textEnd = body.find(u'"', textStart);
        if (textEnd == std::u16string_view::npos)
            return false;
        const std::u16string_view text = body.substr(textStart, textEnd - textStart);
        at = textEnd + 1;

        StyleRecord style{};
        const bool known = getStyle(number, style);
        if (markedBody && known && style.color > 0xFFFFFF)
            continue;
        // A dictionary made without the program's styles has no headword
        // style: the first run of an imported body is still the headword.
        if (importedBody && !known && number == kHeadwordStyle)
            continue;
        if (!known)
            style = StyleRecord{};
        const std::uint32_t rgb = style.color & 0xFFFFFF;

        std::size_t i = 0;
        while (i < text.size()) {
            if (lineStart) {
                std::size_t tabs = 0;
                while (i + tabs < text.size() && text[i + tabs] == u'\t')
                    ++tabs;
                i += tabs;
                appendAscii(out, "\r\n ");
                if (tabs > 0) {
                    appendAscii(out, "[m");
                    out.push_back(static_cast<char16_t>(u'0' + (tabs > kMaxMargin ? kMaxMargin : tabs)));
                    out.push_back(u']');
                }
                lineMargin = tabs > 0;
                lineStart = false;
            }
            piece.clear();
            bool lineEnds = false;
            bool damaged = false;
            while (i < text.size()) {
                char16_t c = text[i];
                if (c == u'%') {
                    if (i + 2 >= text.size() || !isHex(text[i + 1]) || !isHex(text[i + 2])) {
                        damaged = true;
                        break;
                    }
                    c = static_cast<char16_t>(hexadecimalDigit(text[i + 1]) << 4 | hexadecimalDigit(text[i + 2]));
                    i += 3;
                } else {
                    ++i;
                }
                if (c == u'\r')
                    continue;
                if (c == u'\n') {
                    lineEnds = true;
                    break;
                }
                if (isBodySpecial(c))
                    piece.push_back(u'\\');
                piece.push_back(c);
            }
            if (!piece.empty()) {
                if (style.bold)
                    appendAscii(out, "[b]");
                if (rgb != 0) {
                    appendAscii(out, "[c ");
                    if (const char* name = nameOfColour(rgb)) {
                        appendAscii(out, name);
                    } else {
                        char hex[8];
                        std::snprintf(hex, sizeof hex, "#%06x", static_cast<unsigned>(rgb));
                        appendAscii(out, hex);
                    }
                    out.push_back(u']');
                }
                if (style.italic)
                    appendAscii(out, "[i]");
                if (style.level == 1)
                    appendAscii(out, "[sub]");
                else if (style.level == 2)
                    appendAscii(out, "[sup]");
                if (style.underline)
                    appendAscii(out, "[u]");
                out += piece;
                if (style.underline)
                    appendAscii(out, "[/u]");
                if (style.level == 1)
                    appendAscii(out, "[/sub]");
                else if (style.level == 2)
                    appendAscii(out, "[/sup]");
                if (style.italic)
                    appendAscii(out, "[/i]");
                if (rgb != 0)
                    appendAscii(out, "[/c]");
                if (style.bold)
                    appendAscii(out, "[/b]");
            }
            if (damaged) {
                if (lineMargin)
                    appendAscii(out, "[/m]");
                return false;
            }
            if (lineEnds) {
                if (lineMargin)
                    appendAscii(out, "[/m]");
                lineMargin = false;
                lineStart = true;
            }
        }
    }
    if (lineMargin)
        appendAscii(out, "[/m]");
    return true;
}

void UDImportContextDSL::exportHead(std::u16string& out)
{
    out.clear();
    appendAscii(out, "#NAME \"\"\r\n");
}

void UDImportContextDSL::exportArticle(std::u16string_view title, std::u16string_view body, std::u16string& out)
{
    out.clear();
    appendAscii(out, "\r\n\r\n");
    out += escapeTitleLine(title);
    std::u16string rendered;
    render(body, rendered);
    out += rendered;
}

void UDImportContextDSL::exportTail(std::u16string& out)
{
    // The last body line ends like every other, so that it reads back with
    // its line feed.
    out.clear();
    appendAscii(out, "\r\n");
}

} // namespace lexvane::engine::exchange
