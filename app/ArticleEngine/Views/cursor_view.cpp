// cursor_view.cpp: emptying the cursor.
#include "ArticleEngine/Views/cursor_view.h"

namespace ArticleEngine {

void CursorView::reset()
{
    fill.clear();
    marks.clear();
}

} // namespace ArticleEngine
