// The Edit menu's editor commands: the messages that stop them and the folder a file is
// opened from before any make (the window test covers them after a make); the sub-item
// lists of "CSS" and "HTML".

#include "workflow/external_editor.h"

#include <gtest/gtest.h>

#include "project/book.h"
#include "recording_ui_port.h"
#include "temp_dir.h"

namespace quillery {
namespace {

using testing::RecordingUiPort;
using testing::TempDir;

TEST(ExternalEditor, EachCommandOpensItsFileOrSaysWhyNot) {
    TempDir dir;
    const std::string editor = dir.Write("bin/editor", "#!/bin/sh\n");
    Book book;
    book.sourceFolder = dir.path() + "src/";
    book.folders.opsFolder = dir.path() + "ops/";
    using Events = std::vector<std::string>;
    const auto events = [](const Book& b, const std::string& editorPath, auto command) {
        RecordingUiPort ui;
        command(b, editorPath, ui);
        return ui.events;
    };
    const std::string message = "message: ", open = "open: " + editor + " ";
    EXPECT_EQ(events(book, "", EditPackageDocument), Events{message + kSetEditorMessage});
    EXPECT_EQ(events(book, dir.path() + "gone", EditPackageDocument),
              Events{message + kEditorMissingMessage});
    EXPECT_EQ(events(book, editor, EditPackageDocument),
              Events{open + book.folders.opsFolder + "content.opf"});
    EXPECT_EQ(events(book, editor, EditOnlyStylesheet), Events{message + kNoCssMessage});
    book.stylesheets = {"s.css"};  // before any import there is no file to open
    EXPECT_EQ(events(book, editor, EditOnlyStylesheet), Events{});
    book.previewSource = PreviewSource::Imported;
    EXPECT_EQ(events(book, editor, EditOnlyStylesheet), Events{open + book.sourceFolder + "s.css"});
    book.stylesheets = {"a.css", "b.css"};  // with two, the sub-items act
    EXPECT_EQ(events(book, editor, EditOnlyStylesheet), Events{});
    const auto listed = [](const Book& b, const std::string& e, UiPort& ui) {
        EditListedFile(b, "c 1.htm", e, ui);
    };
    EXPECT_EQ(events(book, editor, listed), Events{open + book.sourceFolder + "c 1.htm"});
}

TEST(ExternalEditor, SubItemsListFilesOfTheSourceFolderAndStylesheetsOnlyWhenSeveral) {
    TempDir dir;
    Book book;
    book.sourceFolder = dir.path();
    dir.Write("a.css", "p{}");
    dir.Write("one.htm", "<p>1</p>");
    book.chapters = {{"one.htm", {}, 0, {}}, {"gone.htm", {}, 0, {}}};
    book.stylesheets = {"a.css"};
    EXPECT_TRUE(EditMenuEntriesOf(book).css.empty());
    book.stylesheets = {"a.css", "missing.css"};
    const EditMenuEntries entries = EditMenuEntriesOf(book);
    EXPECT_EQ(entries.css, std::vector<std::string>{"a.css"});
    EXPECT_EQ(entries.html, std::vector<std::string>{"one.htm"});
}

}  // namespace
}  // namespace quillery
