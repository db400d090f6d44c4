// The Word import benchmark: a generated 50,000-word .docx with 12 sections and 5 pictures
// converted, cleaned and split into chapter files in a doctmp folder. Beside it, once, the
// time LibreOffice takes to save the same file as HTML, for comparison.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "large_docx.h"
#include "project/command_runner.h"
#include "text/file_utils.h"
#include "project/ui_port.h"
#include "wordimport/legacy_conversion.h"
#include "wordimport/word_import.h"

namespace {

namespace fs = std::filesystem;

struct Workspace {
    std::string root;
    Workspace() {
        std::string pattern = (fs::temp_directory_path() / "quillery-wordbench-XXXXXX").string();
        root = std::string(mkdtemp(pattern.data())) + "/";
        quillery::bench::WriteLargeDocx(root + "Large Book.docx", {});
    }
    ~Workspace() { fs::remove_all(root); }
};

Workspace& Shared() {
    static Workspace workspace;
    return workspace;
}

void BM_ImportLargeDocx(benchmark::State& state) {
    Workspace& w = Shared();
    quillery::SilentUiPort ui;
    std::size_t chapters = 0;
    for (auto _ : state) {
        state.PauseTiming();
        fs::remove_all(w.root + "doctmp");
        state.ResumeTiming();
        quillery::ImportProgress progress(ui);
        const quillery::WordImportFiles result = quillery::ImportWordDocumentFiles(
            w.root + "Large Book.docx", w.root + "doctmp/", w.root + "state/", {}, progress);
        if (!result.imported) state.SkipWithError(result.error.c_str());
        chapters = result.chapters.files.size();
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    state.counters["chapters"] = static_cast<double>(chapters);
    state.counters["peak_MB"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
    state.counters["docx_KB"] =
        static_cast<double>(quillery::FileSizeOf(w.root + "Large Book.docx")) / 1024.0;
}
BENCHMARK(BM_ImportLargeDocx)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// LibreOffice's own HTML export of the same file, timed once (it takes seconds).
void BM_LibreOfficeHtmlExport(benchmark::State& state) {
    const std::string soffice = quillery::FindLibreOffice();
    if (soffice.empty()) {
        state.SkipWithError("LibreOffice is not installed");
        return;
    }
    Workspace& w = Shared();
    for (auto _ : state) {
        const std::string out = w.root + "lo-html/";
        fs::create_directories(out);
        quillery::RunCommand(
            quillery::ShellQuote(soffice) + " --headless --norestore " +
                quillery::ShellQuote("-env:UserInstallation=file://" + w.root + "lo-profile") +
                " --convert-to html --outdir " + quillery::ShellQuote(out) + " " +
                quillery::ShellQuote(w.root + "Large Book.docx"),
            out);
        if (!quillery::FileExists(out + "Large Book.html"))
            state.SkipWithError("LibreOffice wrote no HTML");
    }
}
BENCHMARK(BM_LibreOfficeHtmlExport)->Unit(benchmark::kMillisecond)->Iterations(2);

}  // namespace

BENCHMARK_MAIN();
