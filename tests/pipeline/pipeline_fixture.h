#pragma once
// A web book of three chapters in a temp source folder, imported as the window imports it,
// with the work folders in a temp state folder and a stand-in compiler.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "htmlimport/web_import.h"
#include "project/book.h"
#include "project/book_form.h"
#include "project/make_pipeline.h"
#include "project/settings.h"
#include "recording_ui_port.h"
#include "temp_dir.h"

namespace quillery::testing {

class PipelineTest : public ::testing::Test {
protected:
    PipelineTest();

    // Imports the chapters (names relative to the source folder) in the order given and
    // points the save panel at the output folder.
    void Import(const std::vector<std::string>& names = {"01_one.htm", "02_two.htm",
                                                         "03_three.htm"});
    MakeResult Make();

    std::string Ops(const std::string& name) const;
    bool InOps(const std::string& name) const;
    // The index of the first event equal to text, or -1.
    int EventIndex(const std::string& text) const;

    TempDir dir;
    std::string source;  // the web pages' folder
    std::string output;  // the save panel's folder
    Book book;
    BookForm form;
    Settings settings;
    RecordingUiPort ui;
    ChapterGrid grid;
};

}  // namespace quillery::testing
