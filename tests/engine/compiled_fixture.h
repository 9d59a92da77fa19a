// compiled_fixture.h: compiled-dictionary headers assembled from the format
// tables, for tests that need a dictionary that opens.
#pragma once

#include "byte_builder.h"

#include <string>
#include <string_view>
#include <utility>

namespace lexvane::testing {

struct HeaderFields {
    std::uint32_t version = 615;
    std::uint32_t entryCount = 0;
    std::string_view source = "engl";
    std::string_view target = "russ";
    std::string_view companion = std::string_view("\0\0\0\0", 4);
    std::string_view id = "0A1B";
    std::uint8_t styleCount = 3;
};

// The 320-byte fixed header of a compiled dictionary.
inline std::vector<std::uint8_t> compiledHeader(const HeaderFields& fields)
{
    ByteBuilder b;
    b.bigEndian32(fields.version)
        .bigEndian32(fields.entryCount)
        .field(fields.source, 4)
        .field(fields.target, 4)
        .field(fields.companion, 4)
        .zeros(8)
        .field(fields.id, 4)
        .zeros(8)
        .u8(24)   // entry reference width
        .u8(16)   // article length width
        .u8(0)
        .u8(fields.styleCount)
        .field("Item nine", 64)
        .field("Item ten", 64)
        .field("Title", 64)
        .field("Item three", 32) // 236..267; the numbers at 268 and 272 follow
        .bigEndian32(0)
        .bigEndian32(0)
        .field("Item four", 32)
        .zeros(2)
        .u8(1)    // UTF-8 words
        .u8(0)
        .littleEndian32(0)
        .u8(0)
        .zeros(2)
        .u8(0);
    return b.bytes();
}

// The smallest sort-table resource a UTF-8 dictionary needs ("COMP" 0): a
// header with no characters, under which every word sorts as empty.
inline std::vector<std::uint8_t> emptySortTable()
{
    ByteBuilder b;
    b.littleEndian32(20).littleEndian32(1).littleEndian32(0).littleEndian16(0).littleEndian16(0).littleEndian16(0).littleEndian16(0);
    return b.bytes();
}

// The tables a compiled dictionary needs to open, beside its header: an
// empty quick-access index, the UTF-8 alphabet, a sort source and one text
// model per style. Enough to open; reading entries is not possible. Tests of
// the sort tables leave "COMP" out and add their own.
inline std::vector<std::pair<std::string, std::vector<std::uint8_t>>> minimalTables(const HeaderFields& fields,
                                                                                    bool withSortTable = true)
{
    std::vector<std::pair<std::string, std::vector<std::uint8_t>>> tables;
    tables.emplace_back("QIDX", ByteBuilder().bigEndian32(0).bytes());
    tables.emplace_back("SYMB", std::vector<std::uint8_t>(8192, 0));
    if (withSortTable)
        tables.emplace_back("COMP", emptySortTable());
    for (int style = 0; style < fields.styleCount; ++style) {
        ByteBuilder model;
        model.bigEndian32(0x3F).zeros(4).bigEndian32(2).u8(0).u8(1).zeros(70);
        tables.emplace_back("TREE", model.bytes());
    }
    return tables;
}

} // namespace lexvane::testing
