// article_edit_widget.cpp: the adapter's clipboard reads and its calls back
// into the widget.
#include "ArticleEngine/Private/article_edit_widget.h"

#include "ArticleEngine/Controller/article_clipboard_copy.h"
#include "ArticleEngine/Private/article_edit.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>

namespace ArticleEngine::Private {

void ArticleEditWidget::copySelection()
{
    Controller::putOnClipboard(m_edit.controller().clipboardForms());
}

QString ArticleEditWidget::clipboardText()
{
    QString text = QApplication::clipboard()->text(QClipboard::Clipboard);
    // Text from other programs ends its lines with "\r\n"; the article
    // has only line feeds.
    text.remove(QLatin1Char('\r'));
    return text;
}

QString ArticleEditWidget::clipboardSource()
{
    const QMimeData* data = QApplication::clipboard()->mimeData(QClipboard::Clipboard);
    const QString format = Controller::sourceMimeType();
    if (data == nullptr || !data->hasFormat(format))
        return QString();
    return QString::fromUtf8(data->data(format));
}

bool ArticleEditWidget::hasFocus()
{
    return m_edit.hasFocus();
}

void ArticleEditWidget::repaint()
{
    m_edit.repaint();
}

void ArticleEditWidget::update()
{
    m_edit.update();
}

QScrollBar* ArticleEditWidget::scrollBar()
{
    return m_edit.scrollBar();
}

} // namespace ArticleEngine::Private
