// built_in_sort_table.cpp: the data of the built-in collation.
//
// The table ignores case, accents, punctuation and digits and expands
// ligatures. Weights by class:
//   0          TAB, LF, space, ASCII punctuation and symbols, digits, « »,
//              the kana voicing and iteration marks, the prolonged sound mark
//   1 to 24    Greek alpha to omega
//   25 to 46   Hebrew alef to tav
//   47 to 81   Arabic and Persian letters, hamza last
//   82 to 120  Cyrillic а to я (39 letters, see the Cyrillic block)
//   121 to 168 kana in gojūon order (169 to 172 unused)
//   173 to 198 Latin a to z
// Characters outside the table are ignored. The entries are listed by code
// (the table is searched by bisection); each block says how it was derived.
// The weights are computed from the alphabets below at compile time, so a
// character that names no letter of its alphabet does not compile.
#include "collation/built_in_sort_table.h"

#include "collation/sort_table.h"

#include <array>
#include <string_view>

namespace lexvane::engine {

namespace {

using Character = SortTable::Character;
using Contraction = SortTable::Contraction;

constexpr std::uint16_t kIgnored = SortTable::kIgnored;

// The weight of `letter` in an alphabet whose first letter weighs `first`.
consteval std::uint16_t weightIn(std::u16string_view alphabet, std::uint16_t first, char16_t letter)
{
    const std::size_t index = alphabet.find(letter);
    if (index == std::u16string_view::npos)
        throw "not a letter of this alphabet";
    return static_cast<std::uint16_t>(first + index);
}

consteval std::uint16_t greek(char16_t letter)
{
    return weightIn(u"αβγδεζηθικλμνξοπρστυφχψω", 1, letter);
}

consteval std::uint16_t hebrew(char16_t letter)
{
    return weightIn(u"אבגדהוזחטיכלמנסעפצקרשת", 25, letter);
}

consteval std::uint16_t arabic(char16_t letter)
{
    return weightIn(u"ابپتثجچحخدذرزژسشصضطظعغفقكکگلمنوهيیء", 47, letter);
}

consteval std::uint16_t cyrillic(char16_t letter)
{
    return weightIn(u"абвгдеєжзиіїйјклљмнњопрстћуфхцчшщъыьэюя", 82, letter);
}

consteval std::uint16_t kana(char16_t letter)
{
    return weightIn(u"あいうえおかきくけこさしすせそたちつてとなにぬねのはひふへほまみむめもやゆよらりるれろわゐゑをん", 121,
                    letter);
}

consteval std::uint16_t latin(char16_t letter)
{
    return weightIn(u"abcdefghijklmnopqrstuvwxyz", 173, letter);
}

consteval std::uint16_t contraction(std::uint16_t index)
{
    return SortTable::kContractionFlag | index;
}

constexpr std::array<Character, 724> kCharacters{{
// Basic Latin. TAB, LF, space, every punctuation mark and symbol and the
// digits carry no weight; A to Z and a to z share the weights 173 to 198.
    {0x0009, kIgnored}, {0x000A, kIgnored}, {0x0020, kIgnored}, {0x0021, kIgnored},
    {0x0022, kIgnored}, {0x0023, kIgnored}, {0x0024, kIgnored}, {0x0025, kIgnored},
    {0x0026, kIgnored}, {0x0027, kIgnored}, {0x0028, kIgnored}, {0x0029, kIgnored},
    {0x002A, kIgnored}, {0x002B, kIgnored}, {0x002C, kIgnored}, {0x002D, kIgnored},
    {0x002E, kIgnored}, {0x002F, kIgnored}, {0x0030, kIgnored}, {0x0031, kIgnored},
    {0x0032, kIgnored}, {0x0033, kIgnored}, {0x0034, kIgnored}, {0x0035, kIgnored},
    {0x0036, kIgnored}, {0x0037, kIgnored}, {0x0038, kIgnored}, {0x0039, kIgnored},
    {0x003A, kIgnored}, {0x003B, kIgnored}, {0x003C, kIgnored}, {0x003D, kIgnored},
    {0x003E, kIgnored}, {0x003F, kIgnored}, {0x0040, kIgnored}, {u'A', latin(u'a')},
    {u'B', latin(u'b')}, {u'C', latin(u'c')}, {u'D', latin(u'd')}, {u'E', latin(u'e')},
    {u'F', latin(u'f')}, {u'G', latin(u'g')}, {u'H', latin(u'h')}, {u'I', latin(u'i')},
    {u'J', latin(u'j')}, {u'K', latin(u'k')}, {u'L', latin(u'l')}, {u'M', latin(u'm')},
    {u'N', latin(u'n')}, {u'O', latin(u'o')}, {u'P', latin(u'p')}, {u'Q', latin(u'q')},
    {u'R', latin(u'r')}, {u'S', latin(u's')}, {u'T', latin(u't')}, {u'U', latin(u'u')},
    {u'V', latin(u'v')}, {u'W', latin(u'w')}, {u'X', latin(u'x')}, {u'Y', latin(u'y')},
    {u'Z', latin(u'z')}, {0x005B, kIgnored}, {0x005C, kIgnored}, {0x005D, kIgnored},
    {0x005E, kIgnored}, {0x005F, kIgnored}, {0x0060, kIgnored}, {u'a', latin(u'a')},
    {u'b', latin(u'b')}, {u'c', latin(u'c')}, {u'd', latin(u'd')}, {u'e', latin(u'e')},
    {u'f', latin(u'f')}, {u'g', latin(u'g')}, {u'h', latin(u'h')}, {u'i', latin(u'i')},
    {u'j', latin(u'j')}, {u'k', latin(u'k')}, {u'l', latin(u'l')}, {u'm', latin(u'm')},
    {u'n', latin(u'n')}, {u'o', latin(u'o')}, {u'p', latin(u'p')}, {u'q', latin(u'q')},
    {u'r', latin(u'r')}, {u's', latin(u's')}, {u't', latin(u't')}, {u'u', latin(u'u')},
    {u'v', latin(u'v')}, {u'w', latin(u'w')}, {u'x', latin(u'x')}, {u'y', latin(u'y')},
    {u'z', latin(u'z')}, {0x007B, kIgnored}, {0x007C, kIgnored}, {0x007D, kIgnored},
    {0x007E, kIgnored},
// Latin-1 Supplement. « and » are ignored. Every letter whose canonical
// decomposition is a Latin base letter and accents takes that letter's weight;
// Ø and ø take o's. Æ, æ and ß expand (a e, a e, s s). Ð, ð, Þ, þ, × and ÷
// belong to no class of the table and stay out of it.
    {0x00AB, kIgnored}, {0x00BB, kIgnored}, {u'À', latin(u'a')}, {u'Á', latin(u'a')},
    {u'Â', latin(u'a')}, {u'Ã', latin(u'a')}, {u'Ä', latin(u'a')}, {u'Å', latin(u'a')},
    {u'Æ', contraction(0)}, {u'Ç', latin(u'c')}, {u'È', latin(u'e')}, {u'É', latin(u'e')},
    {u'Ê', latin(u'e')}, {u'Ë', latin(u'e')}, {u'Ì', latin(u'i')}, {u'Í', latin(u'i')},
    {u'Î', latin(u'i')}, {u'Ï', latin(u'i')}, {u'Ñ', latin(u'n')}, {u'Ò', latin(u'o')},
    {u'Ó', latin(u'o')}, {u'Ô', latin(u'o')}, {u'Õ', latin(u'o')}, {u'Ö', latin(u'o')},
    {u'Ø', latin(u'o')}, {u'Ù', latin(u'u')}, {u'Ú', latin(u'u')}, {u'Û', latin(u'u')},
    {u'Ü', latin(u'u')}, {u'Ý', latin(u'y')}, {u'ß', contraction(1)}, {u'à', latin(u'a')},
    {u'á', latin(u'a')}, {u'â', latin(u'a')}, {u'ã', latin(u'a')}, {u'ä', latin(u'a')},
    {u'å', latin(u'a')}, {u'æ', contraction(2)}, {u'ç', latin(u'c')}, {u'è', latin(u'e')},
    {u'é', latin(u'e')}, {u'ê', latin(u'e')}, {u'ë', latin(u'e')}, {u'ì', latin(u'i')},
    {u'í', latin(u'i')}, {u'î', latin(u'i')}, {u'ï', latin(u'i')}, {u'ñ', latin(u'n')},
    {u'ò', latin(u'o')}, {u'ó', latin(u'o')}, {u'ô', latin(u'o')}, {u'õ', latin(u'o')},
    {u'ö', latin(u'o')}, {u'ø', latin(u'o')}, {u'ù', latin(u'u')}, {u'ú', latin(u'u')},
    {u'û', latin(u'u')}, {u'ü', latin(u'u')}, {u'ý', latin(u'y')}, {u'ÿ', latin(u'y')},
// Latin Extended-A: the letters that decompose into a base letter and
// accents (İ among them), ı with i, Ł and ł with l; Ĳ, ĳ, Œ and œ expand.
// Đ, Ħ, Ŀ, Ŧ, ĸ, ŉ, Ŋ and ſ decompose into no base letter and stay out.
    {u'Ā', latin(u'a')}, {u'ā', latin(u'a')}, {u'Ă', latin(u'a')}, {u'ă', latin(u'a')},
    {u'Ą', latin(u'a')}, {u'ą', latin(u'a')}, {u'Ć', latin(u'c')}, {u'ć', latin(u'c')},
    {u'Ĉ', latin(u'c')}, {u'ĉ', latin(u'c')}, {u'Ċ', latin(u'c')}, {u'ċ', latin(u'c')},
    {u'Č', latin(u'c')}, {u'č', latin(u'c')}, {u'Ď', latin(u'd')}, {u'ď', latin(u'd')},
    {u'Ē', latin(u'e')}, {u'ē', latin(u'e')}, {u'Ĕ', latin(u'e')}, {u'ĕ', latin(u'e')},
    {u'Ė', latin(u'e')}, {u'ė', latin(u'e')}, {u'Ę', latin(u'e')}, {u'ę', latin(u'e')},
    {u'Ě', latin(u'e')}, {u'ě', latin(u'e')}, {u'Ĝ', latin(u'g')}, {u'ĝ', latin(u'g')},
    {u'Ğ', latin(u'g')}, {u'ğ', latin(u'g')}, {u'Ġ', latin(u'g')}, {u'ġ', latin(u'g')},
    {u'Ģ', latin(u'g')}, {u'ģ', latin(u'g')}, {u'Ĥ', latin(u'h')}, {u'ĥ', latin(u'h')},
    {u'Ĩ', latin(u'i')}, {u'ĩ', latin(u'i')}, {u'Ī', latin(u'i')}, {u'ī', latin(u'i')},
    {u'Ĭ', latin(u'i')}, {u'ĭ', latin(u'i')}, {u'Į', latin(u'i')}, {u'į', latin(u'i')},
    {u'İ', latin(u'i')}, {u'ı', latin(u'i')}, {u'Ĳ', contraction(3)}, {u'ĳ', contraction(4)},
    {u'Ĵ', latin(u'j')}, {u'ĵ', latin(u'j')}, {u'Ķ', latin(u'k')}, {u'ķ', latin(u'k')},
    {u'Ĺ', latin(u'l')}, {u'ĺ', latin(u'l')}, {u'Ļ', latin(u'l')}, {u'ļ', latin(u'l')},
    {u'Ľ', latin(u'l')}, {u'ľ', latin(u'l')}, {u'Ł', latin(u'l')}, {u'ł', latin(u'l')},
    {u'Ń', latin(u'n')}, {u'ń', latin(u'n')}, {u'Ņ', latin(u'n')}, {u'ņ', latin(u'n')},
    {u'Ň', latin(u'n')}, {u'ň', latin(u'n')}, {u'Ō', latin(u'o')}, {u'ō', latin(u'o')},
    {u'Ŏ', latin(u'o')}, {u'ŏ', latin(u'o')}, {u'Ő', latin(u'o')}, {u'ő', latin(u'o')},
    {u'Œ', contraction(5)}, {u'œ', contraction(6)}, {u'Ŕ', latin(u'r')}, {u'ŕ', latin(u'r')},
    {u'Ŗ', latin(u'r')}, {u'ŗ', latin(u'r')}, {u'Ř', latin(u'r')}, {u'ř', latin(u'r')},
    {u'Ś', latin(u's')}, {u'ś', latin(u's')}, {u'Ŝ', latin(u's')}, {u'ŝ', latin(u's')},
    {u'Ş', latin(u's')}, {u'ş', latin(u's')}, {u'Š', latin(u's')}, {u'š', latin(u's')},
    {u'Ţ', latin(u't')}, {u'ţ', latin(u't')}, {u'Ť', latin(u't')}, {u'ť', latin(u't')},
    {u'Ũ', latin(u'u')}, {u'ũ', latin(u'u')}, {u'Ū', latin(u'u')}, {u'ū', latin(u'u')},
    {u'Ŭ', latin(u'u')}, {u'ŭ', latin(u'u')}, {u'Ů', latin(u'u')}, {u'ů', latin(u'u')},
    {u'Ű', latin(u'u')}, {u'ű', latin(u'u')}, {u'Ų', latin(u'u')}, {u'ų', latin(u'u')},
    {u'Ŵ', latin(u'w')}, {u'ŵ', latin(u'w')}, {u'Ŷ', latin(u'y')}, {u'ŷ', latin(u'y')},
    {u'Ÿ', latin(u'y')}, {u'Ź', latin(u'z')}, {u'ź', latin(u'z')}, {u'Ż', latin(u'z')},
    {u'ż', latin(u'z')}, {u'Ž', latin(u'z')}, {u'ž', latin(u'z')},
// Latin Extended-B up to U+01FF: ƒ with f, the decomposable letters
// (Vietnamese horned vowels, the pinyin vowels with caron, Ǻ and the like);
// Ǆ, ǅ and ǆ expand to d z, Ǽ and ǽ to a e.
    {u'ƒ', latin(u'f')}, {u'Ơ', latin(u'o')}, {u'ơ', latin(u'o')}, {u'Ư', latin(u'u')},
    {u'ư', latin(u'u')}, {u'Ǆ', contraction(7)}, {u'ǅ', contraction(8)}, {u'ǆ', contraction(9)},
    {u'Ǎ', latin(u'a')}, {u'ǎ', latin(u'a')}, {u'Ǐ', latin(u'i')}, {u'ǐ', latin(u'i')},
    {u'Ǒ', latin(u'o')}, {u'ǒ', latin(u'o')}, {u'Ǔ', latin(u'u')}, {u'ǔ', latin(u'u')},
    {u'Ǖ', latin(u'u')}, {u'ǖ', latin(u'u')}, {u'Ǘ', latin(u'u')}, {u'ǘ', latin(u'u')},
    {u'Ǚ', latin(u'u')}, {u'ǚ', latin(u'u')}, {u'Ǜ', latin(u'u')}, {u'ǜ', latin(u'u')},
    {u'Ǟ', latin(u'a')}, {u'ǟ', latin(u'a')}, {u'Ǡ', latin(u'a')}, {u'ǡ', latin(u'a')},
    {u'Ǧ', latin(u'g')}, {u'ǧ', latin(u'g')}, {u'Ǩ', latin(u'k')}, {u'ǩ', latin(u'k')},
    {u'Ǫ', latin(u'o')}, {u'ǫ', latin(u'o')}, {u'Ǭ', latin(u'o')}, {u'ǭ', latin(u'o')},
    {u'ǰ', latin(u'j')}, {u'Ǵ', latin(u'g')}, {u'ǵ', latin(u'g')}, {u'Ǹ', latin(u'n')},
    {u'ǹ', latin(u'n')}, {u'Ǻ', latin(u'a')}, {u'ǻ', latin(u'a')}, {u'Ǽ', contraction(10)},
    {u'ǽ', contraction(11)},
// Greek (monotonic): alpha to omega take 1 to 24; capitals, tonos and
// dialytika forms share their base letter's weight, final sigma sigma's.
    {u'Ά', greek(u'α')}, {u'Έ', greek(u'ε')}, {u'Ή', greek(u'η')}, {u'Ί', greek(u'ι')},
    {u'Ό', greek(u'ο')}, {u'Ύ', greek(u'υ')}, {u'Ώ', greek(u'ω')}, {u'ΐ', greek(u'ι')},
    {u'Α', greek(u'α')}, {u'Β', greek(u'β')}, {u'Γ', greek(u'γ')}, {u'Δ', greek(u'δ')},
    {u'Ε', greek(u'ε')}, {u'Ζ', greek(u'ζ')}, {u'Η', greek(u'η')}, {u'Θ', greek(u'θ')},
    {u'Ι', greek(u'ι')}, {u'Κ', greek(u'κ')}, {u'Λ', greek(u'λ')}, {u'Μ', greek(u'μ')},
    {u'Ν', greek(u'ν')}, {u'Ξ', greek(u'ξ')}, {u'Ο', greek(u'ο')}, {u'Π', greek(u'π')},
    {u'Ρ', greek(u'ρ')}, {u'Σ', greek(u'σ')}, {u'Τ', greek(u'τ')}, {u'Υ', greek(u'υ')},
    {u'Φ', greek(u'φ')}, {u'Χ', greek(u'χ')}, {u'Ψ', greek(u'ψ')}, {u'Ω', greek(u'ω')},
    {u'Ϊ', greek(u'ι')}, {u'Ϋ', greek(u'υ')}, {u'ά', greek(u'α')}, {u'έ', greek(u'ε')},
    {u'ή', greek(u'η')}, {u'ί', greek(u'ι')}, {u'ΰ', greek(u'υ')}, {u'α', greek(u'α')},
    {u'β', greek(u'β')}, {u'γ', greek(u'γ')}, {u'δ', greek(u'δ')}, {u'ε', greek(u'ε')},
    {u'ζ', greek(u'ζ')}, {u'η', greek(u'η')}, {u'θ', greek(u'θ')}, {u'ι', greek(u'ι')},
    {u'κ', greek(u'κ')}, {u'λ', greek(u'λ')}, {u'μ', greek(u'μ')}, {u'ν', greek(u'ν')},
    {u'ξ', greek(u'ξ')}, {u'ο', greek(u'ο')}, {u'π', greek(u'π')}, {u'ρ', greek(u'ρ')},
    {u'ς', greek(u'σ')}, {u'σ', greek(u'σ')}, {u'τ', greek(u'τ')}, {u'υ', greek(u'υ')},
    {u'φ', greek(u'φ')}, {u'χ', greek(u'χ')}, {u'ψ', greek(u'ψ')}, {u'ω', greek(u'ω')},
    {u'ϊ', greek(u'ι')}, {u'ϋ', greek(u'υ')}, {u'ό', greek(u'ο')}, {u'ύ', greek(u'υ')},
    {u'ώ', greek(u'ω')},
// Cyrillic: 39 letters from а (82) to я (120) in the order
// а б в г д е є ж з и і ї й ј к л љ м н њ о п р с т ћ у ф х ц ч ш щ ъ ы ь э ю я,
// capitals with their small letter, ґ with г, ё with е, ў with у.
    {u'Ё', cyrillic(u'е')}, {u'Є', cyrillic(u'є')}, {u'І', cyrillic(u'і')}, {u'Ї', cyrillic(u'ї')},
    {u'Ј', cyrillic(u'ј')}, {u'Љ', cyrillic(u'љ')}, {u'Њ', cyrillic(u'њ')}, {u'Ћ', cyrillic(u'ћ')},
    {u'Ў', cyrillic(u'у')}, {u'А', cyrillic(u'а')}, {u'Б', cyrillic(u'б')}, {u'В', cyrillic(u'в')},
    {u'Г', cyrillic(u'г')}, {u'Д', cyrillic(u'д')}, {u'Е', cyrillic(u'е')}, {u'Ж', cyrillic(u'ж')},
    {u'З', cyrillic(u'з')}, {u'И', cyrillic(u'и')}, {u'Й', cyrillic(u'й')}, {u'К', cyrillic(u'к')},
    {u'Л', cyrillic(u'л')}, {u'М', cyrillic(u'м')}, {u'Н', cyrillic(u'н')}, {u'О', cyrillic(u'о')},
    {u'П', cyrillic(u'п')}, {u'Р', cyrillic(u'р')}, {u'С', cyrillic(u'с')}, {u'Т', cyrillic(u'т')},
    {u'У', cyrillic(u'у')}, {u'Ф', cyrillic(u'ф')}, {u'Х', cyrillic(u'х')}, {u'Ц', cyrillic(u'ц')},
    {u'Ч', cyrillic(u'ч')}, {u'Ш', cyrillic(u'ш')}, {u'Щ', cyrillic(u'щ')}, {u'Ъ', cyrillic(u'ъ')},
    {u'Ы', cyrillic(u'ы')}, {u'Ь', cyrillic(u'ь')}, {u'Э', cyrillic(u'э')}, {u'Ю', cyrillic(u'ю')},
    {u'Я', cyrillic(u'я')}, {u'а', cyrillic(u'а')}, {u'б', cyrillic(u'б')}, {u'в', cyrillic(u'в')},
    {u'г', cyrillic(u'г')}, {u'д', cyrillic(u'д')}, {u'е', cyrillic(u'е')}, {u'ж', cyrillic(u'ж')},
    {u'з', cyrillic(u'з')}, {u'и', cyrillic(u'и')}, {u'й', cyrillic(u'й')}, {u'к', cyrillic(u'к')},
    {u'л', cyrillic(u'л')}, {u'м', cyrillic(u'м')}, {u'н', cyrillic(u'н')}, {u'о', cyrillic(u'о')},
    {u'п', cyrillic(u'п')}, {u'р', cyrillic(u'р')}, {u'с', cyrillic(u'с')}, {u'т', cyrillic(u'т')},
    {u'у', cyrillic(u'у')}, {u'ф', cyrillic(u'ф')}, {u'х', cyrillic(u'х')}, {u'ц', cyrillic(u'ц')},
    {u'ч', cyrillic(u'ч')}, {u'ш', cyrillic(u'ш')}, {u'щ', cyrillic(u'щ')}, {u'ъ', cyrillic(u'ъ')},
    {u'ы', cyrillic(u'ы')}, {u'ь', cyrillic(u'ь')}, {u'э', cyrillic(u'э')}, {u'ю', cyrillic(u'ю')},
    {u'я', cyrillic(u'я')}, {u'ё', cyrillic(u'е')}, {u'є', cyrillic(u'є')}, {u'і', cyrillic(u'і')},
    {u'ї', cyrillic(u'ї')}, {u'ј', cyrillic(u'ј')}, {u'љ', cyrillic(u'љ')}, {u'њ', cyrillic(u'њ')},
    {u'ћ', cyrillic(u'ћ')}, {u'ў', cyrillic(u'у')}, {u'Ґ', cyrillic(u'г')}, {u'ґ', cyrillic(u'г')},
// Hebrew: alef to tav take 25 to 46; the five final forms share the
// weight of their base letter.
    {u'א', hebrew(u'א')}, {u'ב', hebrew(u'ב')}, {u'ג', hebrew(u'ג')}, {u'ד', hebrew(u'ד')},
    {u'ה', hebrew(u'ה')}, {u'ו', hebrew(u'ו')}, {u'ז', hebrew(u'ז')}, {u'ח', hebrew(u'ח')},
    {u'ט', hebrew(u'ט')}, {u'י', hebrew(u'י')}, {u'ך', hebrew(u'כ')}, {u'כ', hebrew(u'כ')},
    {u'ל', hebrew(u'ל')}, {u'ם', hebrew(u'מ')}, {u'מ', hebrew(u'מ')}, {u'ן', hebrew(u'נ')},
    {u'נ', hebrew(u'נ')}, {u'ס', hebrew(u'ס')}, {u'ע', hebrew(u'ע')}, {u'ף', hebrew(u'פ')},
    {u'פ', hebrew(u'פ')}, {u'ץ', hebrew(u'צ')}, {u'צ', hebrew(u'צ')}, {u'ק', hebrew(u'ק')},
    {u'ר', hebrew(u'ר')}, {u'ש', hebrew(u'ש')}, {u'ת', hebrew(u'ת')},
// Arabic and Persian: the union of both alphabets in Persian order takes
// 47 to 80, with kaf and keheh, yeh and Farsi yeh as separate letters;
// alef with hamza or madda shares alef's weight, heh goal heh's, yeh barree
// Farsi yeh's; the lone hamza comes last (81).
    {u'ء', arabic(u'ء')}, {u'آ', arabic(u'ا')}, {u'أ', arabic(u'ا')}, {u'إ', arabic(u'ا')},
    {u'ا', arabic(u'ا')}, {u'ب', arabic(u'ب')}, {u'ت', arabic(u'ت')}, {u'ث', arabic(u'ث')},
    {u'ج', arabic(u'ج')}, {u'ح', arabic(u'ح')}, {u'خ', arabic(u'خ')}, {u'د', arabic(u'د')},
    {u'ذ', arabic(u'ذ')}, {u'ر', arabic(u'ر')}, {u'ز', arabic(u'ز')}, {u'س', arabic(u'س')},
    {u'ش', arabic(u'ش')}, {u'ص', arabic(u'ص')}, {u'ض', arabic(u'ض')}, {u'ط', arabic(u'ط')},
    {u'ظ', arabic(u'ظ')}, {u'ع', arabic(u'ع')}, {u'غ', arabic(u'غ')}, {u'ف', arabic(u'ف')},
    {u'ق', arabic(u'ق')}, {u'ك', arabic(u'ك')}, {u'ل', arabic(u'ل')}, {u'م', arabic(u'م')},
    {u'ن', arabic(u'ن')}, {u'ه', arabic(u'ه')}, {u'و', arabic(u'و')}, {u'ي', arabic(u'ي')},
    {u'پ', arabic(u'پ')}, {u'چ', arabic(u'چ')}, {u'ژ', arabic(u'ژ')}, {u'ک', arabic(u'ک')},
    {u'گ', arabic(u'گ')}, {u'ہ', arabic(u'ه')}, {u'ی', arabic(u'ی')}, {u'ے', arabic(u'ی')},
// Hiragana: the 48 kana of the gojūon table (with ゐ and ゑ) take 121 to
// 168 in table order; small and voiced forms share their base kana's weight.
// The voicing marks and the iteration marks carry no weight. Weights 169 to
// 172 stay unused, so that the Latin letters keep 173 to 198.
    {u'ぁ', kana(u'あ')}, {u'あ', kana(u'あ')}, {u'ぃ', kana(u'い')}, {u'い', kana(u'い')},
    {u'ぅ', kana(u'う')}, {u'う', kana(u'う')}, {u'ぇ', kana(u'え')}, {u'え', kana(u'え')},
    {u'ぉ', kana(u'お')}, {u'お', kana(u'お')}, {u'か', kana(u'か')}, {u'が', kana(u'か')},
    {u'き', kana(u'き')}, {u'ぎ', kana(u'き')}, {u'く', kana(u'く')}, {u'ぐ', kana(u'く')},
    {u'け', kana(u'け')}, {u'げ', kana(u'け')}, {u'こ', kana(u'こ')}, {u'ご', kana(u'こ')},
    {u'さ', kana(u'さ')}, {u'ざ', kana(u'さ')}, {u'し', kana(u'し')}, {u'じ', kana(u'し')},
    {u'す', kana(u'す')}, {u'ず', kana(u'す')}, {u'せ', kana(u'せ')}, {u'ぜ', kana(u'せ')},
    {u'そ', kana(u'そ')}, {u'ぞ', kana(u'そ')}, {u'た', kana(u'た')}, {u'だ', kana(u'た')},
    {u'ち', kana(u'ち')}, {u'ぢ', kana(u'ち')}, {u'っ', kana(u'つ')}, {u'つ', kana(u'つ')},
    {u'づ', kana(u'つ')}, {u'て', kana(u'て')}, {u'で', kana(u'て')}, {u'と', kana(u'と')},
    {u'ど', kana(u'と')}, {u'な', kana(u'な')}, {u'に', kana(u'に')}, {u'ぬ', kana(u'ぬ')},
    {u'ね', kana(u'ね')}, {u'の', kana(u'の')}, {u'は', kana(u'は')}, {u'ば', kana(u'は')},
    {u'ぱ', kana(u'は')}, {u'ひ', kana(u'ひ')}, {u'び', kana(u'ひ')}, {u'ぴ', kana(u'ひ')},
    {u'ふ', kana(u'ふ')}, {u'ぶ', kana(u'ふ')}, {u'ぷ', kana(u'ふ')}, {u'へ', kana(u'へ')},
    {u'べ', kana(u'へ')}, {u'ぺ', kana(u'へ')}, {u'ほ', kana(u'ほ')}, {u'ぼ', kana(u'ほ')},
    {u'ぽ', kana(u'ほ')}, {u'ま', kana(u'ま')}, {u'み', kana(u'み')}, {u'む', kana(u'む')},
    {u'め', kana(u'め')}, {u'も', kana(u'も')}, {u'ゃ', kana(u'や')}, {u'や', kana(u'や')},
    {u'ゅ', kana(u'ゆ')}, {u'ゆ', kana(u'ゆ')}, {u'ょ', kana(u'よ')}, {u'よ', kana(u'よ')},
    {u'ら', kana(u'ら')}, {u'り', kana(u'り')}, {u'る', kana(u'る')}, {u'れ', kana(u'れ')},
    {u'ろ', kana(u'ろ')}, {u'ゎ', kana(u'わ')}, {u'わ', kana(u'わ')}, {u'ゐ', kana(u'ゐ')},
    {u'ゑ', kana(u'ゑ')}, {u'を', kana(u'を')}, {u'ん', kana(u'ん')}, {u'ゔ', kana(u'う')},
    {u'ゕ', kana(u'か')}, {u'ゖ', kana(u'け')}, {0x3099, kIgnored}, {0x309A, kIgnored},
    {0x309B, kIgnored}, {0x309C, kIgnored}, {u'ゝ', kIgnored}, {u'ゞ', kIgnored},
// Katakana: as hiragana, each with the weight of its hiragana partner
// (ヷ to ヺ with わ ゐ ゑ を); the prolonged sound mark and the iteration marks
// carry no weight.
    {u'ァ', kana(u'あ')}, {u'ア', kana(u'あ')}, {u'ィ', kana(u'い')}, {u'イ', kana(u'い')},
    {u'ゥ', kana(u'う')}, {u'ウ', kana(u'う')}, {u'ェ', kana(u'え')}, {u'エ', kana(u'え')},
    {u'ォ', kana(u'お')}, {u'オ', kana(u'お')}, {u'カ', kana(u'か')}, {u'ガ', kana(u'か')},
    {u'キ', kana(u'き')}, {u'ギ', kana(u'き')}, {u'ク', kana(u'く')}, {u'グ', kana(u'く')},
    {u'ケ', kana(u'け')}, {u'ゲ', kana(u'け')}, {u'コ', kana(u'こ')}, {u'ゴ', kana(u'こ')},
    {u'サ', kana(u'さ')}, {u'ザ', kana(u'さ')}, {u'シ', kana(u'し')}, {u'ジ', kana(u'し')},
    {u'ス', kana(u'す')}, {u'ズ', kana(u'す')}, {u'セ', kana(u'せ')}, {u'ゼ', kana(u'せ')},
    {u'ソ', kana(u'そ')}, {u'ゾ', kana(u'そ')}, {u'タ', kana(u'た')}, {u'ダ', kana(u'た')},
    {u'チ', kana(u'ち')}, {u'ヂ', kana(u'ち')}, {u'ッ', kana(u'つ')}, {u'ツ', kana(u'つ')},
    {u'ヅ', kana(u'つ')}, {u'テ', kana(u'て')}, {u'デ', kana(u'て')}, {u'ト', kana(u'と')},
    {u'ド', kana(u'と')}, {u'ナ', kana(u'な')}, {u'ニ', kana(u'に')}, {u'ヌ', kana(u'ぬ')},
    {u'ネ', kana(u'ね')}, {u'ノ', kana(u'の')}, {u'ハ', kana(u'は')}, {u'バ', kana(u'は')},
    {u'パ', kana(u'は')}, {u'ヒ', kana(u'ひ')}, {u'ビ', kana(u'ひ')}, {u'ピ', kana(u'ひ')},
    {u'フ', kana(u'ふ')}, {u'ブ', kana(u'ふ')}, {u'プ', kana(u'ふ')}, {u'ヘ', kana(u'へ')},
    {u'ベ', kana(u'へ')}, {u'ペ', kana(u'へ')}, {u'ホ', kana(u'ほ')}, {u'ボ', kana(u'ほ')},
    {u'ポ', kana(u'ほ')}, {u'マ', kana(u'ま')}, {u'ミ', kana(u'み')}, {u'ム', kana(u'む')},
    {u'メ', kana(u'め')}, {u'モ', kana(u'も')}, {u'ャ', kana(u'や')}, {u'ヤ', kana(u'や')},
    {u'ュ', kana(u'ゆ')}, {u'ユ', kana(u'ゆ')}, {u'ョ', kana(u'よ')}, {u'ヨ', kana(u'よ')},
    {u'ラ', kana(u'ら')}, {u'リ', kana(u'り')}, {u'ル', kana(u'る')}, {u'レ', kana(u'れ')},
    {u'ロ', kana(u'ろ')}, {u'ヮ', kana(u'わ')}, {u'ワ', kana(u'わ')}, {u'ヰ', kana(u'ゐ')},
    {u'ヱ', kana(u'ゑ')}, {u'ヲ', kana(u'を')}, {u'ン', kana(u'ん')}, {u'ヴ', kana(u'う')},
    {u'ヵ', kana(u'か')}, {u'ヶ', kana(u'け')}, {u'ヷ', kana(u'わ')}, {u'ヸ', kana(u'ゐ')},
    {u'ヹ', kana(u'ゑ')}, {u'ヺ', kana(u'を')}, {u'ー', kIgnored}, {u'ヽ', kIgnored}, {u'ヾ', kIgnored},
// Alphabetic presentation forms: the ligatures ﬁ and ﬂ expand to f i and
// f l.
    {u'ﬁ', contraction(12)}, {u'ﬂ', contraction(13)},
}};

// One entry per expanding character, sorted by character; the indexes above
// point here. The last entry is empty.
constexpr std::array<Contraction, 15> kContractions{{
    {{u'Æ'}, {latin(u'a'), latin(u'e')}},   // 0
    {{u'ß'}, {latin(u's'), latin(u's')}},   // 1
    {{u'æ'}, {latin(u'a'), latin(u'e')}},   // 2
    {{u'Ĳ'}, {latin(u'i'), latin(u'j')}},   // 3
    {{u'ĳ'}, {latin(u'i'), latin(u'j')}},   // 4
    {{u'Œ'}, {latin(u'o'), latin(u'e')}},   // 5
    {{u'œ'}, {latin(u'o'), latin(u'e')}},   // 6
    {{u'Ǆ'}, {latin(u'd'), latin(u'z')}},   // 7
    {{u'ǅ'}, {latin(u'd'), latin(u'z')}},   // 8
    {{u'ǆ'}, {latin(u'd'), latin(u'z')}},   // 9
    {{u'Ǽ'}, {latin(u'a'), latin(u'e')}},   // 10
    {{u'ǽ'}, {latin(u'a'), latin(u'e')}},   // 11
    {{u'ﬁ'}, {latin(u'f'), latin(u'i')}},   // 12
    {{u'ﬂ'}, {latin(u'f'), latin(u'l')}},   // 13
    {{}, {}},                               // 14
}};

consteval bool sortedByCode()
{
    for (std::size_t i = 1; i < kCharacters.size(); ++i)
        if (kCharacters[i - 1].code >= kCharacters[i].code)
            return false;
    return true;
}
static_assert(sortedByCode(), "the table is searched by bisection");

consteval bool contractionsPointHome()
{
    for (const Character& entry : kCharacters) {
        if (entry.weight & SortTable::kContractionFlag) {
            const std::size_t index = entry.weight & ~SortTable::kContractionFlag;
            if (index >= kContractions.size() || kContractions[index].characters[0] != entry.code)
                return false;
        }
    }
    return true;
}
static_assert(contractionsPointHome(), "every contraction start names its own entry");

} // namespace

const SortTable& builtInSortTable()
{
    static const SortTable table(SortTable::Lookup::Bisection, 0,
                                 std::vector<Character>(kCharacters.begin(), kCharacters.end()),
                                 std::vector<Contraction>(kContractions.begin(), kContractions.end()));
    return table;
}

} // namespace lexvane::engine
