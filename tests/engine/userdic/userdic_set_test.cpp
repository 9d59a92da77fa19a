// A user dictionary as a member of a set beside a compiled dictionary: its
// titles merge into the set's word list, its entries answer the set's
// masks, searches and fuzzy search, and its articles come out through the
// member handle.
#include "lexvane_engine.h"

#include "../merge_fixture.h"
#include "userdic_fixture.h"

#include <gtest/gtest.h>

using lexvane::testing::articleBody;
using lexvane::testing::languageCode;
using lexvane::testing::memberSpec;
using lexvane::testing::TemporaryFolder;
using lexvane::testing::writeMember;

namespace {

// The program's helper orders titles as the engine orders every word list.
int compareAsEngine(void*, const char16_t* a, const char16_t* b)
{
    if (const int order = WCmp(a, b))
        return order;
    return std::u16string_view(a).compare(b);
}

int compareNAsEngine(void*, const char16_t* a, const char16_t* b, std::int32_t n)
{
    return WNCmp(a, b, n);
}

std::u16string headword(MergeRecord* set, std::int32_t index)
{
    char16_t buffer[64];
    std::int32_t length = 64;
    EXPECT_EQ(MrgGetData(set, 0, index, buffer, &length), LV_OK);
    return std::u16string(buffer, static_cast<std::size_t>(length));
}

} // namespace

TEST(UserDictionaryInSet, MergesBesideACompiledDictionary)
{
    TemporaryFolder folder;
    const std::string compiled = writeMember(folder, memberSpec("0A1B", {"apple", "cherry", "melon"}));
    UDHelper helper{};
    helper.compare = compareAsEngine;
    helper.compareN = compareNAsEngine;
    const std::string user = folder.file("mine0C00.udd");
    ASSERT_EQ(UdCreate(&helper, user.c_str(), u"Mine", 0, languageCode("engl"), languageCode("russ")), LV_OK);
    {
        DictionaryRecord* dic = nullptr;
        ASSERT_EQ(DicOpen(user.c_str(), -1, &dic, &helper, 0, 0), LV_OK);
        for (const char16_t* title : {u"zebra", u"cherry", u"Banana"})
            ASSERT_EQ(UdAdd(dic, title, articleBody(title, u"mine").c_str(), nullptr, 0, 0), LV_OK);
        DicClose(dic);
    }

    MergeRecord* set = nullptr;
    ASSERT_EQ(MrgOpen(&set, 2, languageCode("engl"), languageCode("russ"), &helper, 0, 0), LV_OK);
    ASSERT_EQ(MrgAdd(set, -1, compiled.c_str()), LV_OK);
    ASSERT_EQ(MrgAdd(set, -1, user.c_str()), LV_OK);
    ASSERT_EQ(MrgInit(set), LV_OK);

    std::int32_t ids[32] = {};
    ASSERT_EQ(MrgGetDicList(set, ids), LV_OK);
    EXPECT_NE(ids[1], 0) << "the user dictionary joined the set";

    std::int32_t count = 0;
    ASSERT_EQ(MrgGetCount(set, &count), LV_OK);
    ASSERT_EQ(count, 6);
    EXPECT_EQ(headword(set, 0), u"apple");
    EXPECT_EQ(headword(set, 1), u"Banana");
    EXPECT_EQ(headword(set, 2), u"cherry");
    EXPECT_EQ(headword(set, 4), u"melon");
    EXPECT_EQ(headword(set, 5), u"zebra");

    std::uint32_t mask = 0;
    std::int32_t values[32] = {};
    ASSERT_EQ(MrgGetDicMask(set, 2, &mask, values), LV_OK);
    EXPECT_EQ(mask, 3u) << "cherry stands in both members";
    EXPECT_EQ(values[1], 1) << "its word index in the user dictionary";
    ASSERT_EQ(MrgGetDicMask(set, 5, &mask, values), LV_OK);
    EXPECT_EQ(mask, 2u);

    ::testing::internal::CaptureStderr();
    std::int32_t index = -1;
    EXPECT_EQ(MrgSearch(set, u"banana", 0, &index), LV_OK);
    ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(index, 1);

    std::vector<std::u16string> found;
    EXPECT_EQ(MrgFuzzySearch(
                  set, u"zebr", 1,
                  [](const char16_t* word, std::int32_t, void* user) {
                      static_cast<std::vector<std::u16string>*>(user)->emplace_back(word);
                      return 0;
                  },
                  &found),
              LV_OK);
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0], u"zebra");

    // The member handle serves articles like any user dictionary.
    DictionaryRecord* member = nullptr;
    ASSERT_EQ(MrgGetDicAt(set, 1, &member), 0);
    std::u16string text;
    EXPECT_EQ(DicExtract(
                  member, 2, 0, 0,
                  [](int, const char16_t* run, std::int32_t, const StyleRecord*, std::int32_t index, void* user) {
                      if (index >= 0)
                          *static_cast<std::u16string*>(user) += run;
                      return 0;
                  },
                  &text, 0),
              LV_OK);
    EXPECT_EQ(text, u"mine");
    MrgClose(set);
}
