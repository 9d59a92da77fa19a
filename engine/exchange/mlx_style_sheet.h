// mlx_style_sheet.h: the CSS of MLX files: the classes that a style
// sheet defines on import, and the style sheet written on export.
//
// Only the few declarations that a StyleRecord can hold are understood
// (docs/formats/mlx.md, "Style sheet"); anything else in a rule is
// skipped. The parser takes the sheet's text in pieces as the lines come
// and keeps an unfinished rule until its '}' arrives.
//
// Invariants: a rule changes only the fields it declares; a headword class
// is the colour's top byte 1 to 10 and never touches the RGB bits.
#pragma once

#include "lexvane_engine.h"
#include "userdic/style_list.h"

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace lexvane::engine::exchange {

inline constexpr int kHeadwordClassCount = 10;
inline constexpr std::uint32_t kRgbMask = 0x00FFFFFF;

// The class name of headword class k (1 to 10), else null.
const char* headwordClassName(int k);
// The headword class that `name` names exactly, else 0.
int headwordClassOf(std::u16string_view name);
// The headword class a style carries: the colour's top byte when it is 1
// to 10, else 0.
int headwordClassOf(const StyleRecord& style);

// What one CSS rule does to a style.
struct MlxRule {
    std::optional<std::uint32_t> color;
    std::optional<std::int8_t> language;
    std::optional<std::int8_t> bold;
    std::optional<std::int8_t> italic;
    std::optional<std::int8_t> underline;
    std::optional<std::int8_t> fontSize;
    std::optional<std::int8_t> level;
    int margin = 0;
    bool hidden = false;

    void applyTo(StyleRecord& style) const;
};

// The rules of a style sheet by class name (without the leading '.').
class MlxClassMap {
public:
    // Takes the next piece of style-sheet text; every rule completed by it
    // enters the map (a later rule for the same name replaces the earlier).
    void feed(std::u16string_view css);
    const MlxRule* find(std::u16string_view name) const;
    void clear();

private:
    void parseRule(std::u16string_view selector, std::u16string_view declarations);

    std::map<std::u16string, MlxRule, std::less<>> m_rules;
    // Text of a rule whose '}' has not arrived yet.
    std::u16string m_pending;
};

// The style sheet for a dictionary's styles, "<style>" to "</style>".
std::u16string writeStyleSheet(const userdic::StyleList& styles);

// The class a run of `style` is written with: the headword class name, or
// "mlxt_VXN_" and the style's number.
std::u16string runClassName(const StyleRecord& style);

} // namespace lexvane::engine::exchange
