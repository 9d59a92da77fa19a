// dictd_to_dsl.cpp: lexvane-dictd-to-dsl, writing a dictionary in the
// dict-server format as a DSL text file, the sample that the import
// benchmark reads.
//
//   lexvane-dictd-to-dsl INDEX DICT.dz OUT.dsl
//
// Entries keep the index order (a DSL file need not be sorted). The runs
// of the article layout become tags: transcriptions "[c brown]", grammar
// labels "[p][i]", line-opening numbers "[b]"; every line of an article is
// a body line. The text is written with the engine's own writer and title
// escaping, so the file reads back exactly as the importer expects.
#include "dictd_source.h"
#include "exchange/dsl_context.h"
#include "exchange/text_file_writer.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

using namespace lexvane::tools::dictd;

void appendText(std::u16string& out, const std::u16string& text)
{
    for (char16_t c : text) {
        if (c == u'\n') {
            out += u"\r\n\t";
            continue;
        }
        if (lexvane::engine::exchange::UDImportContextDSL::isBodySpecial(c))
            out.push_back(u'\\');
        out.push_back(c);
    }
}

std::u16string articleText(const std::vector<lexvane::tools::SourceRun>& runs)
{
    std::u16string out = u"\r\n\t";
    for (const auto& run : runs) {
        const std::u16string text = toUtf16(run.text);
        switch (run.style) {
        case kTranscription:
            out += u"[c brown]";
            appendText(out, text);
            out += u"[/c]";
            break;
        case kLabel:
            out += u"[p][i]";
            appendText(out, text);
            out += u"[/i][/p]";
            break;
        case kNumber:
            out += u"[b]";
            appendText(out, text);
            out += u"[/b]";
            break;
        default:
            appendText(out, text);
            break;
        }
    }
    return out;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: lexvane-dictd-to-dsl INDEX DICT.dz OUT.dsl\n");
        return 2;
    }
    std::vector<DictdEntry> entries;
    std::size_t skipped = 0;
    std::string error;
    if (!readDictd(argv[1], argv[2], entries, skipped, error)) {
        std::fprintf(stderr, "lexvane-dictd-to-dsl: %s\n", error.c_str());
        return 1;
    }
    std::u16string name;
    for (const DictdEntry& entry : entries) {
        if (entry.headword == "00-database-short") {
            // Its first line repeats the entry's own name.
            const std::size_t start = entry.text.find('\n');
            name = toUtf16(start == std::string::npos ? entry.text : entry.text.substr(start + 1));
        }
    }
    while (!name.empty() && (name.back() == u'\n' || name.back() == u' '))
        name.pop_back();
    while (!name.empty() && (name.front() == u' ' || name.front() == u'\t'))
        name.erase(0, 1);

    lexvane::engine::exchange::TextFileWriter writer;
    if (!writer.create(argv[3])) {
        std::fprintf(stderr, "lexvane-dictd-to-dsl: cannot create %s\n", argv[3]);
        return 1;
    }
    writer.write16(u"#NAME \"" + name + u"\"\r\n");
    std::size_t written = 0;
    for (const DictdEntry& entry : entries) {
        if (entry.headword.empty() || entry.headword.rfind("00-database-", 0) == 0)
            continue;
        const std::u16string title = toUtf16(entry.headword);
        writer.write16(u"\r\n" + lexvane::engine::exchange::UDImportContextDSL::escapeTitleLine(title));
        writer.write16(articleText(convertArticle(entry.headword, entry.text)));
        ++written;
    }
    writer.write16(u"\r\n");
    if (!writer.commit()) {
        std::fprintf(stderr, "lexvane-dictd-to-dsl: cannot write %s\n", argv[3]);
        return 1;
    }
    std::printf("%s: %zu articles (%zu index lines unreadable)\n", argv[3], written, skipped);
    return 0;
}
