// Writes the ePub of the generated web book (300 chapters of 60 KB, 100 pictures, laid out
// as an OPS package with content.opf and toc.ncx) several times and reports the times, then
// times calibre's "ebook-convert content.opf book.epub" on the same package in the same run.
//
//   build/bin/bench_epub [runs]      (default 5 runs; target: under 0.3 s)

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "epub/epub_writer.h"
#include "project/command_runner.h"
#include "project/work_folders.h"

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

double Seconds(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

}  // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    const std::string folder =
        (fs::temp_directory_path() / ("bench_epub_" + std::to_string(::getpid()))).string() + "/";
    const std::string book = folder + "book/";
    const std::string generator = quillery::ExecutableFolder() + "quillery_gen_webbook";
    if (std::system(
            (generator + " " + quillery::ShellQuote(book) + " --package >/dev/null").c_str()) !=
        0) {
        std::fprintf(stderr, "bench_epub: %s failed\n", generator.c_str());
        return 2;
    }

    std::vector<double> times;
    const std::string epub = folder + "quillery.epub";
    for (int i = 0; i < runs; ++i) {
        const Clock::time_point start = Clock::now();
        quillery::epub::WriteEpub(book, {}, "Contents", epub);
        times.push_back(Seconds(start));
    }
    std::sort(times.begin(), times.end());
    std::printf("quillery ePub writer: best %.3f s, median %.3f s over %d runs (%ju bytes)\n",
                times.front(), times[times.size() / 2], runs,
                static_cast<std::uintmax_t>(fs::file_size(epub)));

    if (quillery::RunCommand("command -v ebook-convert", "/").size() > 1) {
        const Clock::time_point start = Clock::now();
        quillery::RunCommand("ebook-convert " + quillery::ShellQuote(book + "content.opf") + " " +
                                 quillery::ShellQuote(folder + "calibre.epub") + " >/dev/null 2>&1",
                             "/");
        const double calibre = Seconds(start);
        std::printf("ebook-convert content.opf book.epub: %.3f s (%s)\n", calibre,
                    fs::exists(folder + "calibre.epub") ? "written" : "FAILED");
    } else {
        std::printf("ebook-convert is not installed: no comparison\n");
    }
    fs::remove_all(folder);
    return 0;
}
