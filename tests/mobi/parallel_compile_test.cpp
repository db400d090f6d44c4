// The book and the findings are the same whatever the number of threads: chapters translated,
// pictures prepared and records compressed on a pool are joined exactly as one thread would.

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "mobi/book_compiler.h"
#include "mobi/thread_pool.h"
#include "small_package.h"
#include "temp_dir.h"
#include "test_book.h"

namespace quillery::mobi {
namespace {

struct Result {
    std::string bytes;
    std::string findings;
};

Result Compile(const std::string& opf, int compression, bool western, unsigned threads) {
    Diagnostics diagnostics;
    CompileOptions options;
    options.opfPath = opf;
    options.compressionLevel = compression;
    options.western = western;
    options.threads = threads;
    const auto book = CompileBook(options, diagnostics);
    Result result;
    if (book) result.bytes = book->bytes();
    for (const auto& finding : diagnostics.findings())
        result.findings += FormatFinding(finding) + "\n";
    return result;
}

// Chapters that share pictures (some unusable) in different orders, define the same anchors,
// link to missing ones, share a stylesheet that cannot be read and one that can, and one that
// is empty.
testing::SmallPackage TangledPackage() {
    std::string bigJpegLike(200, 'x');
    testing::SmallPackage package;
    for (int i = 1; i <= 24; ++i) {
        const std::string n = std::to_string(i);
        std::string html = "<link rel=stylesheet href=gone.css><link rel=stylesheet href=s.css>";
        html += "<h1 id=top class=t>Chapter " + n + "</h1><p id=top>again</p>";
        html += "<img src=bad" + std::to_string(i % 3) + ".png><img src=pic" +
                std::to_string((i * 7) % 5) + ".gif>";
        html += "<a href=\"ch" + std::to_string(i % 24 + 1) + ".htm#top\">next</a>";
        html += "<a href=\"ch" + n + ".htm#nowhere\">lost</a><a href=\"../x.htm\">out</a>";
        html += i % 6 == 0 ? std::string("<p>   </p>") : "<p>Text " + n + " caf\xC3\xA9</p>";
        if (i == 9) html = "";
        if (i == 10) html = "<p>Windows-1252: caf\xE9</p>";
        package.files.emplace_back("ch" + n + ".htm", html);
    }
    package.files.emplace_back("s.css", ".t { text-align: center }");
    package.files.emplace_back("bad0.png", "not a picture");
    package.files.emplace_back("bad1.png", "\x89PNG\r\n\x1A\n damaged");
    for (int p = 0; p < 5; ++p) {
        // GIFs of 1 x 1 pixel, each a different colour.
        std::string gif("GIF89a\x01\x00\x01\x00\x80\x00\x00", 13);
        gif += std::string{char(p * 40), char(p), 0, char(255), char(255), char(255)};
        gif += std::string(",\x00\x00\x00\x00\x01\x00\x01\x00\x00\x02\x02\x44\x01\x00;", 16);
        package.files.emplace_back("pic" + std::to_string(p) + ".gif", gif);
    }
    return package;
}

TEST(ParallelCompile, BooksAndFindingsAreTheSameAsOnOneThread) {
    setenv("SOURCE_DATE_EPOCH", "1700000000", 1);
    quillery::testing::TempDir dir;
    const auto testBook =
        testing::WriteTestBook(dir.path() + "book", {.chapters = 14, .pictures = 6});
    const std::string tangled = testing::WriteSmallPackage(dir, TangledPackage());
    struct Case {
        const char* name;
        std::string opf;
        int compression;
        bool western;
    };
    const Case cases[] = {
        {"test book, no compression", testBook.opfPath, 0, false},
        {"test book, PalmDOC", testBook.opfPath, 1, false},
        {"test book, Huffdic, Windows-1252", testBook.opfPath, 2, true},
        {"tangled package, PalmDOC", tangled, 1, false},
        {"tangled package, Huffdic", tangled, 2, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Result serial = Compile(c.opf, c.compression, c.western, 1);
        ASSERT_FALSE(serial.bytes.empty()) << serial.findings;
        for (const unsigned threads : {2u, 3u, 8u}) {
            SCOPED_TRACE(threads);
            const Result parallel = Compile(c.opf, c.compression, c.western, threads);
            EXPECT_TRUE(parallel.bytes == serial.bytes);
            EXPECT_EQ(parallel.findings, serial.findings);
        }
    }
}

TEST(ThreadPool, ForEachCallsEveryIndexOnceAndPassesOnTheFirstFailure) {
    for (const unsigned threads : {1u, 2u, 4u}) {
        SCOPED_TRACE(threads);
        ThreadPool pool(threads);
        std::vector<int> calls(1000, 0);
        pool.ForEach(calls.size(), [&](std::size_t i) { ++calls[i]; });
        EXPECT_EQ(std::count(calls.begin(), calls.end(), 1), 1000);
        EXPECT_THROW(pool.ForEach(100,
                                  [](std::size_t i) {
                                      if (i == 37) throw std::runtime_error("37");
                                  }),
                     std::runtime_error);
        EXPECT_EQ(pool.Submit([] { return 6 * 7; }).get(), 42);
    }
}

}  // namespace
}  // namespace quillery::mobi
