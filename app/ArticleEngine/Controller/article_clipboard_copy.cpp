// article_clipboard_copy.cpp: the three forms into one QMimeData.
#include "ArticleEngine/Controller/article_clipboard_copy.h"

#include "ArticleEngine/Controller/article_html_exporter.h"
#include "ArticleEngine/Controller/selection_source.h"
#include "ArticleEngine/Controller/selection_text.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace ArticleEngine::Controller {

QString sourceMimeType()
{
    return QStringLiteral("application/lexvane-full-source");
}

std::unique_ptr<QMimeData> clipboardMimeData(const ClipboardForms& forms)
{
    auto data = std::make_unique<QMimeData>();
    data->setText(forms.text);
    data->setData(sourceMimeType(), forms.source.toUtf8());
    data->setHtml(forms.html);
    return data;
}

void putOnClipboard(const ClipboardForms& forms)
{
    // The clipboard takes ownership of the data.
    QGuiApplication::clipboard()->setMimeData(clipboardMimeData(forms).release(), QClipboard::Clipboard);
}

ClipboardForms ArticleClipboardCopy::forms(ArticleEditPosition start, ArticleEditPosition end) const
{
    ClipboardForms forms;
    forms.text = selectionText(m_article, start, end, true);
    forms.source = selectionSource(m_article, m_styles, start, end, true);
    forms.html = ArticleHtmlExporter(m_article).html(start, end, true);
    return forms;
}

} // namespace ArticleEngine::Controller
