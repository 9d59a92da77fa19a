// exchange_test_support.h: what the import and export tests share: styles
// made field by field, dictionaries to convert, and readers of what a
// conversion left behind (the exported text, the stored articles).
#pragma once

#include "userdic/style_list.h"
#include "userdic/ud_database.h"
#include "lexvane_engine.h"
#include "temporary_folder.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace lexvane::testing {

inline StyleRecord styleRecord(std::uint32_t color, int bold = 0, int italic = 0, int underline = 0, int size = 0,
                               int level = 0, int language = 0)
{
    StyleRecord s{};
    s.color = color;
    s.bold = static_cast<std::int8_t>(bold);
    s.italic = static_cast<std::int8_t>(italic);
    s.underline = static_cast<std::int8_t>(underline);
    s.fontSize = static_cast<std::int8_t>(size);
    s.level = static_cast<std::int8_t>(level);
    s.language = static_cast<std::int8_t>(language);
    return s;
}

// A private folder for each test, with new dictionaries in it.
class ConversionTest : public ::testing::Test {
protected:
    std::string newDictionary(const std::string& name)
    {
        const std::string path = folder.file(name);
        EXPECT_EQ(UdCreate(nullptr, path.c_str(), u"Mine", 0, 0, 0), 0);
        return path;
    }

    static int recordProgress(double percent, void* user)
    {
        static_cast<std::vector<double>*>(user)->push_back(percent);
        return 1;
    }

    TemporaryFolder folder;
};

inline std::vector<std::uint8_t> fileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::vector<std::uint8_t>((std::istreambuf_iterator<char>(in)), {});
}

// The text of a file written as UTF-16LE with a byte-order mark.
inline std::u16string readExported(const std::string& path)
{
    const auto bytes = fileBytes(path);
    EXPECT_GE(bytes.size(), 2u);
    EXPECT_EQ(bytes[0], 0xFF);
    EXPECT_EQ(bytes[1], 0xFE);
    std::u16string text;
    for (std::size_t i = 2; i + 1 < bytes.size(); i += 2)
        text.push_back(static_cast<char16_t>(bytes[i] | bytes[i + 1] << 8));
    return text;
}

struct Article {
    std::u16string title;
    std::u16string body;
    bool operator==(const Article&) const = default;
};

// A body with each style number replaced by what the style looks like, so
// that dictionaries that numbered the same styles differently compare
// equal.
inline std::u16string describeStyles(const std::u16string& body, const engine::userdic::StyleList& styles)
{
    std::u16string out;
    for (std::size_t i = 0; i < body.size(); ++i) {
        if (body[i] == u'#' && i + 3 < body.size() && body[i + 3] == u'"') {
            StyleRecord style{};
            styles.get((body[i + 1] - u'0') * 10 + (body[i + 2] - u'0'), style);
            const std::string text = "#{" + std::to_string(style.color) + "," + std::to_string(style.bold) +
                                     std::to_string(style.italic) + std::to_string(style.underline) +
                                     std::to_string(style.level) + std::to_string(style.fontSize) + "}";
            out.append(text.begin(), text.end());
            i += 2;
        } else {
            out.push_back(body[i]);
        }
    }
    return out;
}

inline std::vector<Article> articlesOf(const std::string& path, bool describe = false)
{
    engine::userdic::UdDatabase database;
    EXPECT_EQ(database.open(nullptr, path, false), 0);
    engine::userdic::StyleList styles;
    if (describe) {
        EXPECT_EQ(database.readStyles(styles), 0);
    }
    std::vector<Article> articles;
    const std::int32_t count = database.articleCount();
    for (std::int32_t i = 0; i < count; ++i) {
        Article article;
        EXPECT_EQ(database.readByIndex(i, engine::userdic::UdDatabase::Column::Title, article.title), 0);
        EXPECT_EQ(database.readByIndex(i, engine::userdic::UdDatabase::Column::Body, article.body), 0);
        if (describe)
            article.body = describeStyles(article.body, styles);
        articles.push_back(article);
    }
    return articles;
}

} // namespace lexvane::testing
