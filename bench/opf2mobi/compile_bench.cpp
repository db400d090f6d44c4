// Throughput of the compiler's inner loops: PalmDOC compression of a book's text records on
// one thread and on every core, the HTML reader with the KF7 writer on a chapter, and styles
// matched against a stylesheet of many rules.

#include <benchmark/benchmark.h>

#include <random>
#include <string>

#include "mobi/chapter_writer.h"
#include "mobi/html_document.h"
#include "mobi/palmdoc.h"
#include "mobi/text_record_stream.h"
#include "mobi/thread_pool.h"

namespace {

std::string Prose(std::size_t bytes) {
    static const char* words[] = {"the",         "quill",  "wrote",
                                  "slowly",      "across", "paper",
                                  "caf\xC3\xA9", "river",  "\xE2\x80\x9Cquoted\xE2\x80\x9D",
                                  "lantern",     "night",  "and",
                                  "of"};
    std::mt19937 random(1);
    std::string text;
    while (text.size() < bytes) {
        text += words[random() % 13];
        text += ' ';
    }
    text.resize(bytes);
    return text;
}

void PalmDocCompressRecord(benchmark::State& state) {
    const std::string record = Prose(4096);
    for (auto _ : state) benchmark::DoNotOptimize(quillery::mobi::PalmDocCompress(record));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * 4096);
}
BENCHMARK(PalmDocCompressRecord);

void ReadAndWriteChapter(benchmark::State& state) {
    std::string html = "<html><head><title>x</title></head><body>";
    while (html.size() < 60 * 1024) html += "<P CLASS=x>" + Prose(400) + " <A HREF=#s1>up</A>\n";
    html += "</body></html>";
    quillery::mobi::StyleSheet sheet;
    sheet.Add("p.x { text-indent: 1em } h2 { text-align: center }");
    quillery::mobi::Diagnostics diagnostics;
    quillery::mobi::ChapterContext context;
    context.chapterPath = "c.html";
    context.styles = &sheet;
    context.diagnostics = &diagnostics;
    for (auto _ : state) {
        quillery::mobi::Kf7Text text(false);
        const auto document = quillery::mobi::ParseHtml(html);
        quillery::mobi::WriteChapterBody(document, context, text);
        benchmark::DoNotOptimize(text.bytes().size());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(html.size()));
}
BENCHMARK(ReadAndWriteChapter);

// 4 MB of text cut into records and compressed as the compiler does it: argument 1 is one
// thread, 0 one per core.
void CompressBookRecords(benchmark::State& state) {
    const std::string prose = Prose(4 << 20);
    quillery::mobi::ThreadPool pool(static_cast<unsigned>(state.range(0)));
    for (auto _ : state) {
        quillery::mobi::Kf7Text text(false);
        text.Markup(prose);
        quillery::mobi::TextRecordStream records(quillery::mobi::TextCompression::PalmDoc, true,
                                                 false, pool);
        records.Add(text);
        records.Finish(text);
        benchmark::DoNotOptimize(records.TakeRecords().textRecords.size());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(prose.size()));
}
BENCHMARK(CompressBookRecords)->Arg(1)->Arg(0)->UseRealTime();

// Every element of a 60 KB chapter against 20,000 class rules, of which one matches.
void MatchManyRules(benchmark::State& state) {
    std::string css;
    for (int i = 0; i < 20000; ++i) css += ".c" + std::to_string(i) + " { font-style: italic }\n";
    quillery::mobi::StyleSheet sheet;
    sheet.Add(css);
    std::string html = "<body>";
    while (html.size() < 60 * 1024) html += "<p class=\"x c77\">" + Prose(200) + "</p>";
    const auto document = quillery::mobi::ParseHtml(html);
    for (auto _ : state) {
        for (int node = 1; node < static_cast<int>(document.nodes.size()); ++node) {
            if (!document.node(node).isText)
                benchmark::DoNotOptimize(sheet.StyleFor(document, node));
        }
    }
}
BENCHMARK(MatchManyRules);

}  // namespace

BENCHMARK_MAIN();
