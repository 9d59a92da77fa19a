// article_clipboard_copy.h: what a copy puts on the clipboard: plain text,
// the article source under our own format, and HTML, in one QMimeData.
//
// The editor copies a range of its one article (ArticleClipboardCopy);
// the list builds the three forms over several articles itself and hands
// them over through putOnClipboard, so both copies write the same formats.
#pragma once

#include "ArticleEngine/Controller/export_range.h"

#include <QString>

#include <memory>
#include <utility>

class QMimeData;

namespace ArticleEngine::External {
class IStyleServer;
}

namespace ArticleEngine::Controller {

// The clipboard format of article source, with its style sheet, in UTF-8.
QString sourceMimeType();

struct ClipboardForms {
    QString text;
    QString source;
    // Without html and body elements where the caller copies one article.
    QString html;
};

std::unique_ptr<QMimeData> clipboardMimeData(const ClipboardForms& forms);
// Replaces the application clipboard's contents (Clipboard mode).
void putOnClipboard(const ClipboardForms& forms);

// The editor's copy: the range ends at the end position's offset.
class ArticleClipboardCopy {
public:
    ArticleClipboardCopy(ExportedArticle article, External::IStyleServer& styles)
        : m_article(std::move(article))
        , m_styles(styles)
    {
    }

    ClipboardForms forms(ArticleEditPosition start, ArticleEditPosition end) const;
    void copy(ArticleEditPosition start, ArticleEditPosition end) const { putOnClipboard(forms(start, end)); }

private:
    // A copy: callers build the description on the fly; it only refers to
    // the view and content, which must outlive the call.
    ExportedArticle m_article;
    External::IStyleServer& m_styles;
};

} // namespace ArticleEngine::Controller
