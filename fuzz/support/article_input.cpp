#include "article_input.h"

#include "fuzz_input.h"

#include <QGuiApplication>
#include <QLoggingCategory>

namespace lexvane::fuzzing {

void startArticleApplication()
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "lexvane-fuzz";
    static char* argv[] = {name, nullptr};
    static QGuiApplication application(argc, argv);
    QLoggingCategory::setFilterRules(QStringLiteral("lexvane.article.*=false"));
}

QString flaggedText(std::span<const std::uint8_t> input)
{
    if (input.empty())
        return {};
    const std::span<const std::uint8_t> rest = input.subspan(1);
    if (input[0] & 1) {
        const std::u16string units = utf16FromBytes(rest);
        return QString::fromUtf16(units.data(), qsizetype(units.size()));
    }
    return QString::fromUtf8(reinterpret_cast<const char*>(rest.data()), qsizetype(rest.size()));
}

} // namespace lexvane::fuzzing
