// style_server.cpp: the base behaviour of style servers.
#include "ArticleEngine/External/style_server.h"

#include "ArticleEngine/External/text_fragment_style.h"

#include <QPixmap>
#include <QString>

namespace ArticleEngine::External {

TextFragmentStyle* IStyleServer::defaultStyle()
{
    for (int number = 1; number <= 9; ++number) {
        TextFragmentStyle* candidate = style(number);
        if (candidate != nullptr && candidate->font() != nullptr)
            return candidate;
    }
    return nullptr;
}

QPixmap IStyleServer::image(const QString&)
{
    return QPixmap();
}

int IStyleServer::styleExtra(const TextFragmentStyle&)
{
    return 0;
}

const TextFragmentStyle& IStyleServer::effectiveStyle(int number)
{
    static const TextFragmentStyle empty;
    if (number >= 0) {
        if (const TextFragmentStyle* found = style(number))
            return *found;
    }
    if (const TextFragmentStyle* fallback = defaultStyle())
        return *fallback;
    return empty;
}

} // namespace ArticleEngine::External
