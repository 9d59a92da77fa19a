// language_names.cpp: the table of language names.
#include "output/language_names.h"

#include "lexvane_engine.h"

#include <cstring>

namespace lexvane::engine {

namespace {

struct Language {
    char code[5];
    const char* name;
};

constexpr Language kLanguages[] = {
    {"arab", "Arabic"},    {"arme", "Armenian"},   {"bulg", "Bulgarian"},  {"cast", "Casteliano"},
    {"ctln", "Catalan"},   {"ctnn", "Catalonian"}, {"croa", "Croatian"},   {"czec", "Czech"},
    {"dani", "Danish"},    {"dutc", "Dutch"},      {"engl", "English"},    {"esto", "Estonian"},
    {"finn", "Finnish"},   {"norw", "Norwegian"},  {"fren", "French"},     {"geno", "Genoese"},
    {"germ", "German"},    {"gree", "Greek"},      {"hebr", "Hebrew"},     {"hung", "Hungarian"},
    {"icel", "Icelandic"}, {"inte", "Interlingua"}, {"ital", "Italian"},   {"japa", "Japanese"},
    {"lati", "Latin"},     {"latv", "Latvian"},    {"lith", "Lithuanian"}, {"poli", "Polish"},
    {"port", "Portuguese"}, {"roma", "Romanian"},  {"russ", "Russian"},    {"serb", "Serbian"},
    {"slvk", "Slovak"},    {"slvn", "Slovenian"},  {"span", "Spanish"},    {"swed", "Swedish"},
    {"turk", "Turkish"},   {"ukra", "Ukrainian"},  {"vene", "Venetian"},
};

std::int32_t pack(const char* code)
{
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(static_cast<unsigned char>(code[0])) |
                                     static_cast<std::uint32_t>(static_cast<unsigned char>(code[1])) << 8 |
                                     static_cast<std::uint32_t>(static_cast<unsigned char>(code[2])) << 16 |
                                     static_cast<std::uint32_t>(static_cast<unsigned char>(code[3])) << 24);
}

} // namespace

const char* englishLanguageName(std::int32_t code)
{
    if (code == 0)
        return "English";
    for (const Language& language : kLanguages)
        if (pack(language.code) == code)
            return language.name;
    return nullptr;
}

int languageName(std::int32_t code, int n, char16_t* buffer, int size)
{
    if (!buffer)
        return LV_NULL_ARGUMENT;
    // A size of 0 gives no room at all, not unlimited room.
    if (size <= 0 || n < 0)
        return LV_BUFFER_TOO_SMALL;
    const char* name = englishLanguageName(code);
    if (!name) {
        buffer[0] = 0;
        return LV_UNKNOWN_LANGUAGE;
    }
    const int length = static_cast<int>(std::strlen(name));
    const int wanted = n == 0 || n > length ? length : n;
    if (n >= size || wanted >= size) {
        buffer[0] = 0;
        return LV_BUFFER_TOO_SMALL;
    }
    for (int i = 0; i < wanted; ++i)
        buffer[i] = static_cast<char16_t>(name[i]);
    buffer[wanted] = 0;
    return LV_OK;
}

} // namespace lexvane::engine
