// dsl_test_support.h: running the DSL context over text without a database.
#pragma once

#include "exchange/dsl_context.h"

#include <string>
#include <vector>

namespace lexvane::testing {

struct BuiltArticle {
    std::u16string title;
    std::u16string body;
};

// Feeds `text` line by line as the import driver does and builds the body
// of every headword of every article, in file order.
inline std::vector<BuiltArticle> buildArticles(engine::exchange::UDImportContext& context,
                                               const std::u16string& text, std::size_t room = 0x100000)
{
    using Feed = engine::exchange::UDImportContext::Feed;
    std::vector<std::u16string> lines;
    for (std::size_t at = 0; at < text.size();) {
        std::size_t end = text.find(u'\n', at);
        end = end == std::u16string::npos ? text.size() : end + 1;
        lines.push_back(text.substr(at, end - at));
        at = end;
    }
    std::vector<BuiltArticle> articles;
    auto take = [&] {
        for (std::int32_t i = 0; i < context.titleCount(); ++i) {
            BuiltArticle article{context.title(i), {}};
            context.buildBody(i, article.body, room);
            articles.push_back(article);
        }
        context.clearArticle();
    };
    for (std::size_t i = 0; i < lines.size();) {
        if (context.feedLine(lines[i]) == Feed::Consumed)
            ++i;
        else
            take();
    }
    if (context.hasArticle())
        take();
    return articles;
}

} // namespace lexvane::testing
