// Throughput of the compiler's inner loops: PalmDOC compression of text records and the
// HTML reader with the KF7 writer on a chapter.

#include <benchmark/benchmark.h>

#include <random>
#include <string>

#include "mobi/chapter_writer.h"
#include "mobi/html_document.h"
#include "mobi/palmdoc.h"

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

}  // namespace

BENCHMARK_MAIN();
