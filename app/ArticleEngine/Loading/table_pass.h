// table_pass.h: the article pass with tables (cells in columns, rows of one
// top edge and one bottom line, row spans).
#pragma once

#include "ArticleEngine/Loading/body_pass.h"

namespace ArticleEngine::Loading {

void layOutTables(BodyPass& pass);

} // namespace ArticleEngine::Loading
