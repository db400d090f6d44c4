// Make Mobi on the generated web book (300 chapters of 60 KB, 100 pictures), from the
// checks to the compiler call, with a compiler that does nothing: the time the make itself
// takes before the compiler starts (chapter normalisation, element removal, package
// documents, picture copies, stylesheets).
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "htmlimport/chapter_list.h"
#include "project/book.h"
#include "project/book_form.h"
#include "project/command_runner.h"
#include "project/settings.h"
#include "project/ui_port.h"
#include "project/work_folders.h"
#include "workflow/make_pipeline.h"
#include "workflow/web_page_import.h"

namespace fs = std::filesystem;

namespace {

using namespace quillery;

// Keeps the messages, so a run can check that the make ended as expected.
class MessageKeepingUiPort final : public SilentUiPort {
public:
    std::vector<std::string> messages;
    void ShowMessage(std::string_view text) override { messages.emplace_back(text); }
};

// The generated book imported as the window imports it, with the work folders in a temp
// state folder that is removed at exit.
struct ImportedWebBook {
    std::string root;
    Book book;
    BookForm form;
    Settings settings;

    ImportedWebBook() {
        std::string templ = (fs::temp_directory_path() / "quillery-bench-make-XXXXXX").string();
        if (!mkdtemp(templ.data())) throw std::runtime_error("cannot create a temporary folder");
        root = templ + "/";
        setenv("QUILLERY_STATE_DIR", (root + "state").c_str(), 1);
        book.folders = ComputeWorkFolders(ExecutableFolder());

        const std::string source = root + "webbook/";
        const std::string generate =
            ShellQuote(book.folders.programFolder + "quillery_gen_webbook") + " " +
            ShellQuote(source) + " >/dev/null 2>&1";
        if (std::system(generate.c_str()) != 0)
            throw std::runtime_error("the web book generator failed");

        std::vector<std::string> chapters;
        for (const auto& entry : fs::directory_iterator(source))
            if (entry.path().extension() == ".htm") chapters.push_back(entry.path().string());
        std::sort(chapters.begin(), chapters.end());
        // The open dialog lists the last chosen file first.
        chapters.insert(chapters.begin(), chapters.back());
        chapters.pop_back();

        MessageKeepingUiPort ui;
        if (!ImportWebPages(book, form, ui, chapters, false).imported)
            throw std::runtime_error("import failed");
        form.inTitle = "Web Book";
        form.lblDesName = "webbook.mobi";
        form.lblDesPath = root + "out/";
        form.inKGenPath = "/bin/true";  // a compiler that does nothing
        form.chkIndent = true;
        form.chkAlign = true;
    }
    ~ImportedWebBook() {
        std::error_code ec;
        fs::remove_all(root, ec);
    }
};

ImportedWebBook& WebBook() {
    static ImportedWebBook book;
    return book;
}

void BM_MakeMobi_WebBook300(benchmark::State& state) {
    ImportedWebBook& w = WebBook();
    std::int64_t bytes = 0;
    for (const Chapter& chapter : w.book.chapters) bytes += chapter.size;
    for (auto _ : state) {
        MessageKeepingUiPort ui;
        const MakeResult result = MakeMobi(w.book, w.form, w.settings, ui);
        // No Mobi file comes out of the empty compiler: the make ends in its failure report,
        // and in nothing else (a file error would end it early with its own message).
        if (result.outcome != MakeOutcome::Failed || ui.messages.size() != 1 ||
            ui.messages[0] != kCompileFailedMessage) {
            state.SkipWithError("the make did not run through to the compiler");
            break;
        }
    }
    state.SetBytesProcessed(state.iterations() * bytes);
    state.counters["chapters"] = static_cast<double>(w.book.chapters.size());
}
BENCHMARK(BM_MakeMobi_WebBook300)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace
