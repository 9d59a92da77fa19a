// article_html_exporter.h: the HTML form of a selected part of an article,
// for other programs: a div for the headword, then a p per paragraph with
// its margins and reading direction and a span per styled fragment.
//
// Every text of the dictionary (headword and article text) is written
// escaped, so that article text can never become markup of the copy. No
// html and body elements: the list wraps several articles itself.
#pragma once

#include "ArticleEngine/Controller/export_range.h"

#include <QString>
#include <QStringView>

#include <utility>

namespace ArticleEngine::Controller {

class ArticleHtmlExporter {
public:
    explicit ArticleHtmlExporter(ExportedArticle article)
        : m_article(std::move(article))
    {
    }

    QString html(ArticleEditPosition start, ArticleEditPosition end, bool endAtOffset) const;

private:
    QString header() const;

    // A copy: callers build the description on the fly; it only refers to
    // the view and content, which must outlive the call.
    ExportedArticle m_article;
};

// "RTL" when the text holds a right-to-left letter (Hebrew, Arabic ...),
// else "LTR".
QString htmlDirection(QStringView text);

} // namespace ArticleEngine::Controller
