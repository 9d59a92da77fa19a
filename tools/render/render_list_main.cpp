// render_list_main.cpp: lexvane-render-list WIDTH HEIGHT OUT.png [--select] MARKUP-FILE...
//
// Shows the articles (one markup file each, UTF-8, the file's base name as
// headword) in an ArticleList widget of the given size, with the buttons
// of an editable article, and writes what the widget paints. With
// --select the first article's words up to the second article's first
// word are selected, to look at the selection. Runs without a display
// (offscreen platform unless another one is asked for); prints the
// plain-text copy of the selection to the standard output.
#include "render_style_server.h"

#include "ArticleEngine/External/article_server.h"
#include "ArticleEngine/Private/article_list.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QIcon>
#include <QImage>
#include <QPainter>
#include <QPixmap>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

struct Article {
    QString headword;
    QString markup;
};

class FileServer final : public ArticleEngine::External::IArticleServer {
public:
    explicit FileServer(std::vector<Article> articles)
        : m_articles(std::move(articles))
    {
    }
    int count() const override { return int(m_articles.size()); }
    bool isValid(int index) const override { return index >= 0 && index < count(); }
    bool articleText(const ArticleEngine::External::ArticleRequest& request,
                     ArticleEngine::External::ArticleRecord& record) override
    {
        if (!isValid(request.index))
            return false;
        const Article& article = m_articles[std::size_t(request.index)];
        record.headword = article.headword;
        record.markup = article.markup;
        record.hasSound = true;
        record.canDelete = true;
        record.canEdit = true;
        return true;
    }

private:
    std::vector<Article> m_articles;
};

// A plain square icon with a letter, as the program's own icons stand.
QIcon letterIcon(QChar letter, const QColor& color)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(color);
    painter.setBrush(color.lighter(180));
    painter.drawRoundedRect(QRectF(0.5, 0.5, 15, 15), 3, 3);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(11);
    font.setBold(true);
    painter.setFont(font);
    painter.drawText(QRect(0, 0, 16, 16), Qt::AlignCenter, QString(letter));
    return QIcon(pixmap);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 5) {
        std::fprintf(stderr, "usage: lexvane-render-list WIDTH HEIGHT OUT.png [--select] MARKUP-FILE...\n");
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const int width = std::atoi(argv[1]);
    const int height = std::atoi(argv[2]);
    if (width < 50 || width > 20000 || height < 50 || height > 20000) {
        std::fprintf(stderr, "lexvane-render-list: width and height must be 50 to 20000\n");
        return 2;
    }
    int first = 4;
    const bool select = std::strcmp(argv[first], "--select") == 0;
    if (select)
        ++first;
    std::vector<Article> articles;
    for (int i = first; i < argc; ++i) {
        QFile file(QString::fromLocal8Bit(argv[i]));
        if (!file.open(QIODevice::ReadOnly)) {
            std::fprintf(stderr, "lexvane-render-list: cannot read %s\n", argv[i]);
            return 1;
        }
        QString markup = QString::fromUtf8(file.readAll());
        while (markup.endsWith(QLatin1Char('\n')) || markup.endsWith(QLatin1Char('\r')))
            markup.chop(1);
        articles.push_back({QFileInfo(file).completeBaseName(), markup});
    }

    lexvane::render::RenderStyleServer styles;
    FileServer server(std::move(articles));
    ArticleList list;
    list.setFont(styles.header);
    list.setActionIcons(letterIcon(QLatin1Char('x'), QColor(160, 0, 0)), letterIcon(QLatin1Char('e'), QColor(0, 90, 0)),
                        letterIcon(QChar(0x266A), QColor(0, 0, 160)), letterIcon(QLatin1Char('+'), Qt::darkGray),
                        letterIcon(QChar(0x2212), Qt::darkGray), letterIcon(QChar(0x2026), Qt::darkGray));
    list.init(&styles, nullptr, &server);
    list.resize(width, height);
    list.show();
    QCoreApplication::processEvents();
    list.setFocus();
    if (select && server.count() > 0) {
        using ArticleEngine::Controller::ArticleListPosition;
        auto& controller = list.controller();
        controller.setCaret(ArticleListPosition{0, ArticleEngine::HeaderKind, -1}, true, false);
        const ArticleListPosition end = server.count() > 1
            ? ArticleListPosition{1, ArticleEngine::BodyKind, 0}
            : controller.lastPosition().value_or(controller.caret());
        controller.extendSelection(end, true, false);
        std::printf("%s\n", list.selectedText().toUtf8().constData());
    }
    list.controller().refresh();
    const QImage image = list.grab().toImage();
    if (!image.save(QString::fromLocal8Bit(argv[3]))) {
        std::fprintf(stderr, "lexvane-render-list: cannot write %s\n", argv[3]);
        return 1;
    }
    std::printf("%d x %d, %d articles, scroll bar %s\n", image.width(), image.height(), server.count(),
                list.scrollBar()->isVisible() ? "shown" : "hidden");
    return 0;
}
