// mlx_style_sheet.cpp: parsing and writing the style sheet of MLX files.
#include "exchange/mlx_style_sheet.h"

#include "exchange/colour_names.h"
#include "exchange/mlx_text.h"

#include <array>
#include <cstdio>
#include <vector>

namespace lexvane::engine::exchange {

namespace {

constexpr std::array<const char*, kHeadwordClassCount> kHeadwordClasses{
    "mlxt_Word_Entry",     "mlxt_Word_Entry_Abbr", "mlxt_Word_Entry_Abbr_Acc", "mlxt_Word_Entry_Abbr_Acc_",
    "mlxt_Word_Entry_Acc", "mlxt_Word_Entry_",     "mlxt_Word_Entry_Excl",     "mlxt_Word_Entry_Sich",
    "mlxt_Word_Entry_Super", "mlxt_Word_Entry_Symb"};

constexpr std::size_t kMaxSelectorLength = 256;
// A sheet that never closes its rule must not grow without end.
constexpr std::size_t kMaxPendingRule = 65536;

// The language byte of phonetic transcription styles.
constexpr std::int8_t kPhoneticLanguage = 2;

bool isBlank(char16_t c)
{
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r';
}

std::u16string_view trimmed(std::u16string_view text)
{
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

std::u16string lowered(std::u16string_view text)
{
    std::u16string out(text);
    for (char16_t& c : out) {
        if (c >= u'A' && c <= u'Z')
            c = static_cast<char16_t>(c + (u'a' - u'A'));
    }
    return out;
}

bool equalsAscii(std::u16string_view text, std::string_view ascii)
{
    if (text.size() != ascii.size())
        return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != static_cast<char16_t>(ascii[i]))
            return false;
    }
    return true;
}

// "#rrggbb" (what export writes) or "#rgb".
std::optional<std::uint32_t> hexColour(std::u16string_view value)
{
    if (value.empty() || value[0] != u'#')
        return std::nullopt;
    value.remove_prefix(1);
    std::uint32_t rgb = 0;
    for (char16_t c : value) {
        const int digit = hexadecimalDigit(c);
        if (digit < 0)
            return std::nullopt;
        rgb = rgb << 4 | static_cast<std::uint32_t>(digit);
        if (value.size() == 3)
            rgb = rgb << 4 | static_cast<std::uint32_t>(digit);
    }
    if (value.size() != 6 && value.size() != 3)
        return std::nullopt;
    return rgb;
}

// 1 larger, 2 smaller, nothing for a size that stays.
std::optional<std::int8_t> fontSizeOf(std::u16string_view value)
{
    if (!value.empty() && ((value[0] >= u'0' && value[0] <= u'9') || value[0] == u'.')) {
        double number = 0;
        double scale = 0;
        for (char16_t c : value) {
            if (c == u'.' && scale == 0) {
                scale = 1;
            } else if (c >= u'0' && c <= u'9') {
                if (scale > 0) {
                    scale /= 10;
                    number += (c - u'0') * scale;
                } else if (number < 1e6) {
                    number = number * 10 + (c - u'0');
                }
            } else {
                break;
            }
        }
        if (number > 1)
            return 1;
        if (number < 1)
            return 2;
        return std::nullopt;
    }
    for (char16_t c : value) {
        if (c == u'l')
            return 1;
        if (c == u's')
            return 2;
    }
    return std::nullopt;
}

int leadingNumber(std::u16string_view value)
{
    int number = 0;
    for (char16_t c : value) {
        if (c < u'0' || c > u'9' || number > 100000)
            break;
        number = number * 10 + (c - u'0');
    }
    return number;
}

} // namespace

const char* headwordClassName(int k)
{
    return k >= 1 && k <= kHeadwordClassCount ? kHeadwordClasses[static_cast<std::size_t>(k - 1)] : nullptr;
}

int headwordClassOf(std::u16string_view name)
{
    for (int k = 1; k <= kHeadwordClassCount; ++k) {
        if (equalsAscii(name, headwordClassName(k)))
            return k;
    }
    return 0;
}

int headwordClassOf(const StyleRecord& style)
{
    const int k = static_cast<int>(style.color >> 24);
    return k <= kHeadwordClassCount ? k : 0;
}

void MlxRule::applyTo(StyleRecord& style) const
{
    if (color)
        style.color = *color;
    if (language)
        style.language = *language;
    if (bold)
        style.bold = *bold;
    if (italic)
        style.italic = *italic;
    if (underline)
        style.underline = *underline;
    if (fontSize)
        style.fontSize = *fontSize;
    if (level)
        style.level = *level;
}

void MlxClassMap::clear()
{
    m_rules.clear();
    m_pending.clear();
}

const MlxRule* MlxClassMap::find(std::u16string_view name) const
{
    const auto found = m_rules.find(name);
    return found == m_rules.end() ? nullptr : &found->second;
}

void MlxClassMap::feed(std::u16string_view css)
{
    m_pending.append(css);
    std::size_t at = 0;
    for (;;) {
        const std::size_t close = m_pending.find(u'}', at);
        if (close == std::u16string::npos)
            break;
        const std::u16string_view rule = std::u16string_view(m_pending).substr(at, close - at);
        const std::size_t open = rule.find(u'{');
        if (open != std::u16string_view::npos)
            parseRule(rule.substr(0, open), rule.substr(open + 1));
        at = close + 1;
    }
    m_pending.erase(0, at);
    if (m_pending.size() > kMaxPendingRule)
        m_pending.clear();
}

void MlxClassMap::parseRule(std::u16string_view selectorText, std::u16string_view declarations)
{
    // Comments between rules end up in front of the selector.
    const std::size_t commentEnd = selectorText.rfind(u"*/");
    if (commentEnd != std::u16string_view::npos)
        selectorText.remove_prefix(commentEnd + 2);
    std::u16string_view selector = trimmed(selectorText);
    std::size_t end = 0;
    while (end < selector.size() && !isBlank(selector[end]))
        ++end;
    selector = selector.substr(0, end < kMaxSelectorLength ? end : kMaxSelectorLength);
    if (!selector.empty() && selector[0] == u'.')
        selector.remove_prefix(1);
    if (selector.empty())
        return;

    MlxRule rule;
    if (selector.find(u"_Phon") != std::u16string_view::npos)
        rule.language = kPhoneticLanguage;
    while (!declarations.empty()) {
        std::size_t stop = declarations.find(u';');
        if (stop == std::u16string_view::npos)
            stop = declarations.size();
        const std::u16string_view declaration = declarations.substr(0, stop);
        declarations.remove_prefix(stop < declarations.size() ? stop + 1 : stop);
        const std::size_t colon = declaration.find(u':');
        if (colon == std::u16string_view::npos)
            continue;
        const std::u16string name = lowered(trimmed(declaration.substr(0, colon)));
        const std::u16string_view rawValue = trimmed(declaration.substr(colon + 1));
        const std::u16string value = lowered(rawValue);
        if (name == u"margin-left") {
            rule.margin = leadingNumber(value) / 10;
        } else if (name == u"font-size") {
            if (const auto size = fontSizeOf(value))
                rule.fontSize = *size;
        } else if (name == u"color") {
            if (const auto rgb = colourByName(value))
                rule.color = *rgb;
            else if (const auto hex = hexColour(value))
                rule.color = *hex;
        } else if (name == u"font-weight" || name == u"font-style") {
            if (value == u"bold")
                rule.bold = 1;
            else if (value == u"italic")
                rule.italic = 1;
        } else if (name == u"text-decoration") {
            if (value.find(u"underline") != std::u16string::npos)
                rule.underline = 1;
        } else if (name == u"vertical-align") {
            if (value == u"super")
                rule.level = 2;
            else if (value == u"sub")
                rule.level = 1;
        } else if (name == u"display") {
            rule.hidden = value == u"none";
        }
    }
    if (const int k = headwordClassOf(selector))
        rule.color = (rule.color.value_or(0) & kRgbMask) | static_cast<std::uint32_t>(k) << 24;
    m_rules[std::u16string(selector)] = rule;
}

std::u16string runClassName(const StyleRecord& style)
{
    std::u16string out;
    if (const char* name = headwordClassName(headwordClassOf(style))) {
        appendAscii(out, name);
    } else {
        appendAscii(out, "mlxt_VXN_");
        appendAscii(out, std::to_string(style.number));
    }
    return out;
}

std::u16string writeStyleSheet(const userdic::StyleList& styles)
{
    const std::vector<StyleRecord>& records = styles.records();
    // Two styles of one headword class would share one selector: only the
    // last is written, as runs of either are read back as that class.
    std::array<std::size_t, kHeadwordClassCount + 1> lastOfClass{};
    std::array<bool, kHeadwordClassCount + 1> carried{};
    for (std::size_t i = 0; i < records.size(); ++i) {
        const int k = headwordClassOf(records[i]);
        lastOfClass[static_cast<std::size_t>(k)] = i;
        carried[static_cast<std::size_t>(k)] = true;
    }

    std::u16string out;
    appendAscii(out, "<style>\r\n.mlxp_Hdr{ margin-left: 0;}\r\n");
    char line[128];
    for (int n = 0; n <= 9; ++n) {
        std::snprintf(line, sizeof line, ".mlxp_margin_%d{ margin-left: %d;}\r\n", n, n * 10);
        appendAscii(out, line);
    }
    for (std::size_t i = 0; i < records.size(); ++i) {
        const StyleRecord& style = records[i];
        const int k = headwordClassOf(style);
        if (k != 0 && lastOfClass[static_cast<std::size_t>(k)] != i)
            continue;
        out.push_back(u'.');
        out += runClassName(style);
        appendAscii(out, "{ ");
        if (style.bold)
            appendAscii(out, " font-weight: bold; ");
        const std::uint32_t rgb = style.color & kRgbMask;
        if (rgb != 0) {
            appendAscii(out, " color: ");
            if (const char* name = nameOfColour(rgb)) {
                out.push_back(u' ');
                appendAscii(out, name);
            } else {
                std::snprintf(line, sizeof line, " #%06x", static_cast<unsigned>(rgb));
                appendAscii(out, line);
            }
            appendAscii(out, " ; ");
        }
        if (style.italic)
            appendAscii(out, " font-style: italic; ");
        if (style.fontSize == 1)
            appendAscii(out, " font-size: larger; ");
        else if (style.fontSize == 2)
            appendAscii(out, " font-size: smaller; ");
        if (style.level == 1)
            appendAscii(out, " vertical-align: sub; ");
        else if (style.level == 2)
            appendAscii(out, " vertical-align: super; ");
        if (style.underline)
            appendAscii(out, " text-decoration: underline; ");
        appendAscii(out, "}\r\n");
    }
    for (int k = 1; k <= kHeadwordClassCount; ++k) {
        if (!carried[static_cast<std::size_t>(k)]) {
            out.push_back(u'.');
            appendAscii(out, headwordClassName(k));
            appendAscii(out, "{ font-weight: bold;}\r\n");
        }
    }
    appendAscii(out, "</style>\r\n");
    return out;
}

} // namespace lexvane::engine::exchange
