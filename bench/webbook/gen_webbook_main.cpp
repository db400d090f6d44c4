// quillery_gen_webbook: writes the generated web book the benchmarks run on.
//
//   quillery_gen_webbook OUTDIR [--chapters N] [--chapter-kb N] [--images N] [--package]

#include <charconv>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>

#include "webbook.h"

namespace {

const char* kUsage =
    "usage: quillery_gen_webbook OUTDIR [--chapters N] [--chapter-kb N] [--images N] [--package]\n"
    "  --chapters N    number of chapter pages (default 300, 1..99999)\n"
    "  --chapter-kb N  approximate size of each chapter in KB (default 60, 1..100000)\n"
    "  --images N      number of JPEG pictures (default 100, 0..99999)\n"
    "  --package       also write content.opf and toc.ncx beside the pages\n";

bool ParseNumber(std::string_view text, int low, int high, int& value) {
    int parsed = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), parsed);
    if (ec != std::errc() || end != text.data() + text.size() || parsed < low || parsed > high)
        return false;
    value = parsed;
    return true;
}

int UsageError(const std::string& message) {
    std::fprintf(stderr, "quillery_gen_webbook: %s\n%s", message.c_str(), kUsage);
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    quillery::bench::WebBookOptions options;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        auto number = [&](int low, int high, int& value) {
            if (i + 1 >= argc) return false;
            return ParseNumber(argv[++i], low, high, value);
        };
        if (arg == "--help" || arg == "-h") {
            std::fputs(kUsage, stdout);
            return 0;
        } else if (arg == "--package") {
            options.package = true;
        } else if (arg == "--chapters") {
            if (!number(1, 99999, options.chapters))
                return UsageError("--chapters needs a number from 1 to 99999");
        } else if (arg == "--chapter-kb") {
            if (!number(1, 100000, options.chapter_kb))
                return UsageError("--chapter-kb needs a number from 1 to 100000");
        } else if (arg == "--images") {
            if (!number(0, 99999, options.images))
                return UsageError("--images needs a number from 0 to 99999");
        } else if (!arg.empty() && arg[0] == '-') {
            return UsageError("unknown option " + std::string(arg));
        } else if (options.folder.empty()) {
            options.folder = arg;
        } else {
            return UsageError("only one output folder may be given");
        }
    }
    if (options.folder.empty()) return UsageError("no output folder given");
    if (options.folder.back() != '/') options.folder += '/';

    const std::string error = quillery::bench::WriteWebBook(options);
    if (!error.empty()) {
        std::fprintf(stderr, "quillery_gen_webbook: %s\n", error.c_str());
        return 1;
    }
    std::printf("wrote %d chapters, %d pictures%s to %s\n", options.chapters, options.images,
                options.package ? " and the package" : "", options.folder.c_str());
    return 0;
}
