// dictionary_dump.cpp: lexvane-dump, printing a dictionary as a person
// checks it by hand.
//
// It opens the file through the engine's exported interface only, so what it
// prints is what every caller of the engine sees:
//   lexvane-dump FILE [--from N] [--count K] [--search WORD] [--article N]
// prints the identity and description, the special entries, headwords
// N .. N+K-1 (or those around WORD) and the runs of article N with their
// styles. Output is UTF-8.
#include "lexvane_engine.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

std::string toUtf8(const char16_t* text, std::size_t length)
{
    std::string out;
    for (std::size_t i = 0; i < length; ++i) {
        std::uint32_t c = text[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < length && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        }
        if (c < 0x80) {
            out.push_back(static_cast<char>(c));
        } else if (c < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (c >> 6)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else if (c < 0x10000) {
            out.push_back(static_cast<char>(0xE0 | (c >> 12)));
            out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xF0 | (c >> 18)));
            out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        }
    }
    return out;
}

std::u16string fromUtf8(const char* text)
{
    const std::size_t size = std::strlen(text);
    std::u16string out;
    for (std::size_t i = 0; i < size;) {
        const auto lead = static_cast<unsigned char>(text[i]);
        std::uint32_t c = lead;
        std::size_t length = 1;
        if (lead >= 0xF0) {
            c = lead & 0x07;
            length = 4;
        } else if (lead >= 0xE0) {
            c = lead & 0x0F;
            length = 3;
        } else if (lead >= 0xC0) {
            c = lead & 0x1F;
            length = 2;
        }
        for (std::size_t k = 1; k < length && i + k < size; ++k)
            c = (c << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
        if (c >= 0x10000) {
            c -= 0x10000;
            out.push_back(static_cast<char16_t>(0xD800 + (c >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + (c & 0x3FF)));
        } else {
            out.push_back(static_cast<char16_t>(c));
        }
        i += length;
    }
    return out;
}

std::string code(std::int32_t packed)
{
    std::string text;
    for (int shift = 0; shift < 32; shift += 8) {
        const char c = static_cast<char>((static_cast<std::uint32_t>(packed) >> shift) & 0xFF);
        text.push_back(c >= 0x20 && c < 0x7F ? c : '.');
    }
    return text;
}

int printRun(int, const char16_t* text, std::int32_t length, const StyleRecord* style, std::int32_t index, void*)
{
    if (index == -16)
        std::printf("  header: %s\n", toUtf8(text, static_cast<std::size_t>(length)).c_str());
    else if (index == -2)
        std::printf("  article start\n");
    else if (index == -1)
        std::printf("  article end\n");
    else if (style)
        std::printf("  run style %d (colour %06X%s%s): \"%s\"\n", index, style->color, style->bold ? ", bold" : "",
                    style->italic ? ", italic" : "", toUtf8(text, static_cast<std::size_t>(length)).c_str());
    return 0;
}

int usage()
{
    std::fprintf(stderr, "usage: lexvane-dump FILE [--from N] [--count K] [--search WORD] [--article N]\n");
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2)
        return usage();
    const char* path = argv[1];
    long from = 0;
    long count = 10;
    long article = -1;
    const char* search = nullptr;
    for (int i = 2; i + 1 < argc; i += 2) {
        if (!std::strcmp(argv[i], "--from"))
            from = std::strtol(argv[i + 1], nullptr, 10);
        else if (!std::strcmp(argv[i], "--count"))
            count = std::strtol(argv[i + 1], nullptr, 10);
        else if (!std::strcmp(argv[i], "--article"))
            article = std::strtol(argv[i + 1], nullptr, 10);
        else if (!std::strcmp(argv[i], "--search"))
            search = argv[i + 1];
        else
            return usage();
    }
    if ((argc - 2) % 2 != 0)
        return usage();

    DictionaryRecord* dic = nullptr;
    const int status = DicOpen(path, -1, &dic, nullptr, 0, 0);
    if (status != LV_OK) {
        std::fprintf(stderr, "lexvane-dump: %s: cannot open (status %d)\n", path, status);
        DicClose(dic);
        return 1;
    }
    std::int32_t entries = 0;
    std::int32_t id = 0;
    std::int32_t pair = 0;
    std::int32_t source = 0;
    std::int32_t target = 0;
    DicGetCount(dic, &entries);
    DicGetID(dic, &id);
    DicGetPairID(dic, &pair);
    DicGetLang(dic, &source);
    DicGetPairLang(dic, &target);
    std::printf("%s\n  id %s, companion %s, languages %s -> %s, %d entries\n", path, code(id).c_str(),
                pair ? code(pair).c_str() : "none", code(source).c_str(), code(target).c_str(), entries);

    struct Item {
        int kind;
        const char* name;
    };
    const Item items[] = {{1, "title"}, {6, "description"}, {4, "source"}, {5, "target"}};
    for (const Item& item : items) {
        char16_t buffer[256];
        std::int32_t length = sizeof buffer;
        if (DicGetData(dic, item.kind, 0, buffer, &length, nullptr) == LV_OK && length > 0)
            std::printf("  %s: %s\n", item.name, toUtf8(buffer, static_cast<std::size_t>(length)).c_str());
    }
    for (int k = 0; k < 255; ++k) {
        char16_t buffer[256];
        std::int32_t length = 256;
        if (DicGetData(dic, 0, ~k, buffer, &length, nullptr) != LV_OK)
            break;
        std::printf("special entry %d: %s\n", k, toUtf8(buffer, static_cast<std::size_t>(length)).c_str());
        const int read = DicExtract(dic, ~k, 0, 0, printRun, nullptr, 0);
        if (read != LV_OK)
            std::printf("  (status %d)\n", read);
    }

    // Pictures: the size of each, asked with an empty buffer first.
    for (int n = 1; n < 0x10000; ++n) {
        char reference[32];
        std::snprintf(reference, sizeof reference, "<img ID=IMG-%04X>", n);
        const std::u16string text = fromUtf8(reference);
        std::int32_t size = 0;
        const int status = DicGetData(dic, 7, reinterpret_cast<intptr_t>(text.c_str()), nullptr, &size, nullptr);
        if (status != -1 && status != LV_OK)
            break;
        std::printf("picture %d: %d bytes\n", n, size);
    }

    if (search) {
        const std::u16string word = fromUtf8(search);
        std::int32_t index = 0;
        const int found = DicSearch(dic, word.c_str(), 0, &index);
        std::printf("search \"%s\": entry %d (status %d)\n", search, index, found);
        from = index;
        if (article < 0)
            article = index;
    }

    std::printf("headwords %ld to %ld:\n", from, from + count - 1);
    for (long i = from; i < from + count && i < entries; ++i) {
        char16_t buffer[1024];
        std::int32_t length = 1024;
        const int read = DicGetData(dic, 0, i, buffer, &length, nullptr);
        if (read != LV_OK)
            std::printf("  %6ld  (status %d)\n", i, read);
        else
            std::printf("  %6ld  %s\n", i, toUtf8(buffer, static_cast<std::size_t>(length)).c_str());
    }

    if (article >= 0) {
        std::printf("article %ld:\n", article);
        const int read = DicExtract(dic, static_cast<std::int32_t>(article), 1, 0, printRun, nullptr, 1);
        if (read != LV_OK)
            std::printf("  (status %d)\n", read);
    }
    DicClose(dic);
    return 0;
}
