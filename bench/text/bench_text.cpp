// Whole-string passes over a chapter-sized text (10 MB of typical HTML), in bytes per second.
#include <benchmark/benchmark.h>

#include <string>

#include "text/regex.h"
#include "text/strings.h"

namespace {

using namespace quillery;

const std::string& Chapter() {
    static const std::string text = [] {
        const std::string paragraph =
            "<p class=MsoNormal style='margin-left:12pt'><span lang=EN-GB>It was a bright "
            "cold day in April, and the clocks were striking thirteen.&nbsp;Winston Smith, "
            "his chin nuzzled into his breast</span> <img src=pics/fig1.jpg width=100 "
            "height=80> <a href=\"ch02.htm#top\">next</a></p>\r\n";
        std::string s;
        s.reserve(10 * 1024 * 1024 + paragraph.size());
        while (s.size() < 10 * 1024 * 1024) s += paragraph;
        return s;
    }();
    return text;
}

void Report(benchmark::State& state) {
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(Chapter().size()));
}

void BM_ReplaceAllEx_Exact(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(ReplaceAllEx(Chapter(), "&nbsp;", " ", false));
    Report(state);
}

void BM_ReplaceAllEx_IgnoreCase(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(ReplaceAllEx(Chapter(), "<SPAN", "<b", true));
    Report(state);
}

void BM_ReplaceAllEx_NoOccurrence(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(ReplaceAllEx(Chapter(), "<table", "", true));
    Report(state);
}

void BM_RegexReplace_Literal(benchmark::State& state) {
    std::string s;  // RegexReplace works in place: each pass starts from a fresh copy
    for (auto _ : state) {
        state.PauseTiming();
        s = Chapter();
        state.ResumeTiming();
        RegexReplace(s, "<span[^>]*>", "");
        benchmark::DoNotOptimize(s);
    }
    Report(state);
}

void BM_RegexReplace_Template(benchmark::State& state) {
    std::string s;
    for (auto _ : state) {
        state.PauseTiming();
        s = Chapter();
        state.ResumeTiming();
        RegexReplace(s, "=([\\w\\-\\_\\./]+)(?=[\\s/>])", "=\"$1\"");
        benchmark::DoNotOptimize(s);
    }
    Report(state);
}

void BM_RegexReplace_NoMatch(benchmark::State& state) {
    std::string s;
    for (auto _ : state) {
        state.PauseTiming();
        s = Chapter();
        state.ResumeTiming();
        RegexReplace(s, "<table[^>]*>", "");
        benchmark::DoNotOptimize(s);
    }
    Report(state);
}

void BM_FindFrom_Walk(benchmark::State& state) {
    // Walks every "<img" of the text, as the resource collectors do.
    for (auto _ : state) {
        int count = 0;
        for (int p = FindFrom(Chapter(), "<IMG", 1, true); p != 0;
             p = FindFrom(Chapter(), "<IMG", p + 1, true)) {
            ++count;
        }
        benchmark::DoNotOptimize(count);
    }
    Report(state);
}

void BM_FindFrom_Exact(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(FindFrom(Chapter(), "</body>", 1, false));
    Report(state);
}

BENCHMARK(BM_ReplaceAllEx_Exact)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReplaceAllEx_IgnoreCase)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReplaceAllEx_NoOccurrence)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RegexReplace_Literal)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RegexReplace_Template)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RegexReplace_NoMatch)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FindFrom_Walk)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FindFrom_Exact)->Unit(benchmark::kMillisecond);

}  // namespace
