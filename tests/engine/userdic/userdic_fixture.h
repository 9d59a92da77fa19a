// userdic_fixture.h: small user dictionaries for the tests.
#pragma once

#include "temporary_folder.h"
#include "userdic/ud_database.h"

#include <gtest/gtest.h>

#include <string>

namespace lexvane::testing {

// Article markup with the headword segment and one run of style 1.
inline std::u16string articleBody(const std::u16string& title, const std::u16string& text)
{
    return u"#\"" + title + u"\"#01\"" + text + u"\"";
}

// A language code packed as the engine packs it, first letter lowest.
inline std::int32_t packCode(const char (&code)[5])
{
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(static_cast<std::uint8_t>(code[0])) |
                                     static_cast<std::uint32_t>(static_cast<std::uint8_t>(code[1])) << 8 |
                                     static_cast<std::uint32_t>(static_cast<std::uint8_t>(code[2])) << 16 |
                                     static_cast<std::uint32_t>(static_cast<std::uint8_t>(code[3])) << 24);
}

// A freshly created dictionary file, opened.
class UserDictionaryTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        path = folder.file("words.udd");
        ASSERT_EQ(database.create(nullptr, path, u"Mine", packCode("engl"), packCode("russ")), 0);
    }

    // Adds articles titled by `titles`, each its own transaction.
    void addAll(std::initializer_list<const char16_t*> titles)
    {
        for (const char16_t* title : titles)
            ASSERT_EQ(database.addArticle(title, articleBody(title, u"text of it")), 0);
    }

    std::u16string title(std::int32_t index)
    {
        std::u16string text;
        EXPECT_EQ(database.readByIndex(index, engine::userdic::UdDatabase::Column::Title, text), 0);
        return text;
    }

    std::int64_t queryInt(const std::string& sql)
    {
        sqlite3_stmt* statement = nullptr;
        EXPECT_EQ(sqlite3_prepare_v2(database.connection(), sql.c_str(), -1, &statement, nullptr), SQLITE_OK) << sql;
        std::int64_t value = -1;
        if (sqlite3_step(statement) == SQLITE_ROW)
            value = sqlite3_column_int64(statement, 0);
        sqlite3_finalize(statement);
        return value;
    }

    TemporaryFolder folder;
    std::string path;
    engine::userdic::UdDatabase database;
};

} // namespace lexvane::testing
