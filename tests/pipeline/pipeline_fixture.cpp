#include "pipeline_fixture.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include "fake_compiler.h"
#include "project/make_pipeline.h"
#include "text/text_file.h"

namespace fs = std::filesystem;

namespace quillery::testing {

namespace {

std::string Page(const std::string& title, const std::string& body) {
    return "<html><head><title>" + title +
           "</title><link rel=\"stylesheet\" type=\"text/css\" "
           "href=\"css/book.css\"></head>\n<body>\n<h1>" +
           title + "</h1>\n" + body + "\n</body></html>\n";
}

}  // namespace

PipelineTest::PipelineTest() {
    setenv("QUILLERY_STATE_DIR", (dir.path() + "state").c_str(), 1);
    book.folders = ComputeWorkFolders(ProgramFolder());
    source = dir.path() + "source/";
    output = dir.path() + "out/";
    dir.Write("source/01_one.htm",
              Page("One",
                   "<P CLASS=Body>Text</P>\n<script type=\"text/javascript\">alert(1)</script>\n"
                   "<p><img src=\"pics/dot.png\" alt=\"dot\"></p>"));
    dir.Write("source/02_two.htm", Page("Two", "<p>Second <a href=\"01_one.htm\">back</a></p>"));
    dir.Write("source/03_three.htm", Page("Three", "<p>Third</p>"));
    dir.Write("source/pics/dot.png", "\x89PNG\r\n\x1a\n");
    dir.Write("source/css/book.css", "h1 { font-size: 24pt; }\r\np { margin: 0; }\r\n");
    dir.Write("source/cover.jpg", "\xFF\xD8\xFF\xD9");
    form.inKGenPath = WriteGoodCompiler(dir.path() + "bin/");
}

void PipelineTest::Import(const std::vector<std::string>& names) {
    // The open dialog lists the last chosen file first.
    std::vector<std::string> dialog{source + names.back()};
    for (std::size_t i = 0; i + 1 < names.size(); ++i) dialog.push_back(source + names[i]);
    const WebImportResult result = ImportWebPages(book, form, ui, dialog, false);
    ASSERT_TRUE(result.imported);
    grid = result.grid;
    form.inTitle = "Test Book";
    form.lblDesName = "Test Book.mobi";
    form.lblDesPath = output;
    ui.events.clear();
    ui.messages.clear();
}

MakeResult PipelineTest::Make() { return MakeMobi(book, form, settings, ui); }

std::string PipelineTest::Ops(const std::string& name) const {
    return ReadTextFile(book.folders.opsFolder + name);
}

bool PipelineTest::InOps(const std::string& name) const {
    return fs::exists(book.folders.opsFolder + name);
}

int PipelineTest::EventIndex(const std::string& text) const {
    const auto it = std::find(ui.events.begin(), ui.events.end(), text);
    return it == ui.events.end() ? -1 : static_cast<int>(it - ui.events.begin());
}

}  // namespace quillery::testing
