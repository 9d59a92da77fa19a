// markup_invariants.h: checks of what the markup reader and the element pass
// promise, whatever markup they were given. Each answers an empty string
// when all holds, else what is broken first.
#pragma once

#include "ArticleEngine/Markup/article_content.h"
#include "ArticleEngine/Markup/element_pass.h"

#include <QString>

#include <random>
#include <string>

namespace lexvane::testing {

std::string contentFault(const ArticleEngine::ArticleContent& content);
std::string elementsFault(const ArticleEngine::ArticleContent& content,
                          const ArticleEngine::ArticleElements& elements);

// "0-3/0 3-5/2": paragraphs as start-end/indent.
std::string describeParagraphs(const ArticleEngine::ArticleContent& content);
// "0-3:1 3-5:2": style ranges as start-end:style.
std::string describeStyles(const ArticleEngine::ArticleContent& content);

// Seeded random markup built from the syntax's own pieces (number signs,
// quotes, escapes good and broken, NULs, tabs, line feeds, tags whole and
// cut short) and now and then any code unit.
QString randomMarkup(std::mt19937& random);
// Markup with every code unit outside printable ASCII as \uXXXX, for traces.
std::string escaped(const QString& markup);

} // namespace lexvane::testing
