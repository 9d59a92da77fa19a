// row_pass.h: the article pass without tables (paragraphs in rows by their
// width percentages).
#pragma once

#include "ArticleEngine/Loading/body_pass.h"

namespace ArticleEngine::Loading {

void layOutRows(BodyPass& pass);

} // namespace ArticleEngine::Loading
