// prc_tool.cpp: lexvane-prc, packing and listing ".prc" containers by hand.
//
//   lexvane-prc pack OUT.prc TYPE:ID:FILE ...   write a container
//   lexvane-prc list FILE.prc                   list its directory
#include "prc_writer.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

namespace {

int usage()
{
    std::fprintf(stderr, "usage: lexvane-prc pack OUT.prc TYPE:ID:FILE ...\n"
                         "       lexvane-prc list FILE.prc\n");
    return 2;
}

bool readFile(const std::string& path, std::vector<std::uint8_t>& content)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    content.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

int pack(int argc, char** argv)
{
    lexvane::tools::PrcWriter writer;
    for (int i = 3; i < argc; ++i) {
        const std::string spec = argv[i];
        const std::size_t first = spec.find(':');
        const std::size_t second = first == std::string::npos ? first : spec.find(':', first + 1);
        if (second == std::string::npos) {
            std::fprintf(stderr, "lexvane-prc: expected TYPE:ID:FILE, got %s\n", spec.c_str());
            return 2;
        }
        const std::string type = spec.substr(0, first);
        char* end = nullptr;
        const long id = std::strtol(spec.c_str() + first + 1, &end, 10);
        std::vector<std::uint8_t> body;
        if (end != spec.c_str() + second || id < 0 || id > 0xFFFF) {
            std::fprintf(stderr, "lexvane-prc: bad resource id in %s\n", spec.c_str());
            return 2;
        }
        if (!readFile(spec.substr(second + 1), body)) {
            std::fprintf(stderr, "lexvane-prc: cannot read %s\n", spec.substr(second + 1).c_str());
            return 1;
        }
        if (!writer.add(type, static_cast<std::uint16_t>(id), std::move(body))) {
            std::fprintf(stderr, "lexvane-prc: %s: type must be four characters, body below 64 KiB\n", spec.c_str());
            return 1;
        }
    }
    std::string error;
    if (!writer.write(argv[2], error)) {
        std::fprintf(stderr, "lexvane-prc: %s\n", error.c_str());
        return 1;
    }
    return 0;
}

int list(const char* path)
{
    std::vector<std::uint8_t> content;
    if (!readFile(path, content) || content.size() < 78) {
        std::fprintf(stderr, "lexvane-prc: %s is not a resource container\n", path);
        return 1;
    }
    const unsigned count = (content[76] << 8) | content[77];
    if (78 + count * 10u > content.size()) {
        std::fprintf(stderr, "lexvane-prc: %s: directory runs past the end of the file\n", path);
        return 1;
    }
    std::printf("%u resources\n", count);
    for (unsigned i = 0; i < count; ++i) {
        const std::uint8_t* entry = content.data() + 78 + i * 10;
        const unsigned id = (entry[4] << 8) | entry[5];
        const unsigned long offset = (static_cast<unsigned long>(entry[6]) << 24) | (entry[7] << 16) | (entry[8] << 8) | entry[9];
        std::printf("%c%c%c%c %5u at %lu\n", entry[0], entry[1], entry[2], entry[3], id, offset);
    }
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc >= 3 && std::string(argv[1]) == "pack")
        return pack(argc, argv);
    if (argc == 3 && std::string(argv[1]) == "list")
        return list(argv[2]);
    return usage();
}
