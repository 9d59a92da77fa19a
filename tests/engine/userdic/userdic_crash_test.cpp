// A user dictionary survives a process killed in the middle of its writes:
// a child edits a dictionary in a loop and is killed at a random moment;
// the file must then open and hold exactly the state after one of the
// child's changes, with derived tables that agree with the articles.
#include "lexvane_engine.h"

#include "frame/dictionary_record.h"
#include "userdic/fulltext_index.h"
#include "userdic/ud_database.h"
#include "userdic/ud_handle.h"
#include "userdic_fixture.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <csignal>
#include <map>
#include <random>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

using lexvane::engine::userdic::UdDatabase;
using lexvane::engine::userdic::indexBody;
using lexvane::engine::userdic::userDictionaryOf;
using lexvane::testing::articleBody;
using lexvane::testing::TemporaryFolder;

namespace {

constexpr int kSteps = 400;

struct State {
    std::map<std::u16string, std::u16string> articles;
    std::uint32_t styleColor = 0;
    bool operator==(const State&) const = default;
};

std::u16string name(char16_t letter, int step)
{
    std::u16string text(1, letter);
    const std::string digits = std::to_string(100000 + step).substr(1);
    text.append(digits.begin(), digits.end());
    return text;
}

// What step j does: delete, update, restyle or add.
enum class Kind { Add, Update, Delete, Restyle };

Kind kindOf(int step)
{
    if (step % 5 == 0)
        return Kind::Delete; // the article added one step before
    if (step % 5 == 3)
        return Kind::Update; // the article added one step before
    if (step % 5 == 1 && step % 3 == 0)
        return Kind::Restyle;
    return Kind::Add;
}

std::u16string bodyOf(const std::u16string& title, int step)
{
    return articleBody(title, u"words of step " + name(u'n', step) + u" alpha beta");
}

void apply(State& state, int step)
{
    switch (kindOf(step)) {
    case Kind::Delete:
        state.articles.erase(name(u'a', step - 1));
        break;
    case Kind::Update:
        state.articles.erase(name(u'a', step - 1));
        state.articles[name(u'b', step - 1)] = bodyOf(name(u'b', step - 1), step);
        state.styleColor = static_cast<std::uint32_t>(step);
        break;
    case Kind::Restyle:
        state.styleColor = static_cast<std::uint32_t>(step);
        break;
    case Kind::Add:
        state.articles[name(u'a', step)] = bodyOf(name(u'a', step), step);
        state.styleColor = static_cast<std::uint32_t>(step);
        break;
    }
}

// The child: runs every step through the exports, then waits to be killed.
[[noreturn]] void writeLoop(const std::string& path)
{
    DictionaryRecord* dic = nullptr;
    if (DicOpen(path.c_str(), -1, &dic, nullptr, 0, 0) != LV_OK)
        _exit(2);
    UdDatabase& database = userDictionaryOf(dic)->database;
    for (int step = 1; step <= kSteps; ++step) {
        StyleRecord style{};
        style.number = 0;
        style.color = static_cast<std::uint32_t>(step);
        std::int32_t index = -1;
        int status = LV_OK;
        switch (kindOf(step)) {
        case Kind::Delete:
            database.firstIndexOf(name(u'a', step - 1), index);
            status = UdDelete(dic, index);
            break;
        case Kind::Update:
            database.firstIndexOf(name(u'a', step - 1), index);
            status = UdUpdate(dic, name(u'b', step - 1).c_str(), bodyOf(name(u'b', step - 1), step).c_str(), &style,
                              1, index);
            break;
        case Kind::Restyle:
            status = UdSetStyles(dic, &style, 1);
            break;
        case Kind::Add:
            status = UdAdd(dic, name(u'a', step).c_str(), bodyOf(name(u'a', step), step).c_str(), &style, 1, 0);
            break;
        }
        if (status != LV_OK) {
            std::fprintf(stderr, "step %d failed with %d\n", step, status);
            _exit(3);
        }
    }
    _exit(0);
}

// Reads the state back and checks that the derived tables agree with it.
State readBack(const std::string& path)
{
    State state;
    UdDatabase database;
    EXPECT_EQ(database.open(nullptr, path, false), LV_OK);
    const std::int32_t count = database.articleCount();
    std::size_t expectedRows = 0;
    for (std::int32_t i = 0; i < count; ++i) {
        std::u16string title;
        std::u16string body;
        EXPECT_EQ(database.readByIndex(i, UdDatabase::Column::Title, title), LV_OK);
        EXPECT_EQ(database.readByIndex(i, UdDatabase::Column::Body, body), LV_OK);
        expectedRows += indexBody(body, database.helper()).size();
        state.articles[title] = body;
    }
    lexvane::engine::userdic::StyleList styles;
    EXPECT_EQ(database.readStyles(styles), LV_OK);
    if (styles.count() == 1)
        state.styleColor = styles.records()[0].color;

    auto single = [&](const char* sql) {
        sqlite3_stmt* statement = nullptr;
        sqlite3_prepare_v2(database.connection(), sql, -1, &statement, nullptr);
        const std::int64_t value = sqlite3_step(statement) == SQLITE_ROW ? sqlite3_column_int64(statement, 0) : -1;
        sqlite3_finalize(statement);
        return value;
    };
    sqlite3_stmt* check = nullptr;
    sqlite3_prepare_v2(database.connection(), "PRAGMA integrity_check", -1, &check, nullptr);
    EXPECT_EQ(sqlite3_step(check), SQLITE_ROW);
    EXPECT_STREQ(reinterpret_cast<const char*>(sqlite3_column_text(check, 0)), "ok");
    sqlite3_finalize(check);
    EXPECT_EQ(single("SELECT COUNT(*) FROM arts"), count);
    EXPECT_EQ(single("SELECT COUNT(*) FROM i2id LEFT JOIN arts ON arts.id=i2id.id WHERE arts.id IS NULL"), 0);
    EXPECT_EQ(single("SELECT COUNT(*) FROM fullsearch"), static_cast<std::int64_t>(expectedRows));
    return state;
}

} // namespace

TEST(UserDictionaryDurability, AKilledWriterLeavesTheOldOrTheNewState)
{
    std::vector<State> states(1);
    for (int step = 1; step <= kSteps; ++step) {
        states.push_back(states.back());
        apply(states.back(), step);
    }

    std::mt19937 random(20261210);
    int interrupted = 0;
    for (int trial = 0; trial < 12; ++trial) {
        TemporaryFolder folder;
        const std::string path = folder.file("kill0000.udd");
        ASSERT_EQ(UdCreate(nullptr, path.c_str(), u"Durable", 0, 0, 0), LV_OK);

        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0)
            writeLoop(path);
        std::this_thread::sleep_for(std::chrono::milliseconds(std::uniform_int_distribution<int>(5, 400)(random)));
        kill(child, SIGKILL);
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        if (WIFEXITED(status)) {
            ASSERT_EQ(WEXITSTATUS(status), 0) << "the writer failed on its own";
        }

        const State found = readBack(path);
        int matched = -1;
        for (int step = 0; step <= kSteps && matched < 0; ++step)
            if (states[static_cast<std::size_t>(step)] == found)
                matched = step;
        ASSERT_GE(matched, 0) << "trial " << trial << ": the file holds a state no step produced ("
                              << found.articles.size() << " articles)";
        if (matched < kSteps)
            ++interrupted;
    }
    EXPECT_GT(interrupted, 0) << "no trial killed the writer before it finished";
}
