#pragma once
// A web book of three chapters in a temp source folder, imported as the window imports it,
// with the work folders in a temp state folder and a stand-in compiler.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include "fake_compiler.h"
#include "htmlimport/chapter_list.h"
#include "project/settings.h"
#include "recording_ui_port.h"
#include "temp_dir.h"
#include "text/text_file.h"
#include "workflow/make_pipeline.h"
#include "workflow/web_page_import.h"

namespace quillery::testing {

inline std::string Page(const std::string& title, const std::string& body) {
    return "<html><head><title>" + title +
           "</title><link rel=\"stylesheet\" type=\"text/css\" href=\"css/book.css\"></head>\n"
           "<body>\n<h1>" +
           title + "</h1>\n" + body + "\n</body></html>\n";
}

struct PipelineTest : ::testing::Test {
    PipelineTest() {
        setenv("QUILLERY_STATE_DIR", (dir.path() + "state").c_str(), 1);
        book.folders = ComputeWorkFolders(ProgramFolder());
        dir.Write(
            "source/01_one.htm",
            Page("One",
                 "<P CLASS=Body>Text</P>\n<script type=\"text/javascript\">alert(1)</script>\n"
                 "<p><img src=\"pics/dot.png\" alt=\"dot\"></p>"));
        dir.Write("source/02_two.htm",
                  Page("Two", "<p>Second <a href=\"01_one.htm\">back</a></p>"));
        dir.Write("source/03_three.htm", Page("Three", "<p>Third</p>"));
        dir.Write("source/pics/dot.png", "\x89PNG\r\n\x1a\n");
        dir.Write("source/css/book.css", "h1 { font-size: 24pt; }\r\np { margin: 0; }\r\n");
        dir.Write("source/cover.jpg", "\xFF\xD8\xFF\xD9");
        form.inKGenPath = WriteGoodCompiler(dir.path() + "bin/");
    }

    // Imports the three chapters as the open dialog lists them (the last chosen file first)
    // and points the save panel at the output folder.
    void Import() {
        const WebImportResult result = ImportWebPages(
            book, form, ui, {source + "03_three.htm", source + "01_one.htm", source + "02_two.htm"},
            false);
        ASSERT_TRUE(result.imported);
        grid = result.grid;
        form.inTitle = "Test Book";
        form.lblDesName = "Test Book.mobi";
        form.lblDesPath = output;
        ui.events.clear();
        ui.messages.clear();
    }
    MakeResult Make() { return MakeMobi(book, form, settings, ui); }
    std::string Ops(const std::string& name) const {
        return ReadTextFile(book.folders.opsFolder + name);
    }
    bool InOps(const std::string& name) const {
        return std::filesystem::exists(book.folders.opsFolder + name);
    }
    static bool Has(const std::string& text, const std::string& part) {
        return text.find(part) != std::string::npos;
    }
    // The index of the first event equal to text, or -1.
    int EventIndex(const std::string& text) const {
        const auto it = std::find(ui.events.begin(), ui.events.end(), text);
        return it == ui.events.end() ? -1 : static_cast<int>(it - ui.events.begin());
    }

    TempDir dir;
    std::string source = dir.path() + "source/";  // the web pages' folder
    std::string output = dir.path() + "out/";     // the save panel's folder
    Book book;
    BookForm form;
    Settings settings;
    RecordingUiPort ui;
    ChapterGrid grid;
};

}  // namespace quillery::testing
