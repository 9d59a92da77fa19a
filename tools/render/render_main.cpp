// render_main.cpp: lexvane-render MARKUP-FILE WIDTH OUT.png [TITLE]
//
// Reads article markup (UTF-8) from a file, builds and lays the article out
// at the width with the render tool's styles and the toolkit's font
// metrics, paints it on white and writes the picture. Runs without a
// display (offscreen platform unless another one is asked for).
#include "render_style_server.h"

#include "ArticleEngine/External/default_char_analyzer.h"
#include "ArticleEngine/Loading/article_builder.h"
#include "ArticleEngine/Loading/article_layout_loader.h"
#include "ArticleEngine/Loading/text_metric_source.h"
#include "ArticleEngine/Views/view_painter.h"

#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <cstdio>
#include <cstdlib>

using namespace ArticleEngine;

int main(int argc, char** argv)
{
    if (argc < 4 || argc > 5) {
        std::fprintf(stderr, "usage: lexvane-render MARKUP-FILE WIDTH OUT.png [TITLE]\n");
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    QFile file(QString::fromLocal8Bit(argv[1]));
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "lexvane-render: cannot read %s\n", argv[1]);
        return 1;
    }
    const int width = std::atoi(argv[2]);
    if (width < 1 || width > 20000) {
        std::fprintf(stderr, "lexvane-render: width must be 1 to 20000\n");
        return 2;
    }
    QString markup = QString::fromUtf8(file.readAll());
    // A file usually ends with a line feed that is not part of the article.
    while (markup.endsWith(QLatin1Char('\n')) || markup.endsWith(QLatin1Char('\r')))
        markup.chop(1);

    lexvane::render::RenderStyleServer styles;
    const External::Default::CharAnalyzer analyzer;
    Loading::FontMetricsCache metrics;
    Loading::ArticleBuildRequest request;
    request.articleNumber = 0;
    request.title = argc == 5 ? QString::fromLocal8Bit(argv[4]) : QFileInfo(file).completeBaseName();
    request.markup = markup;
    request.headerFont = &styles.header;
    request.headerTextColor = QColor(255, 255, 255);
    request.headerBackground = QColor(60, 90, 150);
    Loading::ArticleLayoutRecord record;
    ArticleView article = Loading::ArticleBuilder(styles, analyzer, metrics).build(request, record);
    Loading::ArticleLayoutLoader(article, QRect(0, 0, width, 1 << 20), false).run();

    // One column more than the article: the header row reaches into it.
    QImage image(width + 1, std::max(1, article.rect.height()), QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        PaintContext context{&painter, false, {}};
        paintArticle(context, article);
    }
    if (!image.save(QString::fromLocal8Bit(argv[3]), "PNG")) {
        std::fprintf(stderr, "lexvane-render: cannot write %s\n", argv[3]);
        return 1;
    }
    std::printf("%d x %d, %d paragraphs\n", image.width(), image.height(), int(article.paragraphs.size()));
    return 0;
}
